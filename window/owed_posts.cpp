#include "window/owed_posts.h"

#include "window/event_loop_runner.h"

namespace corvane {

OwedPosts<std::function<void()>>& owed_closures() {
  static OwedPosts<std::function<void()>> closures;
  return closures;
}

bool post_owed_closure(HWND window, UINT message, std::function<void()> closure) {
  return owed_closures().post(receiver_of(window), std::move(closure), [&](PostToken token) {
    return PostMessageW(window, message, static_cast<WPARAM>(token), 0);
  });
}

void run_owed_closures(HWND window, WPARAM token) {
  const auto owed = owed_closures().take_through(receiver_of(window), token);
  if (owed.empty()) return;
  for (const auto& closure : owed) closure();
  request_internal_paint(window);
}

void drop_owed_closures(HWND window) {
  owed_closures().take_all(receiver_of(window));
}

OwedPosts<Instant>& owed_deadlines() {
  static OwedPosts<Instant> deadlines;
  return deadlines;
}

}  // namespace corvane
