// The test runtime's log, its object registry and its windows' painting.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
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

std::mutex g_log_lock;

std::mutex g_objects_lock;
std::vector<Counts*>& objects() {
  static std::vector<Counts*> live;
  return live;
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

std::string text(const wchar_t* s) {
  return s ? "\"" + to_utf8(s) + "\"" : "null";
}

std::string flag(BOOL b) {
  return b ? "TRUE" : "FALSE";
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

}  // namespace corvane::test_runtime
