#include "tests/e2e/corvane_run.h"

#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "support/text.h"
#include "tests/common/artifacts.h"
#include "tests/common/paths.h"
#include "tests/common/session_changes.h"

namespace corvane::testing_support {
namespace {

std::vector<std::string> read_lines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream in{std::filesystem::path(path)};
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool wait_for(const std::function<bool()>& done, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 20) {
    if (done()) return true;
    Sleep(20);
  }
  return done();
}

std::string last_lines(const std::vector<std::string>& lines, size_t count) {
  std::string text;
  for (size_t i = lines.size() > count ? lines.size() - count : 0; i < lines.size(); ++i)
    text += "\n  " + lines[i];
  return text;
}

std::string current_test() {
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  return info ? std::string(info->test_suite_name()) + "." + info->name() : "(outside a test)";
}

// One line per run that ended by itself, for the suite's summary.
void record_contract(const std::string& verdict) {
  std::ofstream(std::filesystem::path(test_artifact(L"runtime-contracts.log")), std::ios::app)
      << current_test() << ": " << verdict << "\n";
}

void set_string(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  HKEY handle;
  RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
  RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

bool process_running(const wchar_t* name) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
    found = _wcsicmp(entry.szExeFile, name) == 0;
  CloseHandle(snapshot);
  return found;
}

}  // namespace

std::wstring fresh_run_folder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"corvane-run-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(++counter) + L"\\";
  std::error_code ignored;
  // Process ids start again in every Wine session: a folder of an earlier run may still be here.
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directories(folder, ignored);
  const std::pair<const wchar_t*, std::wstring> files[] = {
      {L"Corvane.exe", corvane_exe()}, {L"WebView2Loader.dll", beside_this_program(L"WebView2Loader.dll")}};
  for (const auto& [name, built] : files) {
    if (!CreateHardLinkW((folder + name).c_str(), built.c_str(), nullptr))
      CopyFileW(built.c_str(), (folder + name).c_str(), FALSE);
  }
  return folder;
}

CorvaneRun::CorvaneRun(const std::string& script, const Environment& extra, const std::wstring& arguments)
    : folder_(fresh_run_folder()) {
  std::ofstream(std::filesystem::path(folder_ + L"runtime.script")) << script;
  Environment environment = {L"CORVANE_WEBVIEW2_LOG=" + folder_ + L"runtime.log",
                             L"CORVANE_WEBVIEW2_SCRIPT=" + folder_ + L"runtime.script"};
  // The browser profile goes to the run folder, away from the user's own, unless the test says where.
  const bool profile_given = std::any_of(extra.begin(), extra.end(), [](const std::wstring& variable) {
    return variable.starts_with(L"LOCALAPPDATA=");
  });
  if (!profile_given) environment.push_back(L"LOCALAPPDATA=" + folder_ + L"profile");
  environment.insert(environment.end(), extra.begin(), extra.end());
  program_ = std::make_unique<Program>(folder_ + L"Corvane.exe", arguments, environment);
}

CorvaneRun::~CorvaneRun() {
  if (program_->wait_for_exit(0)) {
    const auto verdicts = log_starting_with("runtime contract: ");
    const std::string verdict = verdicts.empty() ? "no contract line" : verdicts.back();
    record_contract(verdict);
    EXPECT_EQ(verdict, kContractKept) << "the runtime's last words:" << last_lines(log(), 12);
  }
  program_.reset();  // ends a program still running
  // Through the verbatim form, which also removes files named like devices; never throws.
  std::error_code ignored;
  std::filesystem::remove_all(L"\\\\?\\" + folder_, ignored);
}

testing::AssertionResult CorvaneRun::wait_until_started() {
  main_window_ = program_->wait_for_main_window();
  if (!main_window_) return testing::AssertionFailure() << "no main window appeared";
  return wait_for_log("event NavigationStarting https://app.corvane.io/#/pos allowed");
}

