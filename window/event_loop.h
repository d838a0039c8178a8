#pragma once
// The loop thread's event loop: the thread target window, the wait thread, the runner, and the
// process-wide preparations made before any window exists.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "window/event_loop_runner.h"
#include "window/loop_events.h"
#include "window/user_events.h"
#include "window/window_destruction.h"

namespace corvane {

// The loop-wide preferred title-bar theme; none in this program.
struct ThemePreference {
  std::mutex lock;
  std::optional<Theme> value;
};

class EventLoop {
 public:
  EventLoop(UserEventSender sender, std::shared_ptr<EventLoopRunner> runner, UniqueOwnWindow thread_target,
            DWORD loop_thread_id)
      : sender_(std::move(sender)),
        runner_(std::move(runner)),
        thread_target_(std::move(thread_target)),
        loop_thread_id_(loop_thread_id) {}

  const std::shared_ptr<EventLoopRunner>& runner() const { return runner_; }
  HWND thread_target() const { return thread_target_.get(); }
  DWORD loop_thread_id() const { return loop_thread_id_; }
  const std::shared_ptr<ThemePreference>& theme_preference() const { return theme_preference_; }
  const UserEventSender& user_events() const { return sender_; }

 private:
  UserEventSender sender_;
  std::shared_ptr<EventLoopRunner> runner_;
  // Destroyed when the loop is released (only on start-up failure paths).
  UniqueOwnWindow thread_target_;
  DWORD loop_thread_id_;
  std::shared_ptr<ThemePreference> theme_preference_ = std::make_shared<ThemePreference>();
};

// Must run on the process's first thread, before any window of the program exists; ends the process
// otherwise. Every failure inside is either ignored or fatal.
std::unique_ptr<EventLoop> create_event_loop();

// Runs the closure now on the loop thread, or posts it there from any other thread.
void run_on_loop_thread(DWORD loop_thread_id, HWND thread_target, std::function<void()> closure);

}  // namespace corvane
