// Corvane as shipped, started as a user would: from the zip's folder or the MSI's install folder,
// beside whatever WebView2 loader is there and the machine's WebView2 Runtime.
//
//   smoke <folder> [--out <folder>]            the window, the browser's window inside it, the
//                                              profile folder, two start-up figures, a screenshot,
//                                              and a close that ends with exit code 0
//   smoke <folder> --missing-runtime           with no runtime to find: the dialog's exact text,
//                                              then OK, then exit code 0
//   smoke <folder> --runtime-version           the runtime version the loader finds
//
// It starts nothing but Corvane.exe, and never leaves one running: on any failure it ends the one it
// started (and the runtime's processes with it, through a job). Its last line and its exit code say
// what failed.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/failure_text.h"
#include "support/function_cast.h"
#include "support/handles.h"
#include "support/text.h"
#include "tests/common/program.h"
#include "tests/smoke/screenshot.h"
#include "webview/container.h"

namespace corvane {
namespace {

using testing_support::Program;

constexpr DWORD kMainWindowMs = 60000;
constexpr DWORD kBrowserWindowMs = 60000;
constexpr DWORD kExitMs = 10000;

// Each way the smoke test can fail, with its exit code.
enum class Outcome : int {
  Passed = 0,
  Usage = 1,
  NotStarted = 2,
  NoMainWindow = 3,
  NoBrowserWindow = 4,
  NoProfileFolder = 5,
  NoScreenshot = 6,
  DidNotExit = 7,
  WrongExitCode = 8,
  NoDialog = 9,
  WrongDialogText = 10,
  NoVersion = 11,
};

Outcome finish(Outcome outcome, const std::string& what) {
  std::printf("smoke: %s: %s\n", outcome == Outcome::Passed ? "passed" : "FAILED", what.c_str());
  std::fflush(stdout);
  return outcome;
}

double now_ms() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return counter.QuadPart * 1000.0 / frequency.QuadPart;
}

std::wstring environment_variable(const wchar_t* name) {
  wchar_t value[32768];
  const DWORD length = GetEnvironmentVariableW(name, value, 32768);
  return length && length < 32768 ? std::wstring(value, length) : std::wstring();
}

// The runtime's own window: Corvane creates none inside its container.
HWND browser_window(HWND main_window) {
  HWND container = FindWindowExW(main_window, nullptr, kContainerClass, nullptr);
  if (!container) return nullptr;
  for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child)) return child;
  }
  return nullptr;
}

HWND wait_for_browser_window(const Program& program, HWND main_window, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 20) {
    if (HWND found = browser_window(main_window)) return found;
    if (program.wait_for_exit(20)) return nullptr;
  }
  return nullptr;
}

