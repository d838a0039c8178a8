#include "window/window_input.h"

#include <windowsx.h>
#include <imm.h>

#include <vector>

#include "window/optional_functions.h"

namespace corvane {
namespace {

std::uint32_t current_modifiers() {
  const auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  std::uint32_t modifiers = 0;
  if (down(VK_SHIFT)) modifiers |= kShift;
  if (down(VK_CONTROL)) modifiers |= kControl;
  if (down(VK_MENU)) modifiers |= kAlt;
  if (down(VK_LWIN) || down(VK_RWIN)) modifiers |= kSuper;
  return modifiers;
}

PhysicalPosition client_position(LPARAM lparam) {
  return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
}

void on_mouse_move(HWND window, WindowData& data, LPARAM lparam) {
  const PhysicalPosition position = client_position(lparam);
  bool entered = false, moved = false;
  {
    std::lock_guard guard(data.state->lock);
    PointerState& pointer = data.state->pointer;
    if (!pointer.inside) {
      pointer.inside = entered = true;
      // Nothing is confined or hidden in this program; only the leave notice is asked for.
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, HOVER_DEFAULT};
      TrackMouseEvent(&track);
    }
    if (pointer.last_position != position) {
      pointer.last_position = position;
      moved = true;
    }
  }
  if (entered) data.deliver(window, window_event::CursorEntered{});
  if (moved) data.deliver(window, window_event::CursorMoved{position});
}

void on_mouse_leave(HWND window, WindowData& data) {
  {
    std::lock_guard guard(data.state->lock);
    data.state->pointer.inside = false;
  }
  data.deliver(window, window_event::CursorLeft{});
}

void on_button(HWND window, WindowData& data, MouseButtonId button, bool pressed) {
  std::uint32_t count_before;
  {
    std::lock_guard guard(data.state->lock);
    std::uint32_t& count = data.state->pointer.capture_count;
    count_before = count;
    count = pressed ? count + 1 : (count > 0 ? count - 1 : 0);
  }
  if (pressed) {
    SetCapture(window);
  } else if (count_before <= 1) {
    ReleaseCapture();
  }
  refresh_modifiers(window, data);
  data.deliver(window, window_event::MouseButton{button, pressed});
}

struct ButtonChange {
  MouseButtonId button;
  bool pressed;
};

// The button a mouse-button message is about, and whether it went down.
std::optional<ButtonChange> button_change(UINT msg, WPARAM wparam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return ButtonChange{MouseButtonId::Left, msg == WM_LBUTTONDOWN};
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return ButtonChange{MouseButtonId::Right, msg == WM_RBUTTONDOWN};
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return ButtonChange{MouseButtonId::Middle, msg == WM_MBUTTONDOWN};
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      return ButtonChange{
          GET_XBUTTON_WPARAM(wparam) == XBUTTON1 ? MouseButtonId::Back : MouseButtonId::Forward,
          msg == WM_XBUTTONDOWN};
    default:
      return std::nullopt;
  }
}

void on_touch(HWND window, WindowData& data, WPARAM wparam, LPARAM lparam) {
  const auto handle = reinterpret_cast<HTOUCHINPUT>(lparam);
  std::vector<TOUCHINPUT> inputs(LOWORD(wparam));
  if (GetTouchInputInfo(handle, static_cast<UINT>(inputs.size()), inputs.data(), sizeof(TOUCHINPUT))) {
    for (const TOUCHINPUT& input : inputs) {
      // Touch positions come in hundredths of a screen pixel.
      POINT point{input.x / 100, input.y / 100};
      ScreenToClient(window, &point);
      const TouchPhase phase = input.dwFlags & TOUCHEVENTF_DOWN ? TouchPhase::Started
                               : input.dwFlags & TOUCHEVENTF_UP ? TouchPhase::Ended
                                                                : TouchPhase::Moved;
      data.deliver(window, window_event::Touch{input.dwID, phase, {point.x, point.y}});
    }
  }
  CloseTouchInputHandle(handle);
}

