#pragma once
// What the window procedure keeps for its window, owned by WindowDataOwner.
#include <memory>

#include "window/drop_target.h"
#include "window/event_loop.h"
#include "window/window_state.h"

namespace corvane {

struct WindowData {
  std::shared_ptr<WindowState> state;
  std::shared_ptr<EventLoopRunner> runner;
  std::shared_ptr<ThemePreference> loop_theme;
  ComPtr<FileDropTarget> drop_target;

  void deliver(HWND window, WindowEventKind kind) const {
    LoopEvent event = loop_event::Window{window, std::move(kind)};
    runner->deliver_event(event);
  }
};

}  // namespace corvane
