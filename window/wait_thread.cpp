#include "window/wait_thread.h"

#include <memory>
#include <optional>
#include <string>

#include "support/fatal.h"
#include "support/last_error.h"
#include "window/instant.h"
#include "window/owed_posts.h"
#include "window/registered_messages.h"

namespace corvane {
namespace {

struct WaitThreadContext {
  HWND thread_target;
  DWORD loop_thread_id;
};

// QS_ALLEVENTS as the loop has always waited on it, without the touch and pointer bits.
constexpr DWORD kWakeMask = 0x04BF;

// The latest deadline the loop posted, up to this token, replaces any earlier one; a token the loop
// never posted changes nothing.
void take_deadline(LPARAM token, std::optional<Instant>& deadline) {
  const auto owed = owed_deadlines().take_through(GetCurrentThreadId(), static_cast<PostToken>(token));
  if (!owed.empty()) deadline = owed.back();
}

DWORD WINAPI wait_thread_main(void* parameter) noexcept {
  const std::unique_ptr<WaitThreadContext> context(static_cast<WaitThreadContext*>(parameter));
  if (!PostThreadMessageW(context->loop_thread_id, registered_message(RegisteredMessage::SendWaitThreadId), 0,
                          static_cast<LPARAM>(GetCurrentThreadId()))) {
    ignore_last_error();
  }
  std::optional<Instant> deadline;
  for (;;) {
    MSG msg{};
    if (!deadline) {
      if (GetMessageW(&msg, nullptr, 0, 0) == 0) return 0;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (is_message(msg.message, RegisteredMessage::WaitUntil)) {
      take_deadline(msg.lParam, deadline);
    } else if (is_message(msg.message, RegisteredMessage::CancelWaitUntil)) {
      deadline.reset();
      continue;
    }
    if (!deadline) continue;
    const Instant current = now();
    if (current < *deadline) {
      const DWORD timeout = wait_timeout_ms(time_between(current, *deadline));
      if (MsgWaitForMultipleObjectsEx(0, nullptr, timeout, kWakeMask, MWMO_INPUTAVAILABLE) != WAIT_TIMEOUT)
        continue;
    }
    if (!PostMessageW(context->thread_target, registered_message(RegisteredMessage::ProcessNewEvents), 0,
                      0)) {
      ignore_last_error();
    }
    deadline.reset();
  }
}

}  // namespace

DWORD start_wait_thread(HWND thread_target, DWORD loop_thread_id) {
  auto context = std::make_unique<WaitThreadContext>(WaitThreadContext{thread_target, loop_thread_id});
  constexpr SIZE_T kStackReservation = 2 * 1024 * 1024;
  HANDLE thread = CreateThread(nullptr, kStackReservation, wait_thread_main, context.get(),
                               STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (thread == nullptr)
    fatal("failed to start the event loop's wait thread: error " + std::to_string(GetLastError()));
  context.release();
  CloseHandle(thread);

  const UINT id_message = registered_message(RegisteredMessage::SendWaitThreadId);
  MSG msg{};
  const BOOL result = GetMessageW(&msg, nullptr, id_message, id_message);
  if (msg.message != id_message) {
    fatal("the wait thread did not report its id (GetMessageW returned " + std::to_string(result) + ")");
  }
  return static_cast<DWORD>(msg.lParam);
}

}  // namespace corvane
