#pragma once
// The main window's subclass that keeps the controller in step with it: its size, its moves and its
// focus.
#include <windows.h>

#include "webview/webview2.h"

namespace corvane {

inline constexpr UINT_PTR kParentSubclassId = 1124;
// Sent to the parent to make its subclass detach itself.
inline constexpr UINT kDetachParentSubclass = 0x465;

// Holds its own reference to the controller until it detaches.
void install_parent_subclass(HWND parent, ICoreWebView2Controller* controller);
void remove_parent_subclass(HWND parent);

}  // namespace corvane
