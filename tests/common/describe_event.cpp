#include "tests/common/describe_event.h"

#include "support/text.h"

namespace corvane::testing_support {
namespace {

template <typename... F>
struct Overloaded : F... {
  using F::operator()...;
};

std::string size_text(PhysicalSize s) {
  return std::to_string(s.width) + "x" + std::to_string(s.height);
}
std::string position_text(PhysicalPosition p) {
  return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::string describe(const WakeCause& cause) {
  return std::visit(Overloaded{
                        [](const FirstCycle&) { return std::string("FirstCycle"); },
                        [](const Polled&) { return std::string("Polled"); },
                        [](const Interrupted& i) {
                          return std::string(i.requested_deadline ? "Interrupted(deadline)" : "Interrupted");
                        },
                        [](const DeadlineReached&) { return std::string("DeadlineReached"); },
                    },
                    cause);
}

}  // namespace

std::string describe(const WindowEventKind& kind) {
  namespace we = window_event;
  return std::visit(
      Overloaded{
          [](const we::Resized& e) { return "Resized " + size_text(e.size); },
          [](const we::Moved& e) { return "Moved " + position_text(e.position); },
          [](const we::CloseRequest&) { return std::string("CloseRequest"); },
          [](const we::WindowDestroyed&) { return std::string("WindowDestroyed"); },
          [](const we::FocusChanged& e) {
            return std::string(e.gained ? "FocusChanged true" : "FocusChanged false");
          },
          [](const we::ScaleChanged& e) {
            return "ScaleChanged " + std::to_string(e.scale_factor).substr(0, 4) + " " +
                   size_text(e.new_size);
          },
          [](const we::ThemeChanged& e) {
            return std::string(e.theme == Theme::Dark ? "ThemeChanged Dark" : "ThemeChanged Light");
          },
          [](const we::NonClientClick&) { return std::string("NonClientClick"); },
          [](const we::FileHovered& e) { return "FileHovered " + to_utf8(e.path); },
          [](const we::FileDropped& e) { return "FileDropped " + to_utf8(e.path); },
          [](const we::FileHoverCancelled&) { return std::string("FileHoverCancelled"); },
          [](const we::ModifiersChanged& e) { return "ModifiersChanged " + std::to_string(e.modifiers); },
          [](const we::KeyboardInput& e) {
            return "KeyboardInput " + std::to_string(e.virtual_key) + (e.pressed ? " down" : " up");
          },
          [](const we::ImeText& e) { return "ImeText " + to_utf8(e.text); },
          [](const we::CursorMoved& e) { return "CursorMoved " + position_text(e.position); },
          [](const we::CursorEntered&) { return std::string("CursorEntered"); },
          [](const we::CursorLeft&) { return std::string("CursorLeft"); },
          [](const we::MouseWheel&) { return std::string("MouseWheel"); },
          [](const we::MouseButton& e) {
            return std::string(e.pressed ? "MouseButton down" : "MouseButton up");
          },
          [](const we::Touch&) { return std::string("Touch"); },
      },
      kind);
}

std::string describe(const LoopEvent& event) {
  namespace le = loop_event;
  return std::visit(
      Overloaded{
          [](const le::CycleStarted& e) { return "CycleStarted(" + describe(e.cause) + ")"; },
          [](const le::Window& e) { return "Window(" + describe(e.kind) + ")"; },
          [](const le::Device& e) {
            return std::string(std::holds_alternative<device_event::Added>(e.kind)     ? "Device(Added)"
                               : std::holds_alternative<device_event::Removed>(e.kind) ? "Device(Removed)"
                                                                                       : "Device(Input)");
          },
          [](const le::User&) { return std::string("User"); },
          [](const le::EventsDrained&) { return std::string("EventsDrained"); },
          [](const le::RepaintRequested&) { return std::string("RepaintRequested"); },
          [](const le::CycleEnded&) { return std::string("CycleEnded"); },
          [](const le::LoopEnded&) { return std::string("LoopEnded"); },
      },
      event);
}

}  // namespace corvane::testing_support