void print_figure(const std::wstring& out, const std::string& line) {
  std::printf("smoke: %s\n", line.c_str());
  std::fflush(stdout);
  if (out.empty()) return;
  if (FILE* file = _wfopen((out + L"\\figures.txt").c_str(), L"a")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

std::string milliseconds(double value) {
  return std::to_string(static_cast<long long>(value + 0.5)) + " ms";
}

// The close button, as a user presses it; then exit code 0 within the bound.
Outcome close_like_a_user(const Program& program, HWND main_window) {
  PostMessageW(main_window, WM_SYSCOMMAND, SC_CLOSE, 0);
  const auto code = program.wait_for_exit(kExitMs);
  if (!code) return finish(Outcome::DidNotExit, "Corvane did not end within 10 s of its window being closed");
  if (*code != 0)
    return finish(Outcome::WrongExitCode, "Corvane ended with exit code " + std::to_string(*code));
  return Outcome::Passed;
}

Outcome run_window(const std::wstring& folder, const std::wstring& out) {
  const double start = now_ms();
  Program program(folder + L"\\Corvane.exe");
  if (!program.started())
    return finish(Outcome::NotStarted, "Corvane.exe did not start in " + to_utf8(folder));
  HWND main_window = program.wait_for_main_window(kMainWindowMs);
  if (!main_window) return finish(Outcome::NoMainWindow, "no window titled \"Corvane\" within 60 s");
  const double shown = now_ms();
  if (!wait_for_browser_window(program, main_window, kBrowserWindowMs))
    return finish(Outcome::NoBrowserWindow, "no browser window inside Corvane's container within 60 s");
  const double browser = now_ms();
  print_figure(out, "start to main window shown: " + milliseconds(shown - start));
  print_figure(out, "start to browser window shown: " + milliseconds(browser - start));
  const std::wstring profile = environment_variable(L"LOCALAPPDATA") + L"\\Corvane\\WebView2";
  if (GetFileAttributesW(profile.c_str()) == INVALID_FILE_ATTRIBUTES)
    return finish(Outcome::NoProfileFolder, "no profile folder at " + to_utf8(profile));
  if (!out.empty()) {
    Sleep(1000);  // the page's first paint
    const std::wstring picture = out + L"\\corvane-smoke.png";
    if (auto failure = save_screenshot(main_window, picture)) return finish(Outcome::NoScreenshot, *failure);
    std::printf("smoke: screenshot %s\n", to_utf8(picture).c_str());
  }
  if (const Outcome closed = close_like_a_user(program, main_window); closed != Outcome::Passed)
    return closed;
  return finish(Outcome::Passed, "the window, the browser inside it, the profile folder, and exit code 0");
}

// With no runtime to find, the loader answers that the file was not found.
Outcome run_missing_runtime(const std::wstring& folder) {
  const std::filesystem::path empty = std::filesystem::temp_directory_path() /
                                      ("corvane-smoke-no-runtime-" + std::to_string(GetCurrentProcessId()));
  std::error_code ignored;
  std::filesystem::create_directories(empty, ignored);
  Program program(folder + L"\\Corvane.exe", L"", {L"WEBVIEW2_BROWSER_EXECUTABLE_FOLDER=" + empty.wstring()});
  const auto finish_here = [&](Outcome outcome, const std::string& what) {
    std::filesystem::remove_all(empty, ignored);
    return finish(outcome, what);
  };
  if (!program.started()) return finish_here(Outcome::NotStarted, "Corvane.exe did not start");
  const auto text = testing_support::wait_for_error_box(program.id(), kMainWindowMs);
  if (!text) return finish_here(Outcome::NoDialog, "no dialog for the missing runtime within 60 s");
  const std::string expected = webview_failure_text(WebViewError{
      WebView2Failure{WebView2Failure::SystemError{HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), ""}}});
  if (to_utf8(*text) != expected) {
    return finish_here(Outcome::WrongDialogText,
                       "the dialog says \"" + to_utf8(*text) + "\" rather than \"" + expected + "\"");
  }
  testing_support::dismiss_error_box(program.id());
  const auto code = program.wait_for_exit(kExitMs);
  if (!code) return finish_here(Outcome::DidNotExit, "Corvane did not end within 10 s of OK");
  if (*code != 0)
    return finish_here(Outcome::WrongExitCode, "Corvane ended with exit code " + std::to_string(*code));
  return finish_here(Outcome::Passed, "the missing runtime's dialog, word for word, then exit code 0");
}

// The real loader says which runtime it finds; the project's test runtime has no such export.
Outcome print_runtime_version(const std::wstring& folder) {
  const HMODULE loader = LoadLibraryW((folder + L"\\WebView2Loader.dll").c_str());
  if (!loader) return finish(Outcome::NoVersion, "no WebView2Loader.dll in " + to_utf8(folder));
  using VersionFunction = HRESULT(STDAPICALLTYPE*)(PCWSTR, LPWSTR*);
  const auto version_of =
      function_cast<VersionFunction>(GetProcAddress(loader, "GetAvailableCoreWebView2BrowserVersionString"));
  if (!version_of)
    return finish(Outcome::Passed,
                  "runtime version: not reported (this loader is the project's test runtime)");
  LPWSTR version = nullptr;
  const HRESULT hr = version_of(nullptr, &version);
  const CoTaskString owned(version);
  if (FAILED(hr) || !owned)
    return finish(Outcome::NoVersion, "the loader finds no runtime (" + system_error_text(hr) + ")");
  return finish(Outcome::Passed, "runtime version: " + to_utf8(owned.get()));
}

Outcome smoke(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) {
    std::fprintf(
        stderr,
        "usage: smoke <folder with Corvane.exe> [--out <folder>|--missing-runtime|--runtime-version]\n");
    return Outcome::Usage;
  }
  const std::wstring folder = arguments[0];
  if (arguments.size() == 2 && arguments[1] == L"--missing-runtime") return run_missing_runtime(folder);
  if (arguments.size() == 2 && arguments[1] == L"--runtime-version") return print_runtime_version(folder);
  if (arguments.size() == 3 && arguments[1] == L"--out") {
    std::error_code ignored;
    std::filesystem::create_directories(arguments[2], ignored);
    return run_window(folder, arguments[2]);
  }
  if (arguments.size() == 1) return run_window(folder, L"");
  return smoke({});
}

}  // namespace
}  // namespace corvane

int wmain(int argc, wchar_t** argv) {
  return static_cast<int>(corvane::smoke(std::vector<std::wstring>(argv + 1, argv + argc)));
}
