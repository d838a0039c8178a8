// The test runtime's log, script, object registry and UI-thread messages.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <vector>

#include "support/text.h"
#include "tests/webview2_runtime/runtime.h"

namespace corvane::test_runtime {
namespace {

std::string environment(const char* name) {
  wchar_t value[2048];
  const DWORD length = GetEnvironmentVariableW(to_utf16(name).c_str(), value, 2048);
  return length > 0 && length < 2048 ? to_utf8(std::wstring_view(value, length)) : std::string();
}

struct Failure {
  HRESULT code;
  std::string description;
};

// Script lines:
//   fail <Interface.Method> <hresult> [description]   every such call fails with that result
//   fail-once <Interface.Method> <n> <hresult> [description]
//                                                     only the n-th such call (from 1) fails
//   environment-completion success|null|quit|<hresult>
//   controller-completion success|null|quit|<hresult>
//   lack <interface>                                  QueryInterface for it fails
//   null <Interface.Method>|<interface>               the call, or QueryInterface for the interface,
//                                                     succeeds and hands out NULL
struct Script {
  std::map<std::string, Failure> failures;
  std::map<std::string, std::pair<long, Failure>> failures_once;
  std::set<std::string> lacking;
  std::set<std::string> null_results;
  Completion environment, controller;
};

Completion parse_completion(const std::string& word) {
  if (word == "null") return {Completion::Kind::Null};
  if (word == "quit") return {Completion::Kind::Quit};
  if (word == "success") return {};
  return {Completion::Kind::Failure, static_cast<HRESULT>(std::stoul(word, nullptr, 0))};
}

Script read_script() {
  Script script;
  const std::string path = environment("CORVANE_WEBVIEW2_SCRIPT");
  if (path.empty()) return script;
  std::ifstream in(std::filesystem::path(to_utf16(path)));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string verb, name, value;
    words >> verb >> name;
    if (verb == "fail" || verb == "fail-once") {
      long nth = 0;
      if (verb == "fail-once") words >> nth;
      words >> value;
      std::string description;
      std::getline(words >> std::ws, description);
      const Failure failure{static_cast<HRESULT>(std::stoul(value, nullptr, 0)), description};
      if (verb == "fail") {
        script.failures[name] = failure;
      } else {
        script.failures_once[name] = {nth, failure};
      }
    } else if (verb == "lack") {
      script.lacking.insert(name);
    } else if (verb == "null") {
      script.null_results.insert(name);
    } else if (verb == "environment-completion") {
      script.environment = parse_completion(name);
    } else if (verb == "controller-completion") {
      script.controller = parse_completion(name);
    }
  }
  return script;
}

const Script& script() {
  static const Script loaded = read_script();
  return loaded;
}

// The interfaces a runtime may lack, by name.
const std::map<std::string, IID>& optional_interfaces() {
  static const std::map<std::string, IID> names = {
      {"ICoreWebView2Environment10", __uuidof(ICoreWebView2Environment10)},
      {"ICoreWebView2Settings4", __uuidof(ICoreWebView2Settings4)},
      {"ICoreWebView2Settings5", __uuidof(ICoreWebView2Settings5)},
      {"ICoreWebView2Settings6", __uuidof(ICoreWebView2Settings6)},
      {"ICoreWebView2Settings9", __uuidof(ICoreWebView2Settings9)},
      {"ICoreWebView2_4", __uuidof(ICoreWebView2_4)},
  };
  return names;
}

std::mutex g_log_lock;

std::mutex g_objects_lock;
std::vector<Counts*>& objects() {
  static std::vector<Counts*> live;
  return live;
}

constexpr UINT kRunClosure = WM_APP + 0x57;

LRESULT CALLBACK message_window_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == kRunClosure) {
    const std::unique_ptr<std::function<void()>> closure(reinterpret_cast<std::function<void()>*>(wparam));
    (*closure)();
    return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

HWND message_window() {
  static const HWND window = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = message_window_procedure;
    window_class.lpszClassName = L"Corvane Test WebView Messages";
    RegisterClassW(&window_class);
    return CreateWindowExW(0, window_class.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           nullptr, nullptr);
  }();
  return window;
}

// The performance counter in microseconds: one clock for every process of the machine.
long long microseconds_now() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<long long>(now.QuadPart / double(frequency.QuadPart) * 1e6);
}

}  // namespace

