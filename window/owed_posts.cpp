#include "window/owed_posts.h"

namespace corvane {

PostToken first_post_token() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  // splitmix64 of the start time: no other process sees the same value.
  PostToken z = static_cast<PostToken>(counter.QuadPart) + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

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
  RedrawWindow(window, nullptr, nullptr, RDW_INTERNALPAINT);
}

void drop_owed_closures(HWND window) {
  owed_closures().take_all(receiver_of(window));
}

OwedPosts<Instant>& owed_deadlines() {
  static OwedPosts<Instant> deadlines;
  return deadlines;
}

}  // namespace corvane
