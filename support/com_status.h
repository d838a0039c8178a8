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

// A call that hands out an interface: its failure, or E_POINTER when it succeeds without one.
template <typename Interface>
HRESULT obtained(HRESULT code, const ComPtr<Interface>& result) {
  return SUCCEEDED(code) && !result ? E_POINTER : code;
}

}  // namespace corvane
