// Corvane's entry: the event loop, the main window with its icon, the web view inside it, then the
// run loop, which never returns. Command-line arguments are ignored.
#include "app/app_event_handler.h"
#include "app/error_box.h"
#include "app/failure_text.h"
#include "app/main_window_attributes.h"
#include "app/window_icon.h"
#include "window/event_loop.h"
#include "window/run.h"

int main() {
  using namespace corvane;
  std::unique_ptr<EventLoop> loop = create_event_loop();
  auto window = create_window(*loop, main_window_attributes(load_window_icon()));
  if (!window) {
    show_error_box(window_failure_text(window.error()));
    return 0;  // the error goes first, then the loop, which destroys its thread target window
  }
  run(*loop, AppEventHandler);
}
