#include "window/user_events.h"

#include "support/last_error.h"
#include "window/registered_messages.h"

namespace corvane {

void UserEventSender::send() const {
  {
    std::lock_guard guard(channel_->lock);
    ++channel_->pending;
  }
  if (!PostMessageW(thread_target_, registered_message(RegisteredMessage::WakeupMsg), 0, 0))
    ignore_last_error();
}

bool UserEventReceiver::receive() const {
  std::lock_guard guard(channel_->lock);
  if (channel_->pending == 0) return false;
  --channel_->pending;
  return true;
}

}  // namespace corvane
