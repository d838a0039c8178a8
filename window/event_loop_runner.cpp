#include "window/event_loop_runner.h"

#include <utility>

#include "support/fatal.h"
#include "support/last_error.h"
#include "window/dpi.h"
#include "window/owed_posts.h"
#include "window/phase_table.h"
#include "window/registered_messages.h"

namespace corvane {
namespace {

WakeCause wake_cause(const LoopControl& control, Instant cycle_end_time) {
  if (std::holds_alternative<loop_control::Poll>(control)) return Polled{};
  if (const auto* until = std::get_if<loop_control::WaitUntil>(&control)) {
    if (now() < until->deadline) return Interrupted{cycle_end_time, until->deadline};
    return DeadlineReached{cycle_end_time, until->deadline};
  }
  return Interrupted{cycle_end_time, std::nullopt};
}

// Resizes a window to the client size a handler chose for it after a DPI change.
void apply_scale_change_size(HWND window, PhysicalSize size) {
  const RECT client{0, 0, static_cast<LONG>(size.width), static_cast<LONG>(size.height)};
  const std::optional<RECT> frame = adjust_window_rect(window, client, true);
  if (!frame) fatal("adjust_window_rect failed");
  if (!SetWindowPos(window, nullptr, 0, 0, std::abs(frame->right - frame->left),
                    std::abs(frame->bottom - frame->top),
                    SWP_ASYNCWINDOWPOS | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE)) {
    ignore_last_error();
  }
  InvalidateRgn(window, nullptr, FALSE);
}

}  // namespace

void request_internal_paint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INTERNALPAINT);
}

EventLoopRunner::EventLoopRunner(HWND thread_target, DWORD wait_thread_id)
    : cycle_end_time_(now()), thread_target_(thread_target), wait_thread_id_(wait_thread_id) {}

bool EventLoopRunner::install_handler(EventHandler handler) {
  if (event_handler_) return false;
  event_handler_ = std::move(handler);
  return true;
}

void EventLoopRunner::reset() {
  phase_ = RunnerPhase::NotStarted;
  control_ = loop_control::Poll{};
  event_handler_ = nullptr;
}

void EventLoopRunner::advance_phase(RunnerPhase phase) {
  const RunnerPhase from = std::exchange(phase_, phase);
  for (PhaseStep step : phase_steps(from, phase)) {
    switch (step) {
      case PhaseStep::CycleStart:
        begin_cycle(from == RunnerPhase::NotStarted);
        break;
      case PhaseStep::EventsDrained:
        invoke_handler(loop_event::EventsDrained{});
        break;
      case PhaseStep::CycleEnd:
        invoke_handler(loop_event::CycleEnded{});
        cycle_end_time_ = now();
        break;
      case PhaseStep::LoopEnded:
        invoke_handler(loop_event::LoopEnded{});
        break;
      case PhaseStep::Fatal:
        fatal("cannot move state from Destroyed");
    }
  }
}

void EventLoopRunner::begin_cycle(bool first) {
  const WakeCause cause = first ? WakeCause{FirstCycle{}} : wake_cause(control_, cycle_end_time_);
  invoke_handler(loop_event::CycleStarted{cause});
  drain_queued_events();
  request_internal_paint(thread_target_);
}

void EventLoopRunner::invoke_handler(LoopEvent& event) {
  LoopControl control = std::exchange(control_, loop_control::Poll{});
  if (!event_handler_) {
    fatal("either event handler is re-entrant (likely), or no event handler is registered (very unlikely)");
  }
  EventHandler handler = std::move(event_handler_);
  event_handler_ = nullptr;
  if (std::holds_alternative<loop_control::Exit>(control)) {
    // Once Exit has been asked for it stays: the handler writes into a copy that is thrown away.
    LoopControl scratch = control;
    handler(event, scratch);
  } else {
    handler(event, control);
  }
  if (event_handler_)
    fatal("assertion failed: the event handler slot is still empty when the handler is put back");
  event_handler_ = std::move(handler);
  control_ = control;
}

bool EventLoopRunner::deliver_event(LoopEvent& event) {
  if (std::holds_alternative<loop_event::RepaintRequested>(event)) {
    if (phase_ != RunnerPhase::DeliveringRedraws) advance_phase(RunnerPhase::DeliveringRedraws);
    invoke_handler(event);
    return true;
  }
  if (handler_busy()) {
    queue_.push_back(event);
    return false;
  }
  advance_phase(RunnerPhase::DeliveringEvents);
  invoke_handler(event);
  drain_queued_events();
  return true;
}

void EventLoopRunner::drain_queued_events() {
  while (!queue_.empty()) {
    LoopEvent event = std::move(queue_.front());
    queue_.pop_front();
    auto* window = std::get_if<loop_event::Window>(&event);
    auto* scale = window ? std::get_if<window_event::ScaleChanged>(&window->kind) : nullptr;
    const std::optional<PhysicalSize> suggested = scale ? std::optional(scale->new_size) : std::nullopt;
    invoke_handler(event);
    if (suggested && scale->new_size != *suggested) apply_scale_change_size(window->window, scale->new_size);
  }
}

bool EventLoopRunner::flush_paint_messages(HWND except) {
  if (phase_ == RunnerPhase::DeliveringRedraws) return false;
  advance_phase(RunnerPhase::DeliveringRedraws);
  std::set<HWND> windows = std::exchange(owned_windows_, {});
  for (HWND window : windows) {
    if (window == except) continue;
    MSG msg;
    if (PeekMessageW(&msg, window, WM_PAINT, WM_PAINT, PM_REMOVE | PM_QS_PAINT)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  owned_windows_.merge(windows);
  return true;
}

void EventLoopRunner::end_cycle() {
  advance_phase(RunnerPhase::Idle);
  schedule_next_wake();
}

void EventLoopRunner::schedule_next_wake() {
  if (std::holds_alternative<loop_control::Poll>(control_)) {
    if (!PostMessageW(thread_target_, registered_message(RegisteredMessage::ProcessNewEvents), 0, 0))
      ignore_last_error();
  } else if (const auto* until = std::get_if<loop_control::WaitUntil>(&control_)) {
    const UINT wait_until = registered_message(RegisteredMessage::WaitUntil);
    const bool posted = owed_deadlines().post(wait_thread_id_, until->deadline, [&](PostToken token) {
      return PostThreadMessageW(wait_thread_id_, wait_until, 0, static_cast<LPARAM>(token));
    });
    if (!posted) ignore_last_error();
  }
}

void EventLoopRunner::handle_top_level_paint(HWND window) {
  if (handler_busy()) {
    request_internal_paint(window);
    return;
  }
  const bool started = flush_paint_messages(window);
  LoopEvent event = loop_event::RepaintRequested{window};
  deliver_event(event);
  if (started) end_cycle();
}

}  // namespace corvane
