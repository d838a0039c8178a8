#include "window/window_destruction.h"

#include <algorithm>
#include <vector>

namespace corvane {
namespace {

// The windows destroy_window is destroying on this thread, outermost first. A window belongs to its
// thread, and only that thread can destroy it.
thread_local std::vector<HWND> t_destroying;

}  // namespace

bool destroy_window(HWND window) {
  t_destroying.push_back(window);
  const BOOL destroyed = DestroyWindow(window);
  t_destroying.pop_back();
  return destroyed;
}

bool is_being_destroyed(HWND window) {
  return std::any_of(t_destroying.begin(), t_destroying.end(),
                     [&](HWND destroying) { return destroying == window || IsChild(destroying, window); });
}

}  // namespace corvane
