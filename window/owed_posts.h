#pragma once
// The window parts of owed posts (support/owed_posts.h): closures posted to the loop thread's windows,
// and deadlines posted to the wait thread.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "support/owed_posts.h"
#include "window/instant.h"

namespace corvane {

inline std::uintptr_t receiver_of(HWND window) {
  return reinterpret_cast<std::uintptr_t>(window);
}

// Closures posted to windows of the loop thread ("Corvane::ExecMsg", "Corvane::WebViewExecMsg").
OwedPosts<std::function<void()>>& owed_closures();

// Posts the message to the window with a token for the closure in wParam; false when the post failed
// (the closure is then dropped, unrun).
bool post_owed_closure(HWND window, UINT message, std::function<void()> closure);

// Runs the closures the window is owed up to the one of this token, oldest first, then asks for an
// internal paint of the window, which ends the cycle they may have started. A token the program never
// gave out (another program's message) runs nothing.
void run_owed_closures(HWND window, WPARAM token);

// A window that goes is owed nothing more: what it was still to run is dropped, unrun.
void drop_owed_closures(HWND window);

// Deadlines posted to the wait thread ("Corvane::WaitUntil").
OwedPosts<Instant>& owed_deadlines();

}  // namespace corvane
