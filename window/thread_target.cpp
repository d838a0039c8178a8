#include "window/thread_target.h"

#include "support/fatal.h"
#include "support/last_error.h"
#include "window/device_input.h"
#include "window/owed_posts.h"
#include "window/registered_messages.h"
#include "window/window_data_owner.h"
#include "window/window_destruction.h"

namespace corvane {
namespace {

void handle_paint(HWND window, EventLoopRunner& runner) {
  ValidateRect(window, nullptr);
  if (runner.phase() == RunnerPhase::Idle) return;
  if (runner.handler_busy()) {
    request_internal_paint(window);
    return;
  }
  if (!runner.flush_paint_messages(nullptr)) {
    fatal("assertion failed: the thread target window's paint starts the redraw part of the cycle");
  }
  runner.end_cycle();
}

void process_new_events(HWND window, EventLoopRunner& runner) {
  // Before the run loop no cycle can start: the wake-up is another program's, and the first cycle
  // takes in every event anyway.
  if (runner.phase() == RunnerPhase::NotStarted) return;
  if (!PostThreadMessageW(runner.wait_thread_id(), registered_message(RegisteredMessage::CancelWaitUntil), 0,
                          0)) {
    ignore_last_error();
  }
  if (const auto* until = std::get_if<loop_control::WaitUntil>(&runner.control())) {
    // The wait thread wakes up to a millisecond early; spin out the rest unless a message comes.
    while (now() < until->deadline) {
      MSG msg;
      if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        RECT update;
        // Peeking at an internal paint consumes it: ask for it again.
        if (msg.message == WM_PAINT && !GetUpdateRect(msg.hwnd, &update, FALSE))
          request_internal_paint(msg.hwnd);
        break;
      }
    }
  }
  runner.advance_phase(RunnerPhase::DeliveringEvents);
  request_internal_paint(window);
}

LRESULT dispatch(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, ThreadTargetData& data) {
  EventLoopRunner& runner = *data.runner;
  switch (msg) {
    case WM_NCDESTROY:
      // Only the loop's release destroys this window; any other WM_NCDESTROY was posted.
      if (!is_being_destroyed(window)) return 0;
      request_internal_paint(window);
      drop_owed_closures(window);
      WindowDataOwner<ThreadTargetData>::release(window);
      return 0;
    case WM_CLOSE:
      // A close request meant for the program's windows (taskkill sends one to every top-level
      // window) must not destroy this one: without its paints no cycle could end, not even the
      // one that exits.
      return 0;
    case WM_PAINT:
      handle_paint(window, runner);
      return DefWindowProcW(window, msg, wparam, lparam);
    case WM_ENDSESSION:
      if (wparam) {
        // The session may end during start-up (the failure dialog may be open): before the run
        // loop there is no handler to tell, and the process just ends.
        if (runner.phase() != RunnerPhase::NotStarted) runner.advance_phase(RunnerPhase::Destroyed);
        end_process(0);
      }
      return 0;
    default:
      break;
  }
  if (const MessageStep step = handle_device_input(window, runner, msg, wparam, lparam); step.own) {
    return step.answer ? *step.answer : DefWindowProcW(window, msg, wparam, lparam);
  }
  if (is_message(msg, RegisteredMessage::WakeupMsg)) {
    // A wake-up with nothing queued is another program's.
    if (data.receiver.receive()) {
      runner.deliver_event(loop_event::User{});
      request_internal_paint(window);
    }
    return 0;
  }
  if (is_message(msg, RegisteredMessage::ExecMsg)) {
    run_owed_closures(window, wparam);  // posted by run_on_loop_thread from other threads
    return 0;
  }
  if (is_message(msg, RegisteredMessage::ProcessNewEvents)) {
    process_new_events(window, runner);
    return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK thread_target_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
  return WindowDataOwner<ThreadTargetData>::dispatch(
      window, [&](ThreadTargetData& data) { return dispatch(window, msg, wparam, lparam, data); },
      [&] { return DefWindowProcW(window, msg, wparam, lparam); });
}

}  // namespace corvane
