#pragma once
// Sole ownership of a system handle; Traits says what an empty handle is and how to close one.
#include <utility>

namespace corvane {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle h) noexcept : handle_(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return Traits::valid(handle_); }

  Handle release() noexcept { return std::exchange(handle_, Traits::empty()); }
  void reset(Handle h = Traits::empty()) noexcept {
    const Handle old = std::exchange(handle_, h);
    if (Traits::valid(old)) Traits::close(old);
  }

 private:
  Handle handle_ = Traits::empty();
};

}  // namespace corvane
