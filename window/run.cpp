#include "window/run.h"

#include "support/fatal.h"

namespace corvane {

void run(EventLoop& loop, EventHandler handler) {
  EventLoopRunner& runner = *loop.runner();
  if (!runner.install_handler(std::move(handler))) {
    fatal("assertion failed: no event handler is installed when the run loop starts");
  }
  runner.advance_phase(RunnerPhase::DeliveringEvents);
  int exit_code = 0;
  for (;;) {
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) == 0) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    const auto* exit = std::get_if<loop_control::Exit>(&runner.control());
    if (exit && runner.phase() == RunnerPhase::Idle) {
      exit_code = exit->code;
      break;
    }
  }
  runner.advance_phase(RunnerPhase::Destroyed);
  runner.reset();
  end_process(exit_code);
}

}  // namespace corvane
