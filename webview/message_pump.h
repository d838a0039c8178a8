#pragma once
// Waiting for an asynchronous WebView2 creation while the thread's messages keep flowing.
#include <memory>
#include <optional>

#include "support/com_callback.h"
#include "webview/webview_failure.h"

namespace corvane {

// Filled once, by a completion callback; read on the UI thread.
template <typename T>
using ResultSlot = std::optional<WebViewResult<T>>;

// Takes and dispatches one message with GetMessageA; the failure that ends the wait, if any: WM_QUIT
// (consumed, not posted again) gives the cancelled form, an error of GetMessageA a system error.
std::optional<WebViewError> pump_one_message();

template <typename T>
WebViewResult<T> wait_with_message_pump(ResultSlot<T>& slot) {
  for (;;) {
    if (slot) return std::move(*slot);
    if (auto failure = pump_one_message()) return std::move(*failure);
  }
}

// A completed handler whose closure delivers the outcome into the slot: the result, a failure for a
// failing error code, E_POINTER for success without a result. When the waiter is gone it answers
// E_UNEXPECTED.
template <typename Handler, typename T>
ComPtr<CompletionCallback<Handler, T>> deliver_into(const std::shared_ptr<ResultSlot<ComPtr<T>>>& slot) {
  return CompletionCallback<Handler, T>::create(
      [weak = std::weak_ptr(slot)](ComStatus outcome, ComPtr<T> result) -> ComStatus {
        const auto reader = weak.lock();
        if (!reader) return {E_UNEXPECTED, nullptr};
        if (outcome.failed()) {
          *reader = failure_from(outcome);
        } else if (!result) {
          *reader = system_failure(E_POINTER);
        } else {
          *reader = std::move(result);
        }
        return {};
      });
}

}  // namespace corvane
