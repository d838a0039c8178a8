// Child-process scenarios for the run loop: each creates the real event loop, runs it with a handler
// that prints every event on a line of its own, and ends the process the way the scenario asks.
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "tests/common/describe_event.h"
#include "tests/common/scenario_main.h"
#include "window/event_loop.h"
#include "window/process_setup.h"
#include "window/registered_messages.h"
#include "window/run.h"

namespace corvane {
namespace {

using testing_support::describe;

constexpr UINT kDeliverMoved = WM_APP + 1;  // lParam: x, wParam: y
constexpr UINT kSendNested = WM_APP + 2;

void print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// A small visible top-level window standing in for the main window: its paints go through the
// runner, and kDeliverMoved makes it deliver a Moved event.
struct TestWindow {
  static LRESULT CALLBACK procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    auto* runner = reinterpret_cast<EventLoopRunner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (runner && msg == WM_PAINT) {
      ValidateRect(window, nullptr);
      runner->handle_top_level_paint(window);
      return 0;
    }
    if (runner && msg == kDeliverMoved) {
      LoopEvent event = loop_event::Window{window, window_event::Moved{{static_cast<std::int32_t>(lparam),
                                                                        static_cast<std::int32_t>(wparam)}}};
      runner->deliver_event(event);
      return 0;
    }
    return DefWindowProcW(window, msg, wparam, lparam);
  }

  explicit TestWindow(EventLoopRunner& runner) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"Corvane Loop Test Window";
    RegisterClassW(&window_class);
    hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, window_class.lpszClassName, L"loop test",
                           WS_POPUP | WS_VISIBLE, 10, 10, 120, 80, nullptr, nullptr, window_class.hInstance,
                           nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&runner));
    runner.register_window(hwnd);
    ValidateRect(hwnd, nullptr);
  }

  void post_moved(int x, int y) const { PostMessageW(hwnd, kDeliverMoved, y, x); }
  void send_moved(int x, int y) const { SendMessageW(hwnd, kDeliverMoved, y, x); }

  HWND hwnd;
};

void deliver_window_event(EventLoopRunner& runner, HWND window, WindowEventKind kind) {
  LoopEvent event = loop_event::Window{window, std::move(kind)};
  runner.deliver_event(event);
}

bool is(const LoopEvent& event, const char* text) {
  return describe(event) == text;
}

// Runs the loop, printing each event before the scenario's own reaction to it.
[[noreturn]] void run_logged(EventLoop& loop, std::function<void(LoopEvent&, LoopControl&)> react) {
  run(loop, [react = std::move(react)](LoopEvent& event, LoopControl& control) {
    print(describe(event));
    control = loop_control::Wait{};
    react(event, control);
  });
}

CORVANE_SCENARIO(startup_trace) {
  auto loop = create_event_loop();
  TestWindow window(*loop->runner());
  deliver_window_event(*loop->runner(), window.hwnd, window_event::Resized{{1, 2}});
  deliver_window_event(*loop->runner(), window.hwnd, window_event::Moved{{3, 4}});
  InvalidateRect(window.hwnd, nullptr, FALSE);
  run_logged(*loop, [](LoopEvent& event, LoopControl& control) {
    if (is(event, "CycleEnded")) control = loop_control::Exit{0};
  });
}

CORVANE_SCENARIO(exit_is_final) {
  auto loop = create_event_loop();
  TestWindow window(*loop->runner());
  deliver_window_event(*loop->runner(), window.hwnd, window_event::Moved{{1, 1}});
  deliver_window_event(*loop->runner(), window.hwnd, window_event::Moved{{2, 2}});
  run_logged(*loop, [](LoopEvent& event, LoopControl& control) {
    if (is(event, "Window(Moved 1,1)")) control = loop_control::Exit{5};
    // Later events of the same cycle try to take the request back.
    if (is(event, "Window(Moved 2,2)") || is(event, "EventsDrained")) control = loop_control::Poll{};
  });
}

CORVANE_SCENARIO(exit_waits_for_cycle_end) {
  auto loop = create_event_loop();
  TestWindow window(*loop->runner());
  run_logged(*loop, [&](LoopEvent& event, LoopControl& control) {
    if (is(event, "CycleStarted(FirstCycle)")) {
      control = loop_control::Exit{7};
      for (int i = 1; i <= 3; ++i) window.post_moved(i, i);
    }
  });
}

CORVANE_SCENARIO(quit_mid_cycle) {
  auto loop = create_event_loop();
  run_logged(*loop, [](LoopEvent& event, LoopControl&) {
    if (is(event, "CycleStarted(FirstCycle)")) PostQuitMessage(9);
  });
}

CORVANE_SCENARIO(quit_when_idle) {
  auto loop = create_event_loop();
  run_logged(*loop, [](LoopEvent& event, LoopControl&) {
    if (is(event, "CycleEnded")) PostQuitMessage(9);
  });
}

CORVANE_SCENARIO(end_session) {
  auto loop = create_event_loop();
  const WPARAM ending = arguments.at(0) == "true";
  run_logged(*loop, [&](LoopEvent& event, LoopControl& control) {
    if (is(event, "CycleStarted(FirstCycle)")) PostMessageW(loop->thread_target(), WM_ENDSESSION, ending, 0);
    if (is(event, "CycleEnded")) control = loop_control::Exit{4};
  });
}

CORVANE_SCENARIO(poll) {
  auto loop = create_event_loop();
  int cycles = 0;
  run_logged(*loop, [&](LoopEvent& event, LoopControl& control) {
    control = loop_control::Poll{};
    if (is(event, "CycleEnded") && ++cycles == 3) control = loop_control::Exit{0};
  });
}