void on_pointer(HWND window, WindowData& data, UINT msg, WPARAM wparam) {
  const PointerFunctions& functions = pointer_functions();
  const UINT32 id = GET_POINTERID_WPARAM(wparam);
  POINTER_INFO info{};
  POINTER_TOUCH_INFO touch{};
  POINTER_PEN_INFO pen{};
  if (functions.get_pointer_touch_info && functions.get_pointer_touch_info(id, &touch)) {
    info = touch.pointerInfo;
  } else if (functions.get_pointer_pen_info && functions.get_pointer_pen_info(id, &pen)) {
    info = pen.pointerInfo;
  } else {
    return;
  }
  POINT point = info.ptPixelLocation;
  ScreenToClient(window, &point);
  const TouchPhase phase = msg == WM_POINTERDOWN ? TouchPhase::Started
                           : msg == WM_POINTERUP ? TouchPhase::Ended
                                                 : TouchPhase::Moved;
  data.deliver(window, window_event::Touch{id, phase, {point.x, point.y}});
  if (functions.skip_pointer_frame_messages) functions.skip_pointer_frame_messages(id);
}

// The text the input method committed.
std::wstring committed_text(HIMC context) {
  const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
  if (bytes <= 0) return {};
  std::wstring text(static_cast<size_t>(bytes) / sizeof(wchar_t), L'\0');
  ImmGetCompositionStringW(context, GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
  return text;
}

void on_ime_end_composition(HWND window, WindowData& data) {
  HIMC context = ImmGetContext(window);
  if (context == nullptr) return;
  std::wstring text = committed_text(context);
  ImmReleaseContext(window, context);
  if (!text.empty()) data.deliver(window, window_event::ImeText{std::move(text)});
}

}  // namespace

void refresh_modifiers(HWND window, WindowData& data) {
  const std::uint32_t modifiers = current_modifiers();
  {
    std::lock_guard guard(data.state->lock);
    if (data.state->modifiers == modifiers) return;
    data.state->modifiers = modifiers;
  }
  data.deliver(window, window_event::ModifiersChanged{modifiers});
}

void translate_keyboard(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg != WM_KEYDOWN && msg != WM_KEYUP && msg != WM_SYSKEYDOWN && msg != WM_SYSKEYUP) return;
  const bool pressed = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
  data.deliver(window,
               window_event::KeyboardInput{static_cast<std::uint32_t>(wparam),
                                           static_cast<std::uint32_t>((lparam >> 16) & 0x1FF), pressed});
}

MessageStep handle_mouse_input(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (const auto change = button_change(msg, wparam)) {
    on_button(window, data, change->button, change->pressed);
    return answered(0);
  }
  switch (msg) {
    case WM_MOUSEMOVE:
      on_mouse_move(window, data, lparam);
      return answered(0);
    case WM_MOUSELEAVE:
      on_mouse_leave(window, data);
      return answered(0);
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != window) {
        std::lock_guard guard(data.state->lock);
        data.state->pointer.capture_count = 0;
      }
      return answered(0);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      data.deliver(window, window_event::MouseWheel{GET_WHEEL_DELTA_WPARAM(wparam) / double(WHEEL_DELTA),
                                                    msg == WM_MOUSEHWHEEL});
      return answered(0);
    default:
      return kNotThisStep;
  }
}

MessageStep handle_touch_input(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_TOUCH:
      on_touch(window, data, wparam, lparam);
      return answered(0);
    case WM_POINTERDOWN:
    case WM_POINTERUPDATE:
    case WM_POINTERUP:
      on_pointer(window, data, msg, wparam);
      return answered(0);
    default:
      return kNotThisStep;
  }
}

MessageStep handle_ime_input(HWND window, WindowData& data, UINT msg) {
  if (msg != WM_IME_ENDCOMPOSITION) return kNotThisStep;
  on_ime_end_composition(window, data);
  return answered(kDefault);
}

}  // namespace corvane
