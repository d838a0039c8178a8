#pragma once
// The user-event queue: any thread may send, the loop thread receives one item per
// "Corvane::WakeupMsg". Items carry no data.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <mutex>

namespace corvane {

struct UserEventChannel {
  std::mutex lock;
  std::size_t pending = 0;
};

class UserEventSender {
 public:
  UserEventSender(std::shared_ptr<UserEventChannel> channel, HWND thread_target)
      : channel_(std::move(channel)), thread_target_(thread_target) {}

  // Queues one item, then wakes the loop with "Corvane::WakeupMsg": the item is always there before
  // its wake-up arrives.
  void send() const;

 private:
  std::shared_ptr<UserEventChannel> channel_;
  HWND thread_target_;
};

class UserEventReceiver {
 public:
  explicit UserEventReceiver(std::shared_ptr<UserEventChannel> channel) : channel_(std::move(channel)) {}
  // Takes one item; false when none is queued (another program posted the wake-up).
  bool receive() const;

 private:
  std::shared_ptr<UserEventChannel> channel_;
};

}  // namespace corvane
