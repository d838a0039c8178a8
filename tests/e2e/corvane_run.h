#pragma once
// One run of the real Corvane.exe with the WebView2 test runtime beside it: its runtime log, the
// commands a page would give, and the URLs it handed to the shell.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/common/child_process.h"
#include "tests/common/program.h"

namespace corvane::testing_support {

class CorvaneRun {
 public:
  // Starts Corvane.exe with a runtime script and extra environment variables.
  explicit CorvaneRun(const std::string& script = "", const Environment& extra = {});

  Program& program() { return *program_; }
  // Waits until the start page has begun to load in the web view.
  bool wait_until_started();
  HWND main_window() const { return main_window_; }
  HWND container() const;
  // Sends a page's command to the runtime (see the test runtime): "link <url>", "open <url> ...".
  LRESULT command(const std::wstring& text) const;

  std::vector<std::string> log() const;
  bool wait_for_log(const std::string& line, DWORD timeout_ms = 10000) const;
  // The log lines that start with the prefix, in order.
  std::vector<std::string> log_starting_with(const std::string& prefix) const;

  // Asks the main window to close (finding it first if need be) and waits for the exit code.
  std::optional<DWORD> close_and_wait();

 private:
  std::wstring folder_;
  std::unique_ptr<Program> program_;
  HWND main_window_ = nullptr;
};

// Makes the shell hand https, http, mailto and tel URLs to the recording script.
void install_url_recorder();
void clear_handed_urls();
std::vector<std::string> handed_urls();
// Waits until the URLs have all been handed over (hand-offs arrive asynchronously, in any order).
bool wait_for_handed_urls(const std::vector<std::string>& urls, DWORD timeout_ms = 10000);

}  // namespace corvane::testing_support