// The log stays open: opening it for every line made a long run spend most of its time in the file
// system. Each line is flushed, so that a test reads it as soon as it is written.
void log_line(const std::string& line) {
  static const std::string path = environment("CORVANE_WEBVIEW2_LOG");
  if (path.empty()) return;
  static const bool timed = !environment("CORVANE_WEBVIEW2_TIMES").empty();
  std::lock_guard guard(g_log_lock);
  static std::ofstream log(std::filesystem::path(to_utf16(path)), std::ios::app | std::ios::binary);
  if (timed) log << microseconds_now() << " ";
  log << line << "\n" << std::flush;
}

std::string hex(HRESULT hr) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
  return buffer;
}

std::string text(const wchar_t* s) {
  return s ? "\"" + to_utf8(s) + "\"" : "null";
}

std::string flag(BOOL b) {
  return b ? "TRUE" : "FALSE";
}

namespace {

// The failure the script wants for this occurrence of the call, if any.
const Failure* failure_for(const std::string& call) {
  static std::mutex lock;
  static std::map<std::string, long> occurrences;
  if (const auto found = script().failures.find(call); found != script().failures.end())
    return &found->second;
  const auto once = script().failures_once.find(call);
  if (once == script().failures_once.end()) return nullptr;
  std::lock_guard guard(lock);
  return ++occurrences[call] == once->second.first ? &once->second.second : nullptr;
}

}  // namespace

HRESULT scripted_failure(const std::string& call) {
  const Failure* failure = failure_for(call);
  if (failure == nullptr) return S_OK;
  if (!failure->description.empty()) {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
      create->SetDescription(to_utf16(failure->description).data());
      ComPtr<IErrorInfo> info;
      if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
    }
  }
  return failure->code;
}

HRESULT logged(const std::string& call, const std::string& args, HRESULT hr) {
  if (const HRESULT failure = scripted_failure(call); FAILED(failure)) hr = failure;
  log_line(call + "(" + args + ") = " + hex(hr));
  return hr;
}

namespace {

bool names_interface(const std::set<std::string>& names, REFIID iid) {
  for (const std::string& name : names) {
    const auto found = optional_interfaces().find(name);
    if (found != optional_interfaces().end() && found->second == iid) return true;
  }
  return false;
}

}  // namespace

bool lacks(REFIID iid) {
  return names_interface(script().lacking, iid);
}

bool hands_out_null(REFIID iid) {
  return names_interface(script().null_results, iid);
}

bool hands_out_null(const std::string& call) {
  return script().null_results.count(call) > 0;
}

Completion environment_completion() {
  return script().environment;
}
Completion controller_completion() {
  return script().controller;
}

void register_object(Counts* counts) {
  std::lock_guard guard(g_objects_lock);
  objects().push_back(counts);
}

void unregister_object(Counts* counts) {
  std::lock_guard guard(g_objects_lock);
  std::erase(objects(), counts);
}

void report_objects() {
  std::vector<std::string> lines;
  {
    std::lock_guard guard(g_objects_lock);
    for (const Counts* c : objects()) {
      lines.push_back(std::string("live ") + c->kind + " host=" + std::to_string(c->total - c->internal) +
                      " internal=" + std::to_string(c->internal));
    }
  }
  for (const auto& line : lines) log_line(line);
}

void post_to_ui_thread(std::function<void()> closure) {
  auto owned = std::make_unique<std::function<void()>>(std::move(closure));
  if (PostMessageW(message_window(), kRunClosure, reinterpret_cast<WPARAM>(owned.get()), 0)) owned.release();
}

void paint_caption(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT area;
  GetClientRect(window, &area);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  wchar_t caption[2048];
  GetWindowTextW(window, caption, 2048);
  InflateRect(&area, -32, -32);
  HFONT font =
      CreateFontW(-28, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, caption, -1, &area, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(font);
  EndPaint(window, &paint);
}

LPWSTR task_string(const std::wstring& value) {
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((value.size() + 1) * sizeof(wchar_t)));
  if (copy) std::memcpy(copy, value.c_str(), (value.size() + 1) * sizeof(wchar_t));
  return copy;
}

}  // namespace corvane::test_runtime
