#pragma once
// What a window or thread is owed through messages posted to it. A registered message has the same
// number for every process on the desktop, so any program can post it with any value. The poster
// therefore keeps the payload and posts only a token; the receiver takes what it is still owed, up to
// the payload of that token, and ignores every token it was never given.
//
// The key rule: paying a token also pays every older payload of the same receiver. Messages reach a
// receiver in the order they were posted, so an older token still in its queue finds nothing left,
// and a payload is never run twice nor left behind when a later token is paid first.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <iterator>
#include <mutex>
#include <optional>
#include <vector>

namespace corvane {

// A token: what the message carries in place of a pointer.
using PostToken = std::uint64_t;

// Tokens start at a value that another process cannot know.
PostToken first_post_token();

template <typename Payload>
class OwedPosts {
 public:
  // Keeps the payload for the receiver (a window handle or a thread id) and has post_token post its
  // token; false when post_token fails, and the payload is then dropped.
  template <typename Post>
  bool post(std::uintptr_t receiver, Payload payload, Post&& post_token) {
    std::optional<Payload> unposted;  // dropped once the lock is released: dropping may post again
    std::lock_guard guard(lock_);
    const auto token = next_token_++;
    owed_.push_back({receiver, token, std::move(payload)});
    // Still under the lock, so that tokens reach the receiver's queue in the order they were given.
    if (post_token(token)) return true;
    unposted = std::move(owed_.back().payload);
    owed_.pop_back();
    return false;
  }

  // What the receiver is owed up to and including the payload of this token, oldest first; nothing
  // for a token it was never given or has already been paid.
  std::vector<Payload> take_through(std::uintptr_t receiver, PostToken token) {
    std::lock_guard guard(lock_);
    std::vector<Payload> taken;
    const auto paid = std::find_if(owed_.begin(), owed_.end(), [&](const Entry& entry) {
      return entry.receiver == receiver && entry.token == token;
    });
    if (paid == owed_.end()) return taken;
    const auto end = std::next(paid);
    for (auto it = owed_.begin(); it != end; ++it) {
      if (it->receiver == receiver) taken.push_back(std::move(it->payload));
    }
    auto kept = std::stable_partition(owed_.begin(), end,
                                      [&](const Entry& entry) { return entry.receiver != receiver; });
    owed_.erase(kept, end);
    return taken;
  }

  // Everything still owed to a receiver that is going away, for the caller to drop.
  std::vector<Payload> take_all(std::uintptr_t receiver) {
    std::lock_guard guard(lock_);
    std::vector<Payload> taken;
    for (Entry& entry : owed_) {
      if (entry.receiver == receiver) taken.push_back(std::move(entry.payload));
    }
    std::erase_if(owed_, [&](const Entry& entry) { return entry.receiver == receiver; });
    return taken;
  }

 private:
  struct Entry {
    std::uintptr_t receiver;
    PostToken token;
    Payload payload;
  };

  std::mutex lock_;
  std::deque<Entry> owed_;
  PostToken next_token_ = first_post_token();
};

}  // namespace corvane
