#pragma once
#include <windows.h>

namespace corvane {

enum class RegisteredMessage {
  SendWaitThreadId,
  WaitUntil,
  CancelWaitUntil,
  ProcessNewEvents,
  WakeupMsg,
  ExecMsg,
  WebViewExecMsg,
  DestroyMsg,
  SetRetainMaximized,
  ChangeTheme,
  TaskbarCreated,
};

// The message's id, registered with RegisterWindowMessageA the first time any code asks for it.
UINT registered_message(RegisteredMessage message);

// True when msg is that registered message. A registration that failed (id 0) matches nothing.
bool is_message(UINT msg, RegisteredMessage message);

}  // namespace corvane
