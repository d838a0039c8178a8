#pragma once
// What the run loop delivers to the application's handler, and what the handler answers.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "window/instant.h"
#include "window/scale.h"

namespace corvane {

enum class Theme { Light = 0, Dark = 1 };

// Keyboard modifiers as a bit set.
enum ModifierBits : std::uint32_t { kShift = 1, kControl = 2, kAlt = 4, kSuper = 8 };

enum class MouseButtonId { Left, Right, Middle, Back, Forward };
enum class TouchPhase { Started, Moved, Ended };

namespace window_event {
struct Resized {
  PhysicalSize size;
};
struct Moved {
  PhysicalPosition position;
};
struct CloseRequest {};
struct WindowDestroyed {};
struct FocusChanged {
  bool gained;
};
// The handler may change new_size; the window is then resized to it.
struct ScaleChanged {
  double scale_factor;
  PhysicalSize new_size;
};
struct ThemeChanged {
  Theme theme;
};
struct NonClientClick {};
struct FileHovered {
  std::wstring path;
};
struct FileDropped {
  std::wstring path;
};
struct FileHoverCancelled {};
struct ModifiersChanged {
  std::uint32_t modifiers;
};
struct KeyboardInput {
  std::uint32_t virtual_key;
  std::uint32_t scan_code;
  bool pressed;
};
struct ImeText {
  std::wstring text;
};
struct CursorMoved {
  PhysicalPosition position;
};
struct CursorEntered {};
struct CursorLeft {};
struct MouseWheel {
  double lines;
  bool horizontal;
};
struct MouseButton {
  MouseButtonId button;
  bool pressed;
};
struct Touch {
  std::uint32_t id;
  TouchPhase phase;
  PhysicalPosition position;
};
}  // namespace window_event

using WindowEventKind =
    std::variant<window_event::Resized, window_event::Moved, window_event::CloseRequest,
                 window_event::WindowDestroyed, window_event::FocusChanged, window_event::ScaleChanged,
                 window_event::ThemeChanged, window_event::NonClientClick, window_event::FileHovered,
                 window_event::FileDropped, window_event::FileHoverCancelled, window_event::ModifiersChanged,
                 window_event::KeyboardInput, window_event::ImeText, window_event::CursorMoved,
                 window_event::CursorEntered, window_event::CursorLeft, window_event::MouseWheel,
                 window_event::MouseButton, window_event::Touch>;

namespace device_event {
struct Added {};
struct Removed {};
struct MouseMotion {
  std::int32_t dx, dy;
};
struct MouseButtons {
  std::uint16_t flags;  // RI_MOUSE_* transitions
};
struct MouseWheel {
  std::int16_t delta;
};
struct Key {
  std::uint16_t virtual_key;
  bool pressed;
};
}  // namespace device_event

using DeviceEventKind = std::variant<device_event::Added, device_event::Removed, device_event::MouseMotion,
                                     device_event::MouseButtons, device_event::MouseWheel, device_event::Key>;

struct FirstCycle {};
struct Polled {};
struct Interrupted {
  Instant cycle_ended_at;
  std::optional<Instant> requested_deadline;
};
struct DeadlineReached {
  Instant cycle_ended_at;
  Instant requested_deadline;
};
using WakeCause = std::variant<FirstCycle, Polled, Interrupted, DeadlineReached>;

namespace loop_event {
struct CycleStarted {
  WakeCause cause;
};
struct Window {
  HWND window;
  WindowEventKind kind;
};
struct Device {
  HANDLE device;
  DeviceEventKind kind;
};
struct User {};
struct EventsDrained {};
struct RepaintRequested {
  HWND window;
};
struct CycleEnded {};
struct LoopEnded {};
}  // namespace loop_event

using LoopEvent = std::variant<loop_event::CycleStarted, loop_event::Window, loop_event::Device,
                               loop_event::User, loop_event::EventsDrained, loop_event::RepaintRequested,
                               loop_event::CycleEnded, loop_event::LoopEnded>;

namespace loop_control {
struct Poll {};
struct Wait {};
struct WaitUntil {
  Instant deadline;
};
struct Exit {
  std::int32_t code;
};
}  // namespace loop_control

using LoopControl =
    std::variant<loop_control::Poll, loop_control::Wait, loop_control::WaitUntil, loop_control::Exit>;

// Called for every event with the control value to set; ScaleChanged's size may be changed in place.
using EventHandler = std::function<void(LoopEvent& event, LoopControl& control)>;

enum class RunnerPhase { NotStarted, Idle, DeliveringEvents, DeliveringRedraws, Destroyed };

}  // namespace corvane
