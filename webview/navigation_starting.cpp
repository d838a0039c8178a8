#include "webview/navigation_starting.h"

#include "webview/runtime_strings.h"

namespace corvane {

ComStatus on_navigation_starting(const NavigationCallback& navigation,
                                 ICoreWebView2NavigationStartingEventArgs* args) {
  if (args == nullptr) return {};
  std::string url;
  if (auto failure = read_runtime_string(args, &ICoreWebView2NavigationStartingEventArgs::get_Uri, url)) {
    args->put_Cancel(TRUE);
    return *failure;
  }
  const bool deny = navigation(url) == NavigationDecision::Deny;
  return ComStatus::of(args->put_Cancel(deny));
}

}  // namespace corvane
