#pragma once
// One run of the real Corvane.exe with the WebView2 test runtime beside it, in a run folder of its
// own: its runtime log, the commands a page would give, and the URLs it handed to the shell. A run
// that ends by itself is held to the runtime contract (no thread violations, every string freed).
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/common/artifacts.h"
#include "tests/common/child_process.h"
#include "tests/common/program.h"

namespace corvane::testing_support {

// The runtime's verdict on a host that kept its side.
inline constexpr char kContractKept[] = "runtime contract: 0 thread violations, 0 strings not freed";

// A new folder holding Corvane.exe and the test runtime as its loader, as a shipped folder holds the
// real one: the runtime is found beside the program, and nothing else of the build is.
std::wstring fresh_run_folder();

class CorvaneRun {
 public:
  // Starts Corvane.exe with a runtime script, extra environment variables and arguments.
  explicit CorvaneRun(const std::string& script = "", const Environment& extra = {},
                      const std::wstring& arguments = L"");
  // Checks the contract line when the program ended by itself, and removes the run folder.
  ~CorvaneRun();
  CorvaneRun(const CorvaneRun&) = delete;
  CorvaneRun& operator=(const CorvaneRun&) = delete;

  Program& program() { return *program_; }
  const std::wstring& folder() const { return folder_; }
  // Waits until the start page has begun to load in the web view.
  testing::AssertionResult wait_until_started();
  HWND main_window() const { return main_window_; }
  HWND container() const;

  // A page's command ("link <url>", "open <url> ...", see the test runtime): it returns at once, and
  // what it caused shows in the log later. A command that cannot be delivered fails the test.
  void command(const std::wstring& text) const;
  // A query the runtime answers at once ("memory", "pending").
  std::optional<LRESULT> query(const std::wstring& text) const;
  // Waits until every page event asked for has been raised and handled.
  testing::AssertionResult wait_until_settled(DWORD timeout_ms = 20000) const;

  std::vector<std::string> log() const;
  testing::AssertionResult wait_for_log(const std::string& line, DWORD timeout_ms = 10000) const;
  // The log lines that start with the prefix, in order.
  std::vector<std::string> log_starting_with(const std::string& prefix) const;

  // Asks the main window to close (finding it first if need be) and waits for the exit code.
  std::optional<DWORD> close_and_wait();

 private:
  std::wstring folder_;
  std::unique_ptr<Program> program_;
  HWND main_window_ = nullptr;
};

// While it lives, the shell hands https, http, mailto and tel URLs to the recording script; when it
// goes, the prefix is as it was (and every Wine session starts from that state too).
class UrlRecorder {
 public:
  UrlRecorder();
  ~UrlRecorder();
  UrlRecorder(const UrlRecorder&) = delete;
  UrlRecorder& operator=(const UrlRecorder&) = delete;
};
void clear_handed_urls();
std::vector<std::string> handed_urls();
// Waits until the URLs have all been handed over (hand-offs arrive asynchronously, in any order).
testing::AssertionResult wait_for_handed_urls(const std::vector<std::string>& urls, DWORD timeout_ms = 10000);
// Waits until every hand-off the shell started has finished, so that what was handed is all there is.
testing::AssertionResult wait_for_hand_offs_to_finish(DWORD timeout_ms = 20000);

}  // namespace corvane::testing_support
