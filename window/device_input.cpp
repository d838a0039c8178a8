#include "window/device_input.h"

namespace corvane {
namespace {

void handle_device_change(HWND window, EventLoopRunner& runner, WPARAM change, LPARAM device) {
  const auto handle = reinterpret_cast<HANDLE>(device);
  if (change == GIDC_ARRIVAL) {
    runner.deliver_event(loop_event::Device{handle, device_event::Added{}});
  } else if (change == GIDC_REMOVAL) {
    runner.deliver_event(loop_event::Device{handle, device_event::Removed{}});
  } else {
    return;  // not the system's: any program can post this message with any value
  }
  request_internal_paint(window);
}

// Turns a raw mouse or keyboard record into device events.
void handle_raw_input(HWND window, EventLoopRunner& runner, LPARAM input) {
  alignas(RAWINPUT) BYTE buffer[48];
  UINT size = sizeof buffer;
  if (GetRawInputData(reinterpret_cast<HRAWINPUT>(input), RID_INPUT, buffer, &size, sizeof(RAWINPUTHEADER)) ==
      static_cast<UINT>(-1)) {
    return;
  }
  const auto& raw = *reinterpret_cast<const RAWINPUT*>(buffer);
  const HANDLE device = raw.header.hDevice;
  if (raw.header.dwType == RIM_TYPEMOUSE) {
    const RAWMOUSE& mouse = raw.data.mouse;
    if (!(mouse.usFlags & MOUSE_MOVE_ABSOLUTE) && (mouse.lLastX != 0 || mouse.lLastY != 0)) {
      runner.deliver_event(loop_event::Device{device, device_event::MouseMotion{mouse.lLastX, mouse.lLastY}});
    }
    if (mouse.usButtonFlags & RI_MOUSE_WHEEL) {
      runner.deliver_event(
          loop_event::Device{device, device_event::MouseWheel{static_cast<SHORT>(mouse.usButtonData)}});
    }
    if (const USHORT buttons = mouse.usButtonFlags & ~(RI_MOUSE_WHEEL | RI_MOUSE_HWHEEL)) {
      runner.deliver_event(loop_event::Device{device, device_event::MouseButtons{buttons}});
    }
  } else if (raw.header.dwType == RIM_TYPEKEYBOARD) {
    const RAWKEYBOARD& key = raw.data.keyboard;
    runner.deliver_event(
        loop_event::Device{device, device_event::Key{key.VKey, !(key.Flags & RI_KEY_BREAK)}});
  }
  request_internal_paint(window);
}

}  // namespace

MessageStep handle_device_input(HWND window, EventLoopRunner& runner, UINT msg, WPARAM wparam,
                                LPARAM lparam) {
  switch (msg) {
    case WM_INPUT_DEVICE_CHANGE:
      handle_device_change(window, runner, wparam, lparam);
      return answered(0);
    case WM_INPUT:
      handle_raw_input(window, runner, lparam);
      return answered(kDefault);
    default:
      return kNotThisStep;
  }
}

}  // namespace corvane
