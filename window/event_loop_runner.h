#pragma once
// Groups everything between two sleeps of the loop thread into a cycle and delivers the cycle's
// events to the handler in a fixed order; queues events that arrive while the handler runs.
// Loop thread only: shared by the loop, the thread target window and every top-level window.
#include <windows.h>

#include <deque>
#include <set>

#include "window/loop_events.h"

namespace corvane {

class EventLoopRunner {
 public:
  EventLoopRunner(HWND thread_target, DWORD wait_thread_id);

  RunnerPhase phase() const { return phase_; }
  const LoopControl& control() const { return control_; }
  DWORD wait_thread_id() const { return wait_thread_id_; }
  HWND thread_target() const { return thread_target_; }
  // Busy while the handler runs, and before the run loop has installed one.
  bool handler_busy() const { return !event_handler_; }

  // Puts the handler in its slot; false when the slot was already filled.
  bool install_handler(EventHandler handler);
  // Back to the state before the run loop: NotStarted, Poll, no handler.
  void reset();

  void advance_phase(RunnerPhase phase);
  // Delivers at once, or queues while the handler is busy. True when the handler saw the event (it
  // may then have changed a ScaleChanged size in place).
  bool deliver_event(LoopEvent& event);
  bool deliver_event(LoopEvent&& event) { return deliver_event(event); }
  // Pulls the owned windows' pending paints forward; true when this call started the redraw part.
  bool flush_paint_messages(HWND except);
  void end_cycle();
  // A top-level window's WM_PAINT.
  void handle_top_level_paint(HWND window);

  void register_window(HWND window) { owned_windows_.insert(window); }
  void unregister_window(HWND window) { owned_windows_.erase(window); }

 private:
  void begin_cycle(bool first);
  void invoke_handler(LoopEvent& event);
  void invoke_handler(LoopEvent&& event) { invoke_handler(event); }
  void drain_queued_events();
  void schedule_next_wake();

  LoopControl control_ = loop_control::Poll{};
  Instant cycle_end_time_;
  EventHandler event_handler_;
  std::set<HWND> owned_windows_;
  HWND thread_target_;
  std::deque<LoopEvent> queue_;
  DWORD wait_thread_id_;
  RunnerPhase phase_ = RunnerPhase::NotStarted;
};

// Asks for a WM_PAINT without invalidating anything: it comes after every other queued message.
void request_internal_paint(HWND window);

}  // namespace corvane
