#pragma once
#include <windows.h>

namespace corvane {

// Starts the thread that sleeps until "Corvane::WaitUntil" deadlines and then posts
// "Corvane::ProcessNewEvents" to the thread target window. Returns once the thread has reported its
// id, so its message queue exists before the loop ever posts to it.
DWORD start_wait_thread(HWND thread_target, DWORD loop_thread_id);

}  // namespace corvane
