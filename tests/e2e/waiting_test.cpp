// Corvane waiting, as it does on a counter PC: for a browser that takes seconds to start, for one that
// never answers, and for the user to read the failure dialog. Meanwhile the window answers, and the
// process's CPU time (read from outside, on the Linux side) stays far below a busy loop's.
#include <gtest/gtest.h>

#include "app/config.h"
#include "tests/common/process_figures.h"
#include "tests/e2e/corvane_run.h"

namespace corvane {
namespace {

using testing_support::CorvaneRun;

// A spin uses a whole core; anything near it would exceed this share of the time waited.
constexpr double kIdleShare = 0.15;

// CPU time used over a stretch of waiting, measured from outside the process. Sampled as the wait goes
// on: a program that ends when the wait does leaves its last sample.
class CpuWatch {
 public:
  explicit CpuWatch(CorvaneRun& run)
      : process_(run.program().handle(), run.program().id(), run.folder()), start_ms_(GetTickCount()) {
    start_cpu_ = cpu();
    last_cpu_ = start_cpu_;
    last_ms_ = start_ms_;
  }
  bool found() const { return start_cpu_.has_value(); }
  void sample() {
    if (const auto now = cpu()) {
      last_cpu_ = now;
      last_ms_ = GetTickCount();
    }
  }
  double cpu_ms() const { return last_cpu_.value_or(0) - start_cpu_.value_or(0); }
  DWORD waited_ms() const { return last_ms_ - start_ms_; }

 private:
  std::optional<double> cpu() const {
    const auto figures = process_.figures();
    return figures ? std::optional(figures->cpu_ms) : std::nullopt;
  }

  testing_support::ProcessWatch process_;
  DWORD start_ms_, last_ms_;
  std::optional<double> start_cpu_, last_cpu_;
};

// Samples the watch until the runtime logs the line.
testing::AssertionResult watch_until(CpuWatch& watch, const CorvaneRun& run, const std::string& line) {
  for (int i = 0; i < 500; ++i) {
    watch.sample();
    if (run.wait_for_log(line, 0)) return testing::AssertionSuccess();
    Sleep(20);
  }
  return run.wait_for_log(line, 0);
}

// Samples the watch for a while.
void watch_for(CpuWatch& watch, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    Sleep(50);
    watch.sample();
  }
}

std::string figure(double milliseconds) {
  return std::to_string(static_cast<long long>(milliseconds + 0.5));
}

// The window takes input, a resize and a repaint while start-up waits.
void expect_responsive(HWND window) {
  DWORD_PTR hit = 0;
  EXPECT_TRUE(SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(600, 400), SMTO_NORMAL, 2000, &hit))
      << "no answer to input";
  ShowWindow(window, SW_RESTORE);
  EXPECT_TRUE(SetWindowPos(window, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 900) << "no resize";
  InvalidateRect(window, nullptr, FALSE);
  RECT update;
  for (int i = 0; i < 100 && GetUpdateRect(window, &update, FALSE); ++i) Sleep(20);
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE)) << "no repaint";
}

// The end of the Windows session, as the system announces it to every top-level window.
void end_session(DWORD process_id) {
  for (HWND target : testing_support::visible_windows(process_id, L"Corvane Thread Event Target", L""))
    SendMessageTimeoutW(target, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, nullptr);
}

TEST(Waiting, ASlowBrowserStartKeepsTheWindowResponsiveAndTheThreadIdle) {
  // 3 s pending in all, as a counter PC's first start of the day may take.
  CorvaneRun run("environment-delay 2000\ncontroller-delay 1000\n");
  const HWND window = run.program().wait_for_main_window();
  ASSERT_NE(window, nullptr);
  CpuWatch watch(run);
  ASSERT_TRUE(watch.found()) << "the process is not to be found on the Linux side";
  expect_responsive(window);
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(watch_until(watch, run, "completion controller handler returned 0x00000000"));
  const double cpu = watch.cpu_ms();
  const DWORD waited = watch.waited_ms();
  const auto code = run.program().wait_for_exit();
  testing_support::report_figure("slow start: " + figure(cpu) + " ms CPU over " + std::to_string(waited) +
                                 " ms of waiting; close during the wait: exit " +
                                 (code ? std::to_string(*code) : std::string("none")));
  EXPECT_LT(cpu, kIdleShare * waited) << "the UI thread spins while it waits";
  EXPECT_EQ(code, 0u) << "the close request during the wait ends the program once start-up is done";
}

TEST(Waiting, ABrowserThatNeverAnswersLeavesTheWindowResponsiveAndTheThreadIdle) {
  CorvaneRun run("environment-delay never\n");
  const HWND window = run.program().wait_for_main_window();
  ASSERT_NE(window, nullptr);
  // The options are read right before the environment is asked for.
  ASSERT_TRUE(run.wait_for_log("option ScrollBarStyle = 0 0x00000000"));
  CpuWatch watch(run);
  ASSERT_TRUE(watch.found());
  // The wait has no end of its own: a user still closes, resizes and logs off meanwhile.
  expect_responsive(window);
  PostMessageW(window, WM_CLOSE, 0, 0);
  watch_for(watch, 3000);
  const double cpu = watch.cpu_ms();
  const DWORD waited = watch.waited_ms();
  testing_support::report_figure("never answering: " + figure(cpu) + " ms CPU over " +
                                 std::to_string(waited) + " ms of waiting");
  EXPECT_LT(cpu, kIdleShare * waited) << "the UI thread spins while it waits";
  EXPECT_TRUE(IsWindow(window)) << "the program invented a time-out";
  end_session(run.program().id());
  EXPECT_EQ(run.program().wait_for_exit(), 0u) << "the end of the session ends the waiting program";
}

TEST(Waiting, TheFailureDialogWaitsIdleAndTheDownloadLinkOpensOnlyAfterIt) {
  const testing_support::UrlRecorder recorder;
  testing_support::clear_handed_urls();
  CorvaneRun run("fail CreateCoreWebView2EnvironmentWithOptions 0x80070002\n");
  ASSERT_TRUE(testing_support::wait_for_error_box(run.program().id()));
  CpuWatch watch(run);
  ASSERT_TRUE(watch.found());
  // The user reads the dialog for ten seconds.
  watch_for(watch, 10000);
  const double cpu = watch.cpu_ms();
  const DWORD waited = watch.waited_ms();
  testing_support::report_figure("failure dialog: " + figure(cpu) + " ms CPU over " + std::to_string(waited) +
                                 " ms");
  EXPECT_LT(cpu, kIdleShare * waited) << "the UI thread spins under the dialog";
  ASSERT_TRUE(testing_support::wait_for_hand_offs_to_finish());
  EXPECT_TRUE(testing_support::handed_urls().empty())
      << "the download link opened before the dialog was read";
  testing_support::dismiss_error_box(run.program().id());
  EXPECT_EQ(run.program().wait_for_exit(), 0u);
  EXPECT_TRUE(testing_support::wait_for_handed_urls({std::string(AppConfig::DownloadLink)}));
}

}  // namespace
}  // namespace corvane