HWND CorvaneRun::container() const {
  return FindWindowExW(main_window_, nullptr, L"CORVANE_WEBVIEW", nullptr);
}

std::optional<LRESULT> CorvaneRun::query(const std::wstring& text) const {
  HWND content = FindWindowExW(container(), nullptr, L"Corvane Test WebView Content", nullptr);
  COPYDATASTRUCT data{0x43565754, static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                      const_cast<wchar_t*>(text.data())};
  DWORD_PTR result = 0;
  if (content == nullptr || !SendMessageTimeoutW(content, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                                 SMTO_NORMAL, 20000, &result)) {
    ADD_FAILURE() << "the runtime did not take \"" << to_utf8(text) << "\" ("
                  << (content ? "no answer" : "no web view") << ")";
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

void CorvaneRun::command(const std::wstring& text) const {
  query(text);
}

testing::AssertionResult CorvaneRun::wait_until_settled(DWORD timeout_ms) const {
  const DWORD start = GetTickCount();
  for (;;) {
    const auto pending = query(L"pending");
    if (!pending) return testing::AssertionFailure() << "no answer about the pending page events";
    if (*pending == 0) return testing::AssertionSuccess();
    if (GetTickCount() - start > timeout_ms)
      return testing::AssertionFailure()
             << *pending << " page events still pending after " << timeout_ms << " ms";
    Sleep(5);
  }
}

std::vector<std::string> CorvaneRun::log() const {
  return read_lines(folder_ + L"runtime.log");
}

testing::AssertionResult CorvaneRun::wait_for_log(const std::string& line, DWORD timeout_ms) const {
  std::vector<std::string> lines;
  if (wait_for(
          [&] {
            lines = log();
            return std::find(lines.begin(), lines.end(), line) != lines.end();
          },
          timeout_ms)) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "the runtime did not log \"" << line << "\" within " << timeout_ms
                                     << " ms; its last lines:" << last_lines(lines, 8);
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

UrlRecorder::UrlRecorder() {
  require_label(kOpensBrowser);
  const std::wstring script = to_utf16(CORVANE_RECORD_URL_SCRIPT);
  set_string(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", script);
  set_string(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Mailers", script);
  // Wine has no tel: handler of its own.
  set_string(HKEY_CLASSES_ROOT, L"tel", nullptr, L"URL:tel");
  set_string(HKEY_CLASSES_ROOT, L"tel", L"URL Protocol", L"");
  set_string(HKEY_CLASSES_ROOT, L"tel\\shell\\open\\command", nullptr,
             L"\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"");
}

UrlRecorder::~UrlRecorder() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"tel");
}

void clear_handed_urls() {
  DeleteFileW(build_path(CORVANE_HANDED_URLS_LOG).c_str());
}

std::vector<std::string> handed_urls() {
  return read_lines(build_path(CORVANE_HANDED_URLS_LOG));
}

testing::AssertionResult wait_for_handed_urls(const std::vector<std::string>& urls, DWORD timeout_ms) {
  std::vector<std::string> handed;
  const bool all = wait_for(
      [&] {
        handed = handed_urls();
        return std::all_of(urls.begin(), urls.end(), [&](const std::string& url) {
          return std::find(handed.begin(), handed.end(), url) != handed.end();
        });
      },
      timeout_ms);
  if (all) return testing::AssertionSuccess();
  auto failure = testing::AssertionFailure()
                 << "not every URL reached the shell within " << timeout_ms << " ms; it received:";
  for (const auto& url : handed) failure << "\n  " << url;
  return failure;
}

testing::AssertionResult wait_for_hand_offs_to_finish(DWORD timeout_ms) {
  // Each hand-off is a winebrowser process, which the shell starts before ShellExecuteW returns.
  if (wait_for([] { return !process_running(L"winebrowser.exe"); }, timeout_ms))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "hand-offs to the shell still running after " << timeout_ms << " ms";
}

}  // namespace corvane::testing_support
