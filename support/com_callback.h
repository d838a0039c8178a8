#pragma once
// The program's COM callback objects: a completion handler that runs its closure at most once, and
// an event handler that runs its closure on every call. Both answer the object model's interfaces.
#include <functional>
#include <optional>
#include <utility>

#include "support/com_object.h"
#include "support/com_status.h"

namespace corvane {

template <typename Interface, typename Result>
class CompletionCallback final : public ComObject<CompletionCallback<Interface, Result>, Interface> {
 public:
  // Receives the outcome (a failure for a negative error code) and the result with its own reference.
  using Closure = std::function<ComStatus(ComStatus outcome, ComPtr<Result> result)>;

  explicit CompletionCallback(Closure closure) : closure_(std::move(closure)) {}

  HRESULT STDMETHODCALLTYPE Invoke(HRESULT error, Result* result) noexcept override {
    if (!closure_) return S_OK;  // completed before: nothing changes
    const Closure closure = std::move(*closure_);
    closure_.reset();
    ComStatus outcome = FAILED(error) ? ComStatus::from_thread(error) : ComStatus{};
    return closure(std::move(outcome), ComPtr<Result>(result)).to_caller();
  }

 private:
  std::optional<Closure> closure_;
};

template <typename Interface, typename Sender, typename Args>
class EventCallback final : public ComObject<EventCallback<Interface, Sender, Args>, Interface> {
 public:
  // Receives the sender and the event's arguments, each with its own reference.
  using Closure = std::function<ComStatus(ComPtr<Sender> sender, ComPtr<Args> args)>;

  explicit EventCallback(Closure closure) : closure_(std::move(closure)) {}

  HRESULT STDMETHODCALLTYPE Invoke(Sender* sender, Args* args) noexcept override {
    return closure_(ComPtr<Sender>(sender), ComPtr<Args>(args)).to_caller();
  }

 private:
  Closure closure_;
};

}  // namespace corvane
