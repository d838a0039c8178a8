#include "window/registered_messages.h"

#include <array>
#include <atomic>

namespace corvane {
namespace {

// In the order of RegisteredMessage.
constexpr std::array<const char*, 11> kNames = {
    "Corvane::SendWaitThreadId", "Corvane::WaitUntil",  "Corvane::CancelWaitUntil",
    "Corvane::ProcessNewEvents", "Corvane::WakeupMsg",  "Corvane::ExecMsg",
    "Corvane::WebViewExecMsg",   "Corvane::DestroyMsg", "Corvane::SetRetainMaximized",
    "Corvane::ChangeTheme",      "TaskbarCreated",
};
static_assert(kNames.size() == static_cast<size_t>(RegisteredMessage::TaskbarCreated) + 1);

std::array<std::atomic<UINT>, kNames.size()> g_ids{};

}  // namespace

UINT registered_message(RegisteredMessage message) {
  const auto index = static_cast<size_t>(message);
  UINT id = g_ids[index].load(std::memory_order_acquire);
  if (id == 0) {
    // A concurrent first use registers the same name again and gets the same id back.
    id = RegisterWindowMessageA(kNames[index]);
    g_ids[index].store(id, std::memory_order_release);
  }
  return id;
}

bool is_message(UINT msg, RegisteredMessage message) {
  const UINT id = registered_message(message);
  return id != 0 && msg == id;
}

}  // namespace corvane
