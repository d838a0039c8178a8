#pragma once
// Creating the program's top-level window.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "support/result.h"
#include "window/event_loop.h"
#include "window/window_creation_error.h"
#include "window/window_state.h"

namespace corvane {

struct WindowAttributes {
  std::string title;
  std::optional<Size> inner_size;  // none: 800 x 600 physical
  SizeConstraints constraints;
  bool maximized = false;
  bool visible = true;
  bool resizable = true;
  bool minimizable = true;
  bool maximizable = true;
  bool closable = true;
  bool decorated = true;
  bool focusable = true;
  SharedIcon window_icon;
  std::optional<Theme> preferred_theme;
};

struct MainWindow {
  HWND hwnd = nullptr;
  std::shared_ptr<WindowState> state;
  HWND thread_target = nullptr;
  DWORD loop_thread_id = 0;
};

inline constexpr wchar_t kWindowClass[] = L"Window Class";

// Registers the class, creates, shows and maximizes the window as the attributes ask; the events this
// produces are queued for the run loop's first cycle.
Result<MainWindow, WindowCreationError> create_window(EventLoop& loop, const WindowAttributes& attributes);

// An internal paint, so the window's first WM_PAINT arrives once the loop runs.
void request_redraw(const MainWindow& window);

// Asks the window procedure to destroy the window, and lets go of the state.
void release_window(MainWindow&& window);

// WM_NCCREATE and WM_CREATE, which the window procedure hands over while the window is built.
LRESULT on_nc_create(HWND window, WPARAM wparam, LPARAM lparam);
LRESULT on_create(HWND window, WPARAM wparam, LPARAM lparam);

}  // namespace corvane
