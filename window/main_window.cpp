#include "window/main_window.h"

#include <source_location>

#include "support/fatal.h"
#include "support/last_error.h"
#include "support/text.h"
#include "window/dpi.h"
#include "window/registered_messages.h"
#include "window/window_data.h"
#include "window/window_data_owner.h"
#include "window/window_procedure.h"
#include "window/window_size.h"
#include "window/window_theme.h"

namespace corvane {
namespace {

// What create_window passes through CreateWindowExW to the window's first messages.
struct CreationContext {
  const WindowAttributes& attributes;
  EventLoop& loop;
  WindowFlags initial_flags;
  std::optional<MainWindow> main_window;
};

CreationContext& context_of(LPARAM lparam) {
  return *static_cast<CreationContext*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
}

// Where creation failed and the thread's last error as an HRESULT.
WindowCreationError creation_error(std::source_location where = std::source_location::current()) {
  return {where.file_name(), static_cast<unsigned>(where.line()), hresult_from_win32(GetLastError())};
}

void register_window_class() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kWindowClass;
  RegisterClassExW(&window_class);  // a second registration fails harmlessly
}

WindowFlags initial_flags(const WindowAttributes& attributes) {
  return WindowFlags{}
      .with(WindowFlags::Resizable, attributes.resizable)
      .with(WindowFlags::Minimizable, attributes.minimizable)
      .with(WindowFlags::Maximizable, attributes.maximizable)
      .with(WindowFlags::Closable, true)
      .with(WindowFlags::Decorated, attributes.decorated)
      .with(WindowFlags::Focusable, attributes.focusable)
      .with(WindowFlags::OnTaskbar, true);
}

// Changes one flag of the window: stored under the lock, then applied to the window outside it.
void change_flag(HWND window, WindowState& state, WindowFlags::Bit bit, bool on) {
  WindowFlags old_flags, new_flags;
  {
    std::lock_guard guard(state.lock);
    old_flags = state.flags;
    new_flags = state.flags = old_flags.with(bit, on);
  }
  apply_window_flags(old_flags, window, new_flags);
}

std::optional<Theme> theme_preference(const WindowAttributes& attributes, const EventLoop& loop) {
  if (attributes.preferred_theme) return attributes.preferred_theme;
  std::lock_guard guard(loop.theme_preference()->lock);
  return loop.theme_preference()->value;
}

}  // namespace

Result<MainWindow, WindowCreationError> create_window(EventLoop& loop, const WindowAttributes& attributes) {
  register_window_class();
  CreationContext context{attributes, loop, initial_flags(attributes), std::nullopt};
  const WindowStyles styles = flags_to_styles(context.initial_flags);
  const std::wstring title = to_utf16(attributes.title);
  const double scale = scale_from_dpi(monitor_dpi(primary_monitor()));
  check_scale_factor(scale);
  const PhysicalSize client = initial_client_size(attributes.inner_size, attributes.constraints, scale);

  RECT frame{0, 0, static_cast<LONG>(client.width), static_cast<LONG>(client.height)};
  if (attributes.decorated && !AdjustWindowRectEx(&frame, styles.style, FALSE, styles.ex_style)) {
    return creation_error();
  }
  HWND window = CreateWindowExW(styles.ex_style, kWindowClass, title.c_str(), styles.style, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, GetModuleHandleW(nullptr), &context);
  if (window == nullptr) return creation_error();

  if (dark_mode_supported()) {
    if (const auto allow = theme_functions().allow_dark_mode_for_window) allow(window, TRUE);
  }
  MainWindow main_window = std::move(*context.main_window);
  if (attributes.maximized) change_flag(window, *main_window.state, WindowFlags::Maximized, true);
  request_redraw(main_window);
  return main_window;
}

void request_redraw(const MainWindow& window) {
  request_internal_paint(window.hwnd);
}

void release_window(MainWindow&& window) {
  {
    std::lock_guard guard(window.state->lock);
    window.state->destroy_requested = true;
  }
  if (!PostMessageW(window.hwnd, registered_message(RegisteredMessage::DestroyMsg), 0, 0))
    ignore_last_error();
  window.state.reset();
}

LRESULT on_nc_create(HWND window, WPARAM wparam, LPARAM lparam) {
  CreationContext& context = context_of(lparam);
  const WindowAttributes& attributes = context.attributes;
  if (GetSystemMetrics(SM_DIGITIZER) & NID_READY) RegisterTouchWindow(window, TWF_WANTPALM);

  auto state = std::make_shared<WindowState>();
  state->scale_factor = scale_from_dpi(window_dpi(window));
  state->constraints = attributes.constraints;
  state->window_icon = attributes.window_icon;
  state->preferred_theme = attributes.preferred_theme;
  state->current_theme = resolve_window_theme(window, theme_preference(attributes, context.loop), false);
  {
    std::lock_guard guard(state->lock);
    state->flags = context.initial_flags;
  }
  apply_window_flags(WindowFlags{}, window, context.initial_flags);
  if (const auto enable = dpi_functions().enable_non_client_dpi_scaling) enable(window);

  const std::shared_ptr<EventLoopRunner>& runner = context.loop.runner();
  ComPtr<FileDropTarget> drop_target = register_drop_target(window, runner);
  runner->register_window(window);
  context.main_window =
      MainWindow{window, state, context.loop.thread_target(), context.loop.loop_thread_id()};
  WindowDataOwner<WindowData>::attach(
      window, std::make_unique<WindowData>(
                  WindowData{state, runner, context.loop.theme_preference(), std::move(drop_target)}));
  return DefWindowProcW(window, WM_NCCREATE, wparam, lparam);
}

LRESULT on_create(HWND window, WPARAM wparam, LPARAM lparam) {
  CreationContext& context = context_of(lparam);
  if (!context.main_window) fatal("failed window creation");
  WindowState& state = *context.main_window->state;
  const SharedIcon icon = context.attributes.window_icon;
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon ? icon->get() : nullptr));
  SendMessageW(window, WM_SETICON, ICON_BIG, 0);
  {
    std::lock_guard guard(state.lock);
    state.window_icon = icon;  // and no taskbar icon of its own
  }
  change_flag(window, state, WindowFlags::Visible, context.attributes.visible);
  change_flag(window, state, WindowFlags::Closable, context.attributes.closable);
  return DefWindowProcW(window, WM_CREATE, wparam, lparam);
}

}  // namespace corvane
