#pragma once
// The child window that holds the web view inside the main window, and the work it runs for the
// event adapters one message later.
#include <windows.h>

#include <functional>

#include "webview/webview_failure.h"

namespace corvane {

inline constexpr wchar_t kContainerClass[] = L"CORVANE_WEBVIEW";

// Registers the class (again, if another procedure holds the name) and creates the container over the
// parent's whole client area, on top of its siblings.
WebViewResult<HWND> create_container(HWND parent);

// Posts the closure to the container, to run once when the message is dispatched; false when the post
// failed. A closure that never runs (the post failed, or the container went first) is dropped.
bool post_to_container(HWND container, std::function<void()> closure);

// Runs the posted closures, then asks for an internal paint of the container.
void install_container_subclass(HWND container);

}  // namespace corvane
