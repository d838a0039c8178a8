#pragma once
// Destroying the program's own windows. WM_DESTROY and WM_NCDESTROY carry no parameters, and any program
// on the desktop can post them: a window procedure acts on them only while the program itself is
// destroying that window, through destroy_window.
#include <windows.h>

#include "support/last_error.h"
#include "support/unique_handle.h"

namespace corvane {

// DestroyWindow, with the window and its children counted as being destroyed while it runs. False when
// DestroyWindow failed; the error is left for the caller.
bool destroy_window(HWND window);

// True while destroy_window runs for the window or one of its ancestors (loop thread only). At any
// other time a WM_DESTROY or WM_NCDESTROY is not the system's, and changes nothing.
bool is_being_destroyed(HWND window);

// A window the program created, destroyed through destroy_window when its owner lets go.
struct OwnWindowTraits {
  using Handle = HWND;
  static Handle empty() noexcept { return nullptr; }
  static bool valid(Handle h) noexcept { return h != nullptr; }
  // A window that is already gone is not an error worth reporting.
  static void close(Handle h) noexcept {
    if (!destroy_window(h)) ignore_last_error();
  }
};
using UniqueOwnWindow = UniqueHandle<OwnWindowTraits>;

}  // namespace corvane