// A deadline that many milliseconds from now; a negative count gives one already past.
Instant from_now(std::int64_t milliseconds) {
  const Instant t = now();
  constexpr std::int64_t kNanosPerSecond = 1'000'000'000;
  const std::int64_t nanos =
      static_cast<std::int64_t>(t.seconds) * kNanosPerSecond + t.nanoseconds + milliseconds * 1'000'000;
  return {static_cast<std::uint64_t>(nanos / kNanosPerSecond),
          static_cast<std::uint32_t>(nanos % kNanosPerSecond)};
}

CORVANE_SCENARIO(wait_until) {
  auto loop = create_event_loop();
  TestWindow window(*loop->runner());
  const std::string mode = arguments.at(0);
  std::thread poster;
  int cycles = 0;
  run_logged(*loop, [&](LoopEvent& event, LoopControl& control) {
    if (!is(event, "CycleEnded")) return;
    if (++cycles == 2) {
      control = loop_control::Exit{0};
    } else if (mode == "interrupted") {
      control = loop_control::WaitUntil{from_now(30000)};
      poster = std::thread([&] {
        Sleep(100);
        window.post_moved(5, 5);
      });
      poster.detach();
    } else {
      control = loop_control::WaitUntil{from_now(mode == "future" ? 150 : -1000)};
    }
  });
}

CORVANE_SCENARIO(reentrant_delivery_is_queued) {
  auto loop = create_event_loop();
  TestWindow window(*loop->runner());
  run_logged(*loop, [&](LoopEvent& event, LoopControl& control) {
    if (is(event, "CycleStarted(FirstCycle)")) window.send_moved(1, 1);
    if (is(event, "Window(Moved 1,1)")) window.send_moved(2, 2);
    if (is(event, "CycleEnded")) control = loop_control::Exit{0};
  });
}

CORVANE_SCENARIO(reentrant_cycle_is_fatal) {
  auto loop = create_event_loop();
  run_logged(*loop, [&](LoopEvent& event, LoopControl&) {
    if (is(event, "CycleEnded")) {
      SendMessageW(loop->thread_target(), registered_message(RegisteredMessage::ProcessNewEvents), 0, 0);
    }
  });
}

CORVANE_SCENARIO(user_event) {
  auto loop = create_event_loop();
  loop->user_events().send();
  run_logged(*loop, [](LoopEvent& event, LoopControl& control) {
    if (is(event, "CycleEnded")) control = loop_control::Exit{0};
  });
}

CORVANE_SCENARIO(closure_from_another_thread) {
  auto loop = create_event_loop();
  const DWORD loop_thread = GetCurrentThreadId();
  std::thread([&] {
    run_on_loop_thread(loop->loop_thread_id(), loop->thread_target(), [loop_thread] {
      print(GetCurrentThreadId() == loop_thread ? "closure on the loop thread" : "closure on another thread");
    });
  }).join();
  run_logged(*loop, [&](LoopEvent& event, LoopControl& control) {
    if (is(event, "CycleEnded")) control = loop_control::Exit{0};
  });
}

CORVANE_SCENARIO(queued_scale_change) {
  auto loop = create_event_loop();
  TestWindow window(*loop->runner());
  const bool change = arguments.at(0) == "changed";
  deliver_window_event(*loop->runner(), window.hwnd, window_event::ScaleChanged{1.5, {300, 200}});
  run_logged(*loop, [&](LoopEvent& event, LoopControl& control) {
    if (auto* w = std::get_if<loop_event::Window>(&event)) {
      if (auto* scale = std::get_if<window_event::ScaleChanged>(&w->kind); scale && change) {
        scale->new_size = {200, 100};
      }
    }
    if (is(event, "CycleEnded")) {
      RECT client;
      GetClientRect(window.hwnd, &client);
      print("client " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
      control = loop_control::Exit{0};
    }
  });
}

CORVANE_SCENARIO(loop_on_another_thread) {
  std::thread([] { create_event_loop(); }).join();
  return 0;
}

CORVANE_SCENARIO(second_loop) {
  auto first = create_event_loop();
  auto second = create_event_loop();
  print(first->thread_target() && second->thread_target() && first->thread_target() != second->thread_target()
            ? "own thread target windows"
            : "shared thread target window");
  const DWORD a = first->runner()->wait_thread_id(), b = second->runner()->wait_thread_id();
  print(a != b && a != GetCurrentThreadId() && b != GetCurrentThreadId() ? "own wait threads"
                                                                         : "wait threads wrong");
  static int calls = 0;
  DpiFunctions counting;
  counting.set_process_dpi_aware = []() -> BOOL { return ++calls, TRUE; };
  print(make_process_dpi_aware_once(counting) || calls ? "DPI step repeated" : "DPI step not repeated");
  return 0;
}

CORVANE_SCENARIO(leaving_destroyed) {
  HWND target =
      CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  EventLoopRunner runner(target, 0);
  runner.install_handler([](LoopEvent& event, LoopControl&) { print(describe(event)); });
  runner.advance_phase(RunnerPhase::Destroyed);
  print("destroyed");
  runner.advance_phase(RunnerPhase::Destroyed);
  runner.advance_phase(arguments.at(0) == "idle" ? RunnerPhase::Idle : RunnerPhase::DeliveringEvents);
  print("still running");
  return 0;
}

}  // namespace
}  // namespace corvane
