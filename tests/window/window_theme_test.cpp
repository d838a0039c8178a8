#include "window/window_theme.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/session_changes.h"
#include "window/window_data.h"

namespace corvane {
namespace {

// What the fake system answers, and what the theme decision did with it.
struct FakeSystem {
  LSTATUS registry_status = ERROR_FILE_NOT_FOUND;
  DWORD apps_use_light_theme = 1;
  bool has_should_use_dark = false;
  BOOLEAN should_use_dark = 0;
  bool high_contrast_call_ok = true;
  DWORD high_contrast_flags = 0;
  std::vector<std::string> calls;
} g_fake;

ThemeSystem fake_system(const WindowsVersion& version, ThemeFunctions& functions) {
  functions = {};
  if (g_fake.has_should_use_dark)
    functions.should_apps_use_dark_mode = []() -> BOOLEAN { return g_fake.should_use_dark; };
  return ThemeSystem{&version,
                     &functions,
                     [](DWORD* value) -> LSTATUS {
                       *value = g_fake.apps_use_light_theme;
                       return g_fake.registry_status;
                     },
                     [](HIGHCONTRASTA* hc) {
                       hc->dwFlags = g_fake.high_contrast_flags;
                       return g_fake.high_contrast_call_ok;
                     },
                     [](HWND, DWORD attribute, LPCVOID value, DWORD size) -> HRESULT {
                       g_fake.calls.push_back("attribute " + std::to_string(attribute) + " = " +
                                              std::to_string(*static_cast<const BOOL*>(value)) + " (" +
                                              std::to_string(size) + ")");
                       return S_OK;
                     },
                     [](HWND, UINT msg, WPARAM wparam, LPARAM) -> LRESULT {
                       if (msg == WM_NCACTIVATE)
                         g_fake.calls.push_back("ncactivate " + std::to_string(wparam));
                       return 0;
                     },
                     []() -> HWND { return reinterpret_cast<HWND>(0x42); }};
}

struct ThemeCase {
  const char* name;
  WindowsVersion version;
  std::optional<Theme> preference;
  FakeSystem system;
  Theme expected;
  std::vector<std::string> calls;
};

class ResolveWindowTheme : public testing::TestWithParam<ThemeCase> {};

TEST_P(ResolveWindowTheme, DecidesAndTellsTheWindowManager) {
  const ThemeCase& c = GetParam();
  g_fake = c.system;
  ThemeFunctions functions;
  const ThemeSystem system = fake_system(c.version, functions);
  EXPECT_EQ(resolve_window_theme(nullptr, c.preference, false, system), c.expected);
  EXPECT_EQ(g_fake.calls, c.calls);
}

const WindowsVersion kBuild17763{10, 0, 0, 17763}, kBuild18985{10, 0, 0, 18985}, kBuild18986{10, 0, 0, 18986},
    kBuild17134{10, 0, 0, 17134}, kWindows81{6, 3, 0, 9600};

FakeSystem registry(DWORD light) {
  FakeSystem s;
  s.registry_status = ERROR_SUCCESS;
  s.apps_use_light_theme = light;
  return s;
}

FakeSystem high_contrast(FakeSystem s) {
  s.high_contrast_flags = HCF_HIGHCONTRASTON;
  return s;
}

FakeSystem ordinal_132(bool present, BOOLEAN answer) {
  FakeSystem s;
  s.has_should_use_dark = present;
  s.should_use_dark = answer;
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveWindowTheme,
    testing::Values(
        ThemeCase{"dark_apps_build_18986",
                  kBuild18986,
                  std::nullopt,
                  registry(0),
                  Theme::Dark,
                  {"attribute 20 = 1 (4)"}},
        ThemeCase{"dark_apps_build_18985",
                  kBuild18985,
                  std::nullopt,
                  registry(0),
                  Theme::Dark,
                  {"attribute 19 = 1 (4)"}},
        ThemeCase{
            "light_apps", kBuild17763, std::nullopt, registry(1), Theme::Light, {"attribute 19 = 0 (4)"}},
        ThemeCase{"high_contrast",
                  kBuild18986,
                  std::nullopt,
                  high_contrast(registry(0)),
                  Theme::Light,
                  {"attribute 20 = 0 (4)"}},
        ThemeCase{"high_contrast_unreadable",
                  kBuild18986,
                  std::nullopt,
                  [] {
                    FakeSystem s = high_contrast(registry(0));
                    s.high_contrast_call_ok = false;
                    return s;
                  }(),
                  Theme::Dark,
                  {"attribute 20 = 1 (4)"}},
        ThemeCase{"no_registry_value_theme_library_dark",
                  kBuild18986,
                  std::nullopt,
                  ordinal_132(true, 0x01),
                  Theme::Dark,
                  {"attribute 20 = 1 (4)"}},
        ThemeCase{"theme_library_low_byte_only",
                  kBuild18986,
                  std::nullopt,
                  ordinal_132(true, 0x00),
                  Theme::Light,
                  {"attribute 20 = 0 (4)"}},
        ThemeCase{"no_registry_value_no_theme_library",
                  kBuild18986,
                  std::nullopt,
                  ordinal_132(false, 1),
                  Theme::Light,
                  {"attribute 20 = 0 (4)"}},
        ThemeCase{"preference_dark_overrides",
                  kBuild18986,
                  Theme::Dark,
                  registry(1),
                  Theme::Dark,
                  {"attribute 20 = 1 (4)"}},
        ThemeCase{"preference_light_overrides",
                  kBuild18986,
                  Theme::Light,
                  registry(0),
                  Theme::Light,
                  {"attribute 20 = 0 (4)"}},
        ThemeCase{"build_17134", kBuild17134, Theme::Dark, registry(0), Theme::Light, {}},
        ThemeCase{"windows_8_1", kWindows81, std::nullopt, registry(0), Theme::Light, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResolveWindowThemeRedraw, RepaintsTheTitleBarInItsPresentActivationState) {
  g_fake = registry(0);
  ThemeFunctions functions;
  const ThemeSystem system = fake_system(kBuild18986, functions);
  // The fake's active window is 0x42: first "not this one", then "this one".
  resolve_window_theme(reinterpret_cast<HWND>(0x42), std::nullopt, true, system);
  EXPECT_EQ(g_fake.calls, (std::vector<std::string>{"attribute 20 = 1 (4)", "ncactivate 0", "ncactivate 1"}));
  g_fake.calls.clear();
  resolve_window_theme(reinterpret_cast<HWND>(0x7), std::nullopt, true, system);
  EXPECT_EQ(g_fake.calls, (std::vector<std::string>{"attribute 20 = 1 (4)", "ncactivate 1", "ncactivate 0"}));
}

struct SettingsChangeCase {
  const char* name;
  Theme shown;                 // what the title bar shows before the change
  DWORD apps_use_light_theme;  // the system's setting after it
  std::vector<std::string> calls;
};

class SettingsChange : public testing::TestWithParam<SettingsChangeCase> {};

// Windows 10 draws a new dark-mode attribute only at the next non-client paint, so a switch of the
// system's theme repaints the frame; a settings change that leaves the theme as it was does not.
TEST_P(SettingsChange, RepaintsTheFrameExactlyWhenTheThemeChanged) {
  const SettingsChangeCase& c = GetParam();
  g_fake = registry(c.apps_use_light_theme);
  ThemeFunctions functions;
  const ThemeSystem system = fake_system(kBuild18986, functions);
  WindowData data{std::make_shared<WindowState>(), std::make_shared<EventLoopRunner>(nullptr, 0),
                  std::make_shared<ThemePreference>(), nullptr};
  data.state->current_theme = c.shown;
  update_window_theme(data, reinterpret_cast<HWND>(0x7), true, system);
  EXPECT_EQ(g_fake.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsChange,
    testing::Values(
        SettingsChangeCase{
            "light_to_dark", Theme::Light, 0, {"attribute 20 = 1 (4)", "ncactivate 1", "ncactivate 0"}},
        SettingsChangeCase{
            "dark_to_light", Theme::Dark, 1, {"attribute 20 = 0 (4)", "ncactivate 1", "ncactivate 0"}},
        SettingsChangeCase{"dark_stays_dark", Theme::Dark, 0, {"attribute 20 = 1 (4)"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Wine's own version and registry, with only the window manager call recorded (Wine draws no dark
// title bars).
TEST(ResolveWindowThemeOnThisSystem, FollowsAppsUseLightTheme) {
  testing_support::require_label(testing_support::kChangesSettings);
  HKEY key;
  ASSERT_EQ(
      RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                      0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  ThemeSystem system = system_theme();
  system.set_window_attribute = [](HWND, DWORD attribute, LPCVOID value, DWORD) -> HRESULT {
    g_fake.calls.push_back("attribute " + std::to_string(attribute) + " = " +
                           std::to_string(*static_cast<const BOOL*>(value)));
    return S_OK;
  };
  g_fake = {};
  for (DWORD light : {0u, 1u}) {
    RegSetValueExW(key, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&light),
                   sizeof light);
    EXPECT_EQ(resolve_window_theme(nullptr, std::nullopt, false, system), light ? Theme::Light : Theme::Dark);
  }
  RegDeleteValueW(key, L"AppsUseLightTheme");
  RegCloseKey(key);
  // Wine reports build 18362: the older attribute number.
  EXPECT_EQ(g_fake.calls, (std::vector<std::string>{"attribute 19 = 1", "attribute 19 = 0"}));
}

}  // namespace
}  // namespace corvane
