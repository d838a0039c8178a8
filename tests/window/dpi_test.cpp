#include "window/dpi.h"

#include <gtest/gtest.h>

#include "tests/common/child_process.h"
#include "tests/common/scenario_main.h"
#include "tests/common/session_changes.h"

namespace corvane {
namespace {

UINT g_window_dpi = 0;
HRESULT g_monitor_result = S_OK;
UINT g_monitor_dpi = 0;

UINT WINAPI fake_dpi_for_window(HWND) {
  return g_window_dpi;
}
HRESULT WINAPI fake_dpi_for_monitor(HMONITOR, MONITOR_DPI_TYPE type, UINT* x, UINT* y) {
  EXPECT_EQ(type, MDT_EFFECTIVE_DPI);
  *x = *y = g_monitor_dpi;
  return g_monitor_result;
}

struct WindowDpiCase {
  const char* name;
  bool has_window_function, has_monitor_function;
  UINT window_dpi, monitor_dpi;
  HRESULT monitor_result;
  UINT expected;  // 0: the device context's own value
};

class WindowDpi : public testing::TestWithParam<WindowDpiCase> {};

TEST_P(WindowDpi, TakesTheFirstAvailableSource) {
  const WindowDpiCase& c = GetParam();
  DpiFunctions functions;
  if (c.has_window_function) functions.get_dpi_for_window = fake_dpi_for_window;
  if (c.has_monitor_function) functions.get_dpi_for_monitor = fake_dpi_for_monitor;
  g_window_dpi = c.window_dpi;
  g_monitor_dpi = c.monitor_dpi;
  g_monitor_result = c.monitor_result;
  HWND window =
      CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HDC dc = GetDC(window);
  const UINT device_dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
  ReleaseDC(window, dc);
  // Wine makes every process DPI-aware, so the last fallback is the device context.
  EXPECT_EQ(window_dpi(window, functions), c.expected ? c.expected : device_dpi);
  DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(Sources, WindowDpi,
                         testing::Values(WindowDpiCase{"window_function", true, true, 144, 120, S_OK, 144},
                                         WindowDpiCase{"window_function_zero", true, true, 0, 120, S_OK, 96},
                                         WindowDpiCase{"monitor_function", false, true, 0, 120, S_OK, 120},
                                         WindowDpiCase{"monitor_function_failing", false, true, 0, 120,
                                                       E_INVALIDARG, 96},
                                         WindowDpiCase{"device_context", false, false, 0, 0, S_OK, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MonitorDpi, UsesTheMonitorFunctionOrFallsBackTo96) {
  DpiFunctions functions;
  EXPECT_EQ(monitor_dpi(primary_monitor(), functions), 96u);
  functions.get_dpi_for_monitor = fake_dpi_for_monitor;
  g_monitor_dpi = 192;
  g_monitor_result = S_OK;
  EXPECT_EQ(monitor_dpi(primary_monitor(), functions), 192u);
  g_monitor_result = E_FAIL;
  EXPECT_EQ(monitor_dpi(primary_monitor(), functions), 96u);
}

TEST(AdjustWindowRect, UsesTheDpiFunctionWhenPresentElseThePlainOne) {
  HWND window = CreateWindowExW(0, L"STATIC", nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  const RECT client{0, 0, 1280, 820};
  DpiFunctions none;
  const auto plain = adjust_window_rect(window, client, true, none);
  ASSERT_TRUE(plain);
  RECT expected = client;
  AdjustWindowRectEx(&expected, WS_OVERLAPPEDWINDOW, FALSE, 0);
  EXPECT_TRUE(EqualRect(&*plain, &expected));
  const auto undecorated = adjust_window_rect(window, client, false, none);
  ASSERT_TRUE(undecorated);
  EXPECT_LT(plain->top, undecorated->top) << "without a caption the frame is thinner";

  static UINT dpi_seen = 0;
  DpiFunctions with_dpi;
  with_dpi.get_dpi_for_window = [](HWND) -> UINT { return 144; };
  with_dpi.adjust_window_rect_ex_for_dpi = [](RECT* r, DWORD, BOOL, DWORD, UINT dpi) -> BOOL {
    dpi_seen = dpi;
    r->left -= 1;
    return TRUE;
  };
  const auto scaled = adjust_window_rect(window, client, true, with_dpi);
  ASSERT_TRUE(scaled);
  EXPECT_EQ(dpi_seen, 144u);
  EXPECT_EQ(scaled->left, -1);
  with_dpi.adjust_window_rect_ex_for_dpi = [](RECT*, DWORD, BOOL, DWORD, UINT) -> BOOL { return FALSE; };
  EXPECT_FALSE(adjust_window_rect(window, client, true, with_dpi));
  DestroyWindow(window);
}

TEST(SystemMetricForDpi, FallsBackToTheDpiUnawareMetric) {
  DpiFunctions functions;
  EXPECT_EQ(system_metric_for_dpi(SM_CXMINTRACK, 144, functions), GetSystemMetrics(SM_CXMINTRACK));
  functions.get_system_metrics_for_dpi = [](int index, UINT dpi) -> int { return index * 1000 + int(dpi); };
  EXPECT_EQ(system_metric_for_dpi(SM_CXMINTRACK, 144, functions), SM_CXMINTRACK * 1000 + 144);
}

TEST(Monitors, PrimaryIsEnumeratedAndDescribed) {
  const std::vector<HMONITOR> monitors = all_monitors();
  ASSERT_FALSE(monitors.empty());
  EXPECT_NE(std::find(monitors.begin(), monitors.end(), primary_monitor()), monitors.end());
  const MonitorInfoResult info = monitor_info(primary_monitor());
  ASSERT_TRUE(info.info);
  EXPECT_TRUE(info.info->dwFlags & MONITORINFOF_PRIMARY);
  EXPECT_EQ(monitor_info(reinterpret_cast<HMONITOR>(0x1234)).info, std::nullopt);
  HWND window =
      CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 10, 10, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(window_monitor(window), primary_monitor());
  DestroyWindow(window);
}

CORVANE_SCENARIO(report_dpi) {
  HWND window =
      CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  std::printf("window %u monitor %u\n", window_dpi(window), monitor_dpi(primary_monitor()));
  return 0;
}

// The system's own DPI reading, at Wine's default and at 144 DPI set for the next process.
TEST(SystemDpi, FollowsTheConfiguredDpi) {
  testing_support::require_label(testing_support::kChangesSettings);
  HKEY desktop;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &desktop, nullptr),
            ERROR_SUCCESS);
  const auto set_dpi = [&](DWORD dpi) {
    RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  };
  set_dpi(96);
  const auto at_96 = testing_support::run_scenario("report_dpi");
  set_dpi(144);
  const auto at_144 = testing_support::run_scenario("report_dpi");
  set_dpi(96);
  RegCloseKey(desktop);
  EXPECT_EQ(at_96.lines(), std::vector<std::string>{"window 96 monitor 96"});
  EXPECT_EQ(at_144.lines(), std::vector<std::string>{"window 144 monitor 144"});
}

}  // namespace
}  // namespace corvane
