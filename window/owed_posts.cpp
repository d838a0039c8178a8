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

OwedPosts<Instant>& owed_deadlines() {
  static OwedPosts<Instant> deadlines;
  return deadlines;
}

}  // namespace corvane
