#pragma once
// The user-event queue: any thread may send, the loop thread receives one item per
// "Corvane::WakeupMsg". Items carry no data.
#include <windows.h>

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>

namespace corvane {

struct UserEventChannel {
  std::mutex lock;
  std::condition_variable arrived;
  std::size_t pending = 0;
  std::size_t senders = 0;
};

class UserEventSender {
 public:
  UserEventSender(std::shared_ptr<UserEventChannel> channel, HWND thread_target);
  UserEventSender(UserEventSender&&) = default;
  UserEventSender(const UserEventSender&) = delete;
  UserEventSender& operator=(const UserEventSender&) = delete;
  ~UserEventSender();

  // Queues one item and wakes the loop with "Corvane::WakeupMsg".
  void send() const;

 private:
  std::shared_ptr<UserEventChannel> channel_;
  HWND thread_target_;
};

class UserEventReceiver {
 public:
  explicit UserEventReceiver(std::shared_ptr<UserEventChannel> channel) : channel_(std::move(channel)) {}
  // Takes one item, waiting for it; false when none is there and every sender is gone.
  bool receive() const;

 private:
  std::shared_ptr<UserEventChannel> channel_;
};

}  // namespace corvane
