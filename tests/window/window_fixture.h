#pragma once
// A real event loop and real main windows inside the test process, with a handler that records the
// window events it is given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/describe_event.h"
#include "window/event_loop.h"
#include "window/main_window.h"
#include "window/window_destruction.h"

namespace corvane::testing_support {

class WindowFixture : public testing::Test {
 protected:
  static EventLoop& loop() {
    static std::unique_ptr<EventLoop> loop = [] {
      auto created = create_event_loop();
      created->runner()->install_handler([](LoopEvent& event, LoopControl& control) {
        control = loop_control::Wait{};
        if (const auto* window = std::get_if<loop_event::Window>(&event))
          log().push_back(describe(window->kind));
      });
      return created;
    }();
    return *loop;
  }

  static std::vector<std::string>& log() {
    static std::vector<std::string> events;
    return events;
  }

  static WindowAttributes attributes(bool maximized, bool visible = true) {
    WindowAttributes a;
    a.title = "Corvane";
    a.inner_size = LogicalSize{1280, 820};
    a.constraints.min_width = LogicalLength{360};
    a.constraints.min_height = LogicalLength{560};
    a.maximized = maximized;
    a.visible = visible;
    return a;
  }

  MainWindow open(bool maximized, bool visible = true) {
    auto created = create_window(loop(), attributes(maximized, visible));
    EXPECT_TRUE(created.ok());
    windows_.push_back(created.value().hwnd);
    pump();
    log().clear();
    return created.value();
  }

  // Handles everything queued for this thread.
  static void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  static int count(const std::string& event) {
    return static_cast<int>(std::count(log().begin(), log().end(), event));
  }

  static SIZE client_size(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
  }

  void TearDown() override {
    for (HWND w : windows_) destroy_window(w);
    pump();
    log().clear();
  }

 private:
  std::vector<HWND> windows_;
};

}  // namespace corvane::testing_support
