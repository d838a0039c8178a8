#pragma once
// Objects that answer a chain of interfaces, each deriving from the next (ICoreWebView2_4 down to
// ICoreWebView2): the runtime's web view, settings and environment are such chains. The host's own
// objects never are, so this lives with the test runtime.
#include "support/com_object.h"

namespace corvane {

// An object whose interfaces form a chain: it inherits Base (the most derived interface, or a class that
// implements it) and answers the ids of all the Answers, which Base must derive from:
// Chain<WebViewImpl, ICoreWebView2_4, ICoreWebView2_3, ICoreWebView2_2, ICoreWebView2>.
template <typename Base, typename... Answers>
struct Chain : Base {};

namespace detail {

template <typename Base, typename... Answers>
struct InterfaceList<Chain<Base, Answers...>> {
  using Inherit = Chain<Base, Answers...>;
  static bool answers(REFIID iid, Inherit* self, void** out) noexcept {
    return ((iid == __uuidof(Answers) ? (*out = static_cast<Answers*>(self), true) : false) || ...);
  }
};

}  // namespace detail
}  // namespace corvane
