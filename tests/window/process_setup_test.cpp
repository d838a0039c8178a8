#include "window/process_setup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/common/artifacts.h"
#include "tests/common/process_figures.h"

namespace corvane {
namespace {

std::string g_calls;

struct DpiAwarenessCase {
  const char* name;
  bool has_context, context_v2_accepted, has_awareness, has_aware;
  std::string calls;
};

class DpiAwareness : public testing::TestWithParam<DpiAwarenessCase> {};

TEST_P(DpiAwareness, TakesTheNewestAvailableCall) {
  static bool v2_accepted;
  const DpiAwarenessCase& c = GetParam();
  v2_accepted = c.context_v2_accepted;
  DpiFunctions functions;
  if (c.has_context) {
    functions.set_process_dpi_awareness_context = [](DPI_AWARENESS_CONTEXT context) -> BOOL {
      g_calls += "context(" + std::to_string(reinterpret_cast<INT_PTR>(context)) + ")";
      return context == DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 ? v2_accepted : TRUE;
    };
  }
  if (c.has_awareness) {
    functions.set_process_dpi_awareness = [](PROCESS_DPI_AWARENESS a) -> HRESULT {
      g_calls += "awareness(" + std::to_string(a) + ")";
      return S_OK;
    };
  }
  if (c.has_aware) {
    functions.set_process_dpi_aware = []() -> BOOL {
      g_calls += "aware()";
      return TRUE;
    };
  }
  g_calls.clear();
  make_process_dpi_aware(functions);
  EXPECT_EQ(g_calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, DpiAwareness,
    testing::Values(DpiAwarenessCase{"windows10_1703", true, true, true, true, "context(-4)"},
                    DpiAwarenessCase{"windows10_1607", true, false, true, true, "context(-4)context(-3)"},
                    DpiAwarenessCase{"windows8_1", false, false, true, true, "awareness(2)"},
                    DpiAwarenessCase{"windows7", false, false, false, true, "aware()"},
                    DpiAwarenessCase{"none", false, false, false, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct DarkModeCase {
  const char* name;
  WindowsVersion version;
  bool has_preference, has_refresh;
  std::string calls;
};

class AppDarkMode : public testing::TestWithParam<DarkModeCase> {};

TEST_P(AppDarkMode, CallsTheThemeExportsOnlyWhereTheyAreTheDarkModeOnes) {
  const DarkModeCase& c = GetParam();
  ThemeFunctions functions;
  if (c.has_preference) {
    functions.set_preferred_app_mode = [](int value) -> int {
      g_calls += "135(" + std::to_string(value) + ")";
      return 0;
    };
  }
  if (c.has_refresh) functions.refresh_immersive_color_policy_state = [] { g_calls += "104()"; };
  g_calls.clear();
  allow_dark_mode_for_app(c.version, functions);
  EXPECT_EQ(g_calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, AppDarkMode,
    testing::Values(DarkModeCase{"build_17763_bool", {10, 0, 0, 17763}, true, true, "135(1)104()"},
                    DarkModeCase{"build_18362_mode", {10, 0, 0, 18362}, true, true, "135(1)104()"},
                    DarkModeCase{"windows11", {10, 0, 0, 22631}, true, true, "135(1)104()"},
                    DarkModeCase{"build_17134", {10, 0, 0, 17134}, true, true, ""},
                    DarkModeCase{"windows8_1", {6, 3, 0, 9600}, true, true, ""},
                    // Wine: ordinal 104 is another function; without 135 it must not be called.
                    DarkModeCase{"no_preference_export", {10, 0, 0, 18362}, false, true, ""},
                    DarkModeCase{"no_refresh_export", {10, 0, 0, 18362}, true, false, "135(1)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowsVersion, DarkModeNeedsWindows10Build17763) {
  EXPECT_FALSE(dark_mode_supported({10, 0, 0, 17762}));
  EXPECT_TRUE(dark_mode_supported({10, 0, 0, 17763}));
  EXPECT_FALSE(dark_mode_supported({10, 1, 0, 19045}));
  EXPECT_FALSE(dark_mode_supported({6, 1, 1, 7601}));
}

// The build the tests run on decides Corvane's branches (Windows 11's from build 22000). The test
// prefix is set to Windows 10, which Wine reports as build 18362; a CI runner names the build its
// image must have in CORVANE_EXPECTED_WINDOWS_BUILD.
TEST(WindowsVersion, IsTheBuildThisRunExpects) {
  const WindowsVersion& version = windows_version();
  testing_support::report_figure("Windows build " + std::to_string(version.build) + ": Corvane takes its " +
                                 (version.build >= 22000 ? "Windows 11" : "Windows 10") + " branches");
  EXPECT_EQ(version.major, 10u);
  if (testing_support::running_under_wine()) {
    EXPECT_EQ(version.build, 18362u);
  } else if (const char* expected = std::getenv("CORVANE_EXPECTED_WINDOWS_BUILD")) {
    EXPECT_EQ(std::to_string(version.build), expected);
  }
}

}  // namespace
}  // namespace corvane
