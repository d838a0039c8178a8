#include "app/startup.h"

#include "app/app_event_handler.h"
#include "app/error_box.h"
#include "app/failure_text.h"
#include "app/main_window_attributes.h"
#include "app/web_view_startup.h"
#include "app/window_icon.h"
#include "window/event_loop.h"
#include "window/run.h"

namespace corvane {

int start_corvane() {
  std::unique_ptr<EventLoop> loop = create_event_loop();
  auto window = create_window(*loop, main_window_attributes(load_window_icon()));
  // On failure the error goes first, then the loop, which destroys its thread target window.
  if (!window) return report_window_failure(window.error());
  // Kept for the rest of the process; on failure the dialog has been shown and the window released.
  const std::optional<HostedWebView> web_view = start_web_view(window.value());
  if (!web_view) return 0;
  run(*loop, AppEventHandler);
}

int report_window_failure(const WindowCreationError& error) {
  show_error_box(window_failure_text(error));
  return 0;
}

}  // namespace corvane
