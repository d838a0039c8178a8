#pragma once
// What the web view host asks the application about navigations and new windows. Free of the Windows
// headers so that the navigation policy compiles without them.
#include <functional>
#include <optional>
#include <string_view>

#include "support/opaque_com_ref.h"

// The WebView2 interfaces the decisions carry, declared only.
struct ICoreWebView2;
struct ICoreWebView2Environment;

namespace corvane {

enum class NavigationDecision : bool { Deny = false, Allow = true };

struct NewWindowFeatures {
  struct Size {
    double width, height;
  };
  struct Position {
    double left, top;
  };
  std::optional<Size> size;
  std::optional<Position> position;
  // The web view that asked and its environment, one reference each.
  OpaqueComRef<ICoreWebView2> opener_web_view;
  OpaqueComRef<ICoreWebView2Environment> opener_environment;
};

struct NewWindowDecision {
  enum class Kind { Allow, Create, Deny };
  Kind kind = Kind::Deny;
  // For Create: the web view the new window is to show, one reference.
  OpaqueComRef<ICoreWebView2> web_view;
};

using NavigationCallback = std::function<NavigationDecision(std::string_view url)>;
using NewWindowCallback = std::function<NewWindowDecision(std::string_view url, NewWindowFeatures features)>;

}  // namespace corvane
