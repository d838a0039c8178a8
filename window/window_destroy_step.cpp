#include "window/window_destroy_step.h"

#include "support/last_error.h"
#include "window/registered_messages.h"
#include "window/window_data_owner.h"
#include "window/window_destruction.h"

namespace corvane {
namespace {

bool destroy_requested(WindowData& data) {
  std::lock_guard guard(data.state->lock);
  return data.state->destroy_requested;
}

}  // namespace

MessageStep handle_destruction(HWND window, WindowData& data, UINT msg) {
  if (is_message(msg, RegisteredMessage::DestroyMsg)) {
    if (destroy_requested(data) && !destroy_window(window)) ignore_last_error();
    return answered(0);
  }
  if (msg != WM_DESTROY && msg != WM_NCDESTROY) return kNotThisStep;
  if (!is_being_destroyed(window)) return answered(0);  // posted by someone else
  if (msg == WM_DESTROY) {
    RevokeDragDrop(window);
    data.deliver(window, window_event::WindowDestroyed{});
    data.runner->unregister_window(window);
  } else {
    WindowDataOwner<WindowData>::release(window);
  }
  return answered(0);
}

}  // namespace corvane
