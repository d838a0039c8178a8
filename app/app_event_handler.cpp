#include "app/app_event_handler.h"

namespace corvane {

void AppEventHandler(LoopEvent& event, LoopControl& control) {
  control = loop_control::Wait{};
  if (const auto* window = std::get_if<loop_event::Window>(&event)) {
    if (std::holds_alternative<window_event::CloseRequest>(window->kind)) control = loop_control::Exit{0};
  }
}

}  // namespace corvane
