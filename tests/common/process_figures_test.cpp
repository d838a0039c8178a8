// Another process's figures as the tests read them. Under Wine, the Windows readings that Wine gets
// right are held to the Linux side's; on Windows, each reading must see a busy process.
#include "tests/common/process_figures.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/text.h"
#include "tests/common/child_process.h"
#include "tests/common/linux_process.h"
#include "tests/common/program.h"
#include "tests/common/windows_process.h"

namespace corvane::testing_support {
namespace {

constexpr DWORD kSettleMs = 1000;
constexpr DWORD kBusyMs = 2000;

// A loop process in Poll mode (the idle-loop scenario): it never sleeps.
class BusyChild {
 public:
  BusyChild()
      : marker_(L"busy-child-" + std::to_wstring(GetCurrentProcessId())),
        program_(this_program(), L"--scenario idle_loop poll " + marker_) {
    Sleep(kSettleMs);
  }
  Program& program() { return program_; }
  const std::wstring& marker() const { return marker_; }

 private:
  std::wstring marker_;
  Program program_;
};

TEST(ProcessFigures, SeeABusyProcessFromOutside) {
  BusyChild child;
  ASSERT_TRUE(child.program().started());
  const ProcessWatch watch(child.program().handle(), child.program().id(), child.marker());
  ASSERT_TRUE(watch.found());
  const auto before = watch.figures();
  Sleep(kBusyMs);
  const auto after = watch.figures();
  ASSERT_TRUE(before && after);
  EXPECT_GT(after->cpu_ms - before->cpu_ms, kBusyMs * 0.2) << "a loop that never sleeps shows no CPU time";
  ASSERT_TRUE(after->peak_memory_mib);
  EXPECT_GT(*after->peak_memory_mib, 1.0);
  ASSERT_TRUE(after->wake_ups) << "wake-ups: " << measured(after->wake_ups);
}

// Each Windows reading of another process, what a busy process shows in it on Windows, and the Linux
// side's figure where this Wine answers it correctly.
struct Reading {
  const char* figure;
  std::optional<double> (*read)(HANDLE process, DWORD id);
  double busy_growth;  // at least this much more after kBusyMs of busy looping; 0: it need not grow
  double (*linux_figure)(const LinuxProcessFigures&);  // null: Wine answers wrongly
};

std::optional<double> cpu(HANDLE process, DWORD) {
  return windows_cpu_ms(process);
}
std::optional<double> switches(HANDLE, DWORD id) {
  const auto count = windows_context_switches(id);
  return count ? std::optional<double>(static_cast<double>(*count)) : std::nullopt;
}
std::optional<double> peak_memory(HANDLE process, DWORD) {
  return windows_peak_memory_mib(process);
}
double linux_peak_memory(const LinuxProcessFigures& figures) {
  return figures.peak_resident_mib;
}

class WindowsReading : public testing::TestWithParam<Reading> {};

TEST_P(WindowsReading, SeesTheProcessAndAgreesWithTheLinuxSideWhereWineIsRight) {
  const Reading& reading = GetParam();
  BusyChild child;
  ASSERT_TRUE(child.program().started());
  HANDLE process = child.program().handle();
  const DWORD id = child.program().id();
  const auto before = reading.read(process, id);
  ASSERT_TRUE(before) << reading.figure << ": no answer for the process";
  if (running_under_wine()) {
    if (!reading.linux_figure)
      GTEST_SKIP() << reading.figure << ": Wine answers wrongly; the Linux side is read";
    const auto linux = linux_process_figures(*linux_process_id(child.marker()));
    ASSERT_TRUE(linux);
    const double expected = reading.linux_figure(*linux);
    EXPECT_LT(std::abs(*before - expected), 0.05 * expected + 0.5) << reading.figure << " " << *before;
    return;
  }
  Sleep(kBusyMs);
  const auto after = reading.read(process, id);
  ASSERT_TRUE(after);
  EXPECT_GE(*after - *before, reading.busy_growth) << reading.figure;
  EXPECT_GT(*after, 0) << reading.figure;
}

INSTANTIATE_TEST_SUITE_P(Readings, WindowsReading,
                         testing::Values(Reading{"CPU time", cpu, kBusyMs * 0.2, nullptr},
                                         Reading{"context switches", switches, 0, nullptr},
                                         Reading{"peak memory", peak_memory, 0, linux_peak_memory}),
                         [](const auto& info) {
                           std::string name = info.param.figure;
                           for (char& c : name) c = c == ' ' ? '_' : c;
                           return name;
                         });

}  // namespace
}  // namespace corvane::testing_support
