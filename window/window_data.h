#pragma once
// What the window procedure keeps for its window, attached with GWLP_USERDATA.
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
  // Keeps the record alive while the procedure is re-entered for the same window.
  std::uint32_t recursion_depth = 0;
  // Set by WM_NCDESTROY: the outermost call frees the record.
  bool removed = false;

  void deliver(HWND window, WindowEventKind kind) const {
    LoopEvent event = loop_event::Window{window, std::move(kind)};
    runner->deliver_event(event);
  }
};

}  // namespace corvane
