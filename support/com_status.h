#pragma once
// The outcome of a COM call: its HRESULT together with the error information that describes it.
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

namespace corvane {

using Microsoft::WRL::ComPtr;

struct ComStatus {
  HRESULT code = S_OK;
  ComPtr<IErrorInfo> info;

  bool failed() const { return FAILED(code); }
  // A failure with the thread's current error information (taken off the thread).
  static ComStatus from_thread(HRESULT code) {
    ComStatus status{code, nullptr};
    GetErrorInfo(0, &status.info);
    return status;
  }
  // Success, or the call's failure with the thread's error information.
  static ComStatus of(HRESULT code) { return FAILED(code) ? from_thread(code) : ComStatus{}; }
  // What a callback hands back to its caller: the failure's code, with its error information put
  // back on the thread; S_OK for success.
  HRESULT to_caller() const {
    if (!failed()) return S_OK;
    if (info) SetErrorInfo(0, info.Get());
    return code;
  }
};

// Takes the thread's error information and drops it: it describes no failure of ours.
inline void drop_error_info() {
  ComPtr<IErrorInfo> info;
  GetErrorInfo(0, &info);
}

// A call that hands out an interface: its failure with the thread's error information, or E_POINTER
// when it succeeds without one. That E_POINTER is the program's own finding, so it carries no error
// information: whatever the thread still holds belongs to an earlier call, and is dropped.
template <typename Interface>
ComStatus obtained(HRESULT code, const ComPtr<Interface>& result) {
  if (FAILED(code)) return ComStatus::from_thread(code);
  if (result) return {};
  drop_error_info();
  return {E_POINTER, nullptr};
}

}  // namespace corvane
