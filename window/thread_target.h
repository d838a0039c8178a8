#pragma once
// The hidden window whose paint messages close the runner's cycles and to which other threads post.
#include <windows.h>

#include <memory>

#include "window/event_loop_runner.h"
#include "window/user_events.h"

namespace corvane {

inline constexpr wchar_t kThreadTargetClass[] = L"Corvane Thread Event Target";

// What the thread target window keeps, owned by WindowDataOwner; released on WM_NCDESTROY.
struct ThreadTargetData {
  UserEventReceiver receiver;
  std::shared_ptr<EventLoopRunner> runner;
};

LRESULT CALLBACK thread_target_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

}  // namespace corvane
