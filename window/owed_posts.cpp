#include "window/owed_posts.h"

#include <ntsecapi.h>

#include "support/fatal.h"

namespace corvane {

PostToken first_post_token() {
  PostToken token = 0;
  // The system's random generator (RtlGenRandom, in advapi32, which the program imports anyway): no
  // other process can work out what it gave.
  if (!RtlGenRandom(&token, sizeof token)) fatal("the system's random generator gave nothing");
  return token;
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
