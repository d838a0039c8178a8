#include "tests/e2e/corvane_run.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>

#include "support/text.h"

namespace corvane::testing_support {
namespace {

// A path of the Linux side, as Wine's Z: drive shows it.
std::wstring from_unix(const char* path) {
  std::wstring windows = L"Z:" + to_utf16(path);
  std::replace(windows.begin(), windows.end(), L'/', L'\\');
  return windows;
}

std::wstring fresh_folder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"corvane-run-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(++counter) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  // Process ids start again in every Wine session: a folder of an earlier run may still be here.
  DeleteFileW((folder + L"runtime.log").c_str());
  return folder;
}

std::vector<std::string> read_lines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream in{std::filesystem::path(path)};
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool wait_for(const std::function<bool()>& done, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

void set_string(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  HKEY handle;
  RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
  RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

}  // namespace

CorvaneRun::CorvaneRun(const std::string& script, const Environment& extra) : folder_(fresh_folder()) {
  std::ofstream(std::filesystem::path(folder_ + L"runtime.script")) << script;
  Environment environment = {L"CORVANE_WEBVIEW2_LOG=" + folder_ + L"runtime.log",
                             L"CORVANE_WEBVIEW2_SCRIPT=" + folder_ + L"runtime.script"};
  environment.insert(environment.end(), extra.begin(), extra.end());
  program_ = std::make_unique<Program>(corvane_exe(), L"", environment);
}

bool CorvaneRun::wait_until_started() {
  main_window_ = program_->wait_for_main_window();
  return main_window_ && wait_for_log("event NavigationStarting https://app.corvane.io/#/pos allowed");
}

HWND CorvaneRun::container() const {
  return FindWindowExW(main_window_, nullptr, L"CORVANE_WEBVIEW", nullptr);
}

LRESULT CorvaneRun::command(const std::wstring& text) const {
  HWND content = FindWindowExW(container(), nullptr, L"Corvane Test WebView Content", nullptr);
  COPYDATASTRUCT data{0x43565754, static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                      const_cast<wchar_t*>(text.data())};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(content, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, &result);
  return static_cast<LRESULT>(result);
}

std::vector<std::string> CorvaneRun::log() const {
  return read_lines(folder_ + L"runtime.log");
}

bool CorvaneRun::wait_for_log(const std::string& line, DWORD timeout_ms) const {
  return wait_for(
      [&] {
        const auto lines = log();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
      },
      timeout_ms);
}

std::vector<std::string> CorvaneRun::log_starting_with(const std::string& prefix) const {
  std::vector<std::string> matching;
  for (const auto& line : log()) {
    if (line.starts_with(prefix)) matching.push_back(line);
  }
  return matching;
}

std::optional<DWORD> CorvaneRun::close_and_wait() {
  if (!main_window_) main_window_ = program_->wait_for_main_window();
  PostMessageW(main_window_, WM_CLOSE, 0, 0);
  return program_->wait_for_exit();
}

void install_url_recorder() {
  const std::wstring script = to_utf16(CORVANE_RECORD_URL_SCRIPT);
  set_string(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", script);
  set_string(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Mailers", script);
  // Wine has no tel: handler of its own.
  set_string(HKEY_CLASSES_ROOT, L"tel", nullptr, L"URL:tel");
  set_string(HKEY_CLASSES_ROOT, L"tel", L"URL Protocol", L"");
  set_string(HKEY_CLASSES_ROOT, L"tel\\shell\\open\\command", nullptr,
             L"\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"");
}

void clear_handed_urls() {
  DeleteFileW(from_unix(CORVANE_HANDED_URLS_LOG).c_str());
}

std::vector<std::string> handed_urls() {
  return read_lines(from_unix(CORVANE_HANDED_URLS_LOG));
}

bool wait_for_handed_urls(const std::vector<std::string>& urls, DWORD timeout_ms) {
  return wait_for(
      [&] {
        const auto handed = handed_urls();
        return std::all_of(urls.begin(), urls.end(), [&](const std::string& url) {
          return std::find(handed.begin(), handed.end(), url) != handed.end();
        });
      },
      timeout_ms);
}

}  // namespace corvane::testing_support
