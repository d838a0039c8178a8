// Strings the runtime hands out, tracked until the host frees them. The host frees them with
// CoTaskMemFree, which the runtime sees through an IMallocSpy registered for the whole process.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "support/text.h"
#include "tests/webview2_runtime/runtime.h"

namespace corvane::test_runtime {
namespace {

// One record per string handed out. A string freed some other way (LocalFree, HeapFree) never reaches
// the watch, and its block may be handed out again for a later string while its record is still open:
// that record then counts as a string not freed with CoTaskMemFree, and the later string gets a record
// of its own.
struct Record {
  void* block;
  std::wstring text;
};

// Never destroyed: the process's last frees may come after this DLL was told it is detached.
struct Outstanding {
  std::mutex lock;
  std::vector<Record> open;     // handed out, not yet freed
  std::vector<Record> wrongly;  // freed some other way
};

Outstanding& outstanding() {
  static auto* strings = new Outstanding;
  return *strings;
}

// The open record of the block, if any.
std::vector<Record>::iterator open_record(Outstanding& o, void* block) {
  return std::find_if(o.open.begin(), o.open.end(), [&](const Record& r) { return r.block == block; });
}

void forget(void* block) {
  Outstanding& o = outstanding();
  std::lock_guard guard(o.lock);
  if (const auto record = open_record(o, block); record != o.open.end()) o.open.erase(record);
}

// Sees every task-memory free of the process; changes nothing about any allocation.
class FreeWatch final : public ComObject<FreeWatch, IMallocSpy> {
 public:
  SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T request) noexcept override { return request; }
  void* STDMETHODCALLTYPE PostAlloc(void* actual) noexcept override { return actual; }
  void* STDMETHODCALLTYPE PreFree(void* request, BOOL) noexcept override {
    if (request != nullptr) forget(request);
    return request;
  }
  void STDMETHODCALLTYPE PostFree(BOOL) noexcept override {}
  SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** new_request,
                                      BOOL) noexcept override {
    if (request != nullptr) forget(request);
    *new_request = request;
    return size;
  }
  void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) noexcept override { return actual; }
  void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) noexcept override { return request; }
  SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T actual, BOOL) noexcept override { return actual; }
  void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) noexcept override { return request; }
  int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) noexcept override { return actual; }
  void STDMETHODCALLTYPE PreHeapMinimize() noexcept override {}
  void STDMETHODCALLTYPE PostHeapMinimize() noexcept override {}
};

}  // namespace

void watch_task_memory() {
  static const HRESULT registered = CoRegisterMallocSpy(FreeWatch::create().Get());
  if (FAILED(registered)) log_line("the task-memory watch could not be registered: " + hex(registered));
}

LPWSTR hand_out_string(const std::wstring& value) {
  const size_t bytes = (value.size() + 1) * sizeof(wchar_t);
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, value.c_str(), bytes);
  Outstanding& o = outstanding();
  std::lock_guard guard(o.lock);
  // Handed out again while still open: the earlier string was never given to CoTaskMemFree.
  if (const auto earlier = open_record(o, copy); earlier != o.open.end()) {
    o.wrongly.push_back(std::move(*earlier));
    o.open.erase(earlier);
  }
  o.open.push_back({copy, value});
  return copy;
}

HRESULT hand_out_text(const std::string& call, LPWSTR* out, const std::wstring& value) {
  if (!out) return E_POINTER;
  const HRESULT hr = logged(call, "");
  *out = hr == RPC_E_WRONG_THREAD ? nullptr : hand_out_string(value);
  return hr;
}

long report_unfreed_strings() {
  std::vector<Record> open, wrongly;
  {
    Outstanding& o = outstanding();
    std::lock_guard guard(o.lock);
    open = o.open;
    wrongly = o.wrongly;
  }
  for (const Record& r : open) log_line("live string \"" + to_utf8(r.text) + "\"");
  for (const Record& r : wrongly) log_line("string not freed with CoTaskMemFree \"" + to_utf8(r.text) + "\"");
  return static_cast<long>(open.size() + wrongly.size());
}

}  // namespace corvane::test_runtime
