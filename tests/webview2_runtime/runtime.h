#pragma once
// A stand-in for the WebView2 Runtime and its loader, for tests only: built as WebView2Loader.dll
// from the program's own ABI declarations. It behaves as the host relies on the real one to behave
// (completions later, on the UI thread; events that honour Cancel, Handled and deferrals), logs every
// call the host makes, can be scripted to fail calls or lack interfaces, and counts references.
//
// Environment variables, read when the DLL loads:
//   CORVANE_WEBVIEW2_LOG     file that receives one line per call and event (UTF-8)
//   CORVANE_WEBVIEW2_SCRIPT  file of script lines (see runtime_support.cpp)
//   CORVANE_WEBVIEW2_TIMES   when set, every log line starts with the performance counter in
//                            microseconds, for the start-up benchmark
// Commands arrive as WM_COPYDATA (dwData kCommandTag, UTF-16 text) at the content window
// (class kContentClass): "link <url>", "open <url> [size <w> <h>] [position <l> <t>]",
// "download <url> <path>", "close", "report", "memory" (answers the process's private bytes),
// "dpi <n>" (the top-level window is told its DPI changed) and "close-popups".
#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "support/com_callback.h"
#include "webview/webview2.h"

namespace corvane::test_runtime {

inline constexpr wchar_t kContentClass[] = L"Corvane Test WebView Content";
inline constexpr ULONG_PTR kCommandTag = 0x43565754;

// ---- log ------------------------------------------------------------------------------------------
void log_line(const std::string& line);
std::string hex(HRESULT hr);
std::string text(const wchar_t* s);  // "null" or the quoted UTF-8 text
std::string flag(BOOL b);

// ---- script ---------------------------------------------------------------------------------------
struct Completion {
  enum class Kind { Success, Failure, Null, Quit } kind = Kind::Success;
  HRESULT failure = S_OK;
};

// The HRESULT the script wants this call to fail with (error information set), or S_OK.
HRESULT scripted_failure(const std::string& call);
bool lacks(REFIID iid);
// Whether the script makes QueryInterface for the interface, or the call, succeed with NULL.
bool hands_out_null(REFIID iid);
bool hands_out_null(const std::string& call);
Completion environment_completion();
Completion controller_completion();

// Logs "<call>(<args>) = <hr>" and returns hr, unless the script fails the call: then that.
HRESULT logged(const std::string& call, const std::string& args, HRESULT hr = S_OK);

// Logs the call and hands out what make returns (one reference for the caller), or NULL where the
// script says so.
template <typename Interface, typename Make>
HRESULT hand_out(const std::string& call, Interface** out, Make&& make) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const HRESULT hr = logged(call, "");
  if (SUCCEEDED(hr) && !hands_out_null(call)) *out = make();
  return hr;
}

// ---- objects --------------------------------------------------------------------------------------
// Counts the references the runtime holds itself apart from all the others, so that a report can say
// what the host holds.
struct Counts {
  const char* kind;
  std::atomic<long> total{1};
  std::atomic<long> internal{0};
};

void register_object(Counts* counts);
void unregister_object(Counts* counts);
// Writes "live <kind> host=<n> internal=<m>" for every object alive.
void report_objects();

template <typename Derived, typename... Interfaces>
class RuntimeObject : public ComObject<Derived, Interfaces...> {
 public:
  using Base = ComObject<Derived, Interfaces...>;

  ULONG STDMETHODCALLTYPE AddRef() noexcept override {
    ++counts_.total;
    return Base::AddRef();
  }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    --counts_.total;
    return Base::Release();
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (out != nullptr && (lacks(iid) || hands_out_null(iid))) {
      *out = nullptr;
      return lacks(iid) ? E_NOINTERFACE : S_OK;
    }
    return Base::QueryInterface(iid, out);
  }
  Counts& counts() { return counts_; }

 protected:
  explicit RuntimeObject(const char* kind) {
    counts_.kind = kind;
    register_object(&counts_);
  }
  ~RuntimeObject() override { unregister_object(&counts_); }

 private:
  Counts counts_;
};

// A reference the runtime keeps for itself.
template <typename T>
class Held {
 public:
  Held() = default;
  explicit Held(ComPtr<T> object) : object_(std::move(object)) {
    if (object_) ++object_->counts().internal;
  }
  Held(Held&& other) noexcept : object_(std::move(other.object_)) { other.object_ = nullptr; }
  Held& operator=(Held&& other) noexcept {
    reset();
    object_ = std::move(other.object_);
    other.object_ = nullptr;
    return *this;
  }
  ~Held() { reset(); }
  void reset() {
    if (object_) --object_->counts().internal;
    object_ = nullptr;
  }
  T* get() const { return object_.Get(); }
  T* operator->() const { return object_.Get(); }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  ComPtr<T> object_;
};

// ---- the UI thread --------------------------------------------------------------------------------
// Runs the closure later, from a message posted on the calling (UI) thread.
void post_to_ui_thread(std::function<void()> closure);

// Paints the window's caption, large, on white: what the runtime's windows show.
void paint_caption(HWND window);

// A CoTaskMemAlloc copy of the text for the caller to free.
LPWSTR task_string(const std::wstring& text);

}  // namespace corvane::test_runtime
