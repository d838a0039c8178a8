#include "window/user_events.h"

#include "window/registered_messages.h"

namespace corvane {

UserEventSender::UserEventSender(std::shared_ptr<UserEventChannel> channel, HWND thread_target)
    : channel_(std::move(channel)), thread_target_(thread_target) {
  std::lock_guard guard(channel_->lock);
  ++channel_->senders;
}

UserEventSender::~UserEventSender() {
  if (!channel_) return;  // moved from
  std::lock_guard guard(channel_->lock);
  if (--channel_->senders == 0) channel_->arrived.notify_all();
}

void UserEventSender::send() const {
  {
    std::lock_guard guard(channel_->lock);
    ++channel_->pending;
  }
  channel_->arrived.notify_one();
  if (!PostMessageW(thread_target_, registered_message(RegisteredMessage::WakeupMsg), 0, 0)) GetLastError();
}

bool UserEventReceiver::receive() const {
  std::unique_lock guard(channel_->lock);
  channel_->arrived.wait(guard, [&] { return channel_->pending > 0 || channel_->senders == 0; });
  if (channel_->pending == 0) return false;
  --channel_->pending;
  return true;
}

}  // namespace corvane
