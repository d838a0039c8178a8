#pragma once
// A stand-in for the WebView2 Runtime and its loader, for tests only: built as WebView2Loader.dll
// from the program's own ABI declarations. It is as strict as the real runtime wherever a host could
// go wrong:
//   - the creations complete late (400 ms and 150 ms unless the script says otherwise), from a
//     message that another thread posts;
//   - every call must come from the thread that created the environment, in a single-threaded
//     apartment; a call from another thread is refused with RPC_E_WRONG_THREAD and counted;
//   - every string it hands out is tracked until the host frees it;
//   - page events are raised from the UI thread's own dispatch, never inside a test's SendMessage;
//   - URLs reach the host in the browser's canonical form, and redirects raise NavigationStarting
//     again for every hop;
//   - a controller whose parent window is gone is closed, and every later call on it fails.
// It logs every call, can be scripted to fail calls, withhold results or lack interfaces, counts
// references, and at the end of the process says whether the host kept its side:
//   runtime contract: <n> thread violations, <m> strings not freed
//
// Environment variables, read when the DLL loads:
//   CORVANE_WEBVIEW2_LOG     file that receives one line per call and event (UTF-8)
//   CORVANE_WEBVIEW2_SCRIPT  file of script lines (see script.cpp)
//   CORVANE_WEBVIEW2_TIMES   when set, every log line starts with the performance counter in
//                            microseconds, for the start-up benchmark
// Commands arrive as WM_COPYDATA (dwData kCommandTag, UTF-16 text) at the content window (class
// kContentClass). Page events return at once and happen later, from a posted message; several
// separated by " ; " happen in one go:
//   link <url>, open <url> [size <w> <h>] [position <l> <t>], download <url> <path>, close,
//   dpi <n> (the top-level window is told its DPI changed), close-popups.
// Queries answer at once: "report" (logs what is alive), "memory" (the process's private bytes),
// "pending" (page events not yet over).
#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "tests/common/hex.h"
#include "tests/webview2_runtime/chain.h"
#include "webview/webview2.h"

namespace corvane::test_runtime {

inline constexpr wchar_t kContentClass[] = L"Corvane Test WebView Content";
inline constexpr ULONG_PTR kCommandTag = 0x43565754;

// ---- log ------------------------------------------------------------------------------------------
void log_line(const std::string& line);
using testing_support::hex;
std::string text(const wchar_t* s);  // "null" or the quoted UTF-8 text
std::string flag(BOOL b);

// ---- script ---------------------------------------------------------------------------------------
struct Completion {
  enum class Kind { Success, Failure, Null, Quit } kind = Kind::Success;
  HRESULT failure = S_OK;
};

// The HRESULT the script wants this call to fail with (error information set), or S_OK (with the error
// information the script leaves for this call, if any).
HRESULT scripted_failure(const std::string& call);
bool lacks(REFIID iid);
// Whether the script makes QueryInterface for the interface, or the call, succeed with NULL.
bool hands_out_null(REFIID iid);
bool hands_out_null(const std::string& call);
Completion environment_completion();
Completion controller_completion();
// How long a creation takes before it completes; none: it never does.
std::optional<DWORD> environment_delay_ms();
std::optional<DWORD> controller_delay_ms();
// Where the script redirects a navigation to this (canonical) URL, if anywhere.
std::optional<std::wstring> redirect_of(const std::wstring& url);

// ---- the UI thread --------------------------------------------------------------------------------
// Records the calling thread as the UI thread; false (a violation, logged and counted) when it is not
// in a single-threaded apartment.
bool adopt_ui_thread();
// False, with the violation logged and counted, when the call comes from another thread.
bool on_ui_thread(const std::string& call);

// Every call on the runtime's objects comes through here first: refused with RPC_E_WRONG_THREAD off
// the UI thread, failed where the script says, and logged as "<call>(<args>) = <hr>".
HRESULT logged(const std::string& call, const std::string& args, HRESULT hr = S_OK);

// Runs the closure later on the UI thread, from a message posted there.
void post_to_ui_thread(std::function<void()> closure);
// Runs the closure on the UI thread once the delay has passed, from a message another thread posts;
// never when there is no delay.
void post_after(std::optional<DWORD> delay_ms, std::function<void()> closure);
// A page event, counted until it is over (the "pending" query).
void post_page_event(std::function<void()> closure);
long pending_page_events();

// ---- strings --------------------------------------------------------------------------------------
// A CoTaskMemAlloc copy of the text for the host, tracked until the host frees it.
LPWSTR hand_out_string(const std::wstring& text);
// Starts watching the process's task-memory frees (an IMallocSpy).
void watch_task_memory();
// "live string <text>" for each string handed out and never freed; their count.
long report_unfreed_strings();

// ---- URLs -----------------------------------------------------------------------------------------
// The URL as the browser puts it before any host sees it: tabs and line feeds removed, scheme and
// host in lower case, default ports dropped, backslashes in http and https turned into slashes.
std::wstring canonical_url(std::wstring_view url);

// ---- the start-up benchmark ----------------------------------------------------------------------
// With CORVANE_WEBVIEW2_TIMES set, logs "window painted" when the UI thread first takes a WM_PAINT for
// a maximized top-level window.
void watch_first_paint();

// ---- the end --------------------------------------------------------------------------------------
// "runtime contract: N thread violations, M strings not freed".
void report_contract();

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
    if (!on_ui_thread(std::string(counts_.kind) + ".QueryInterface")) return RPC_E_WRONG_THREAD;
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

// Logs the call and hands out a copy of the value.
template <typename T>
HRESULT hand_out_value(const std::string& call, T* out, T value) {
  if (!out) return E_POINTER;
  const HRESULT hr = logged(call, "");
  if (SUCCEEDED(hr)) *out = value;
  return hr;
}

// Logs the call and hands out a tracked copy of the text, even when the script fails the call: a
// failing runtime may still hand out a buffer, and the host must free it.
HRESULT hand_out_text(const std::string& call, LPWSTR* out, const std::wstring& value);

// Paints the window's caption, large, on white: what the runtime's windows show.
void paint_caption(HWND window);

}  // namespace corvane::test_runtime
