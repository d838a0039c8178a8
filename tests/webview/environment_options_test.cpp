#include "webview/environment_options.h"

#include <gtest/gtest.h>

#include "webview/runtime_strings.h"

namespace corvane {
namespace {

ComPtr<EnvironmentOptions> options() {
  return EnvironmentOptions::create(BrowserArguments, "de-DE", TargetBrowserVersion);
}

std::string got(HRESULT (STDMETHODCALLTYPE EnvironmentOptions::*getter)(LPWSTR*), EnvironmentOptions* o) {
  LPWSTR value = reinterpret_cast<LPWSTR>(1);
  EXPECT_EQ((o->*getter)(&value), S_OK);
  if (value == nullptr) return "(null)";
  return take_runtime_string(value);
}

TEST(EnvironmentOptions, HoldsTheFixedValues) {
  const auto o = options();
  EXPECT_EQ(std::string(BrowserArguments).size(), 105u);
  EXPECT_EQ(got(&EnvironmentOptions::get_AdditionalBrowserArguments, o.Get()), BrowserArguments);
  EXPECT_EQ(got(&EnvironmentOptions::get_Language, o.Get()), "de-DE");
  EXPECT_EQ(got(&EnvironmentOptions::get_TargetCompatibleBrowserVersion, o.Get()), "145.0.3800.47");
  BOOL flag = 7;
  EXPECT_EQ(o->get_AllowSingleSignOnUsingOSPrimaryAccount(&flag), S_OK);
  EXPECT_EQ(flag, FALSE);
  EXPECT_EQ(o->get_ExclusiveUserDataFolderAccess(&flag), S_OK);
  EXPECT_EQ(flag, FALSE);
  EXPECT_EQ(o->get_IsCustomCrashReportingEnabled(&flag), S_OK);
  EXPECT_EQ(flag, FALSE);
  EXPECT_EQ(o->get_EnableTrackingPrevention(&flag), S_OK);
  EXPECT_EQ(flag, TRUE);
  EXPECT_EQ(o->get_AreBrowserExtensionsEnabled(&flag), S_OK);
  EXPECT_EQ(flag, FALSE);
  COREWEBVIEW2_CHANNEL_SEARCH_KIND kind{};
  EXPECT_EQ(o->get_ChannelSearchKind(&kind), S_OK);
  EXPECT_EQ(kind, COREWEBVIEW2_CHANNEL_SEARCH_KIND_MOST_STABLE);
  COREWEBVIEW2_RELEASE_CHANNELS channels{};
  EXPECT_EQ(o->get_ReleaseChannels(&channels), S_OK);
  EXPECT_EQ(channels, 0xF);
  COREWEBVIEW2_SCROLLBAR_STYLE style{};
  EXPECT_EQ(o->get_ScrollBarStyle(&style), S_OK);
  EXPECT_EQ(style, COREWEBVIEW2_SCROLLBAR_STYLE_DEFAULT);
  UINT32 count = 5;
  ICoreWebView2CustomSchemeRegistration** registrations =
      reinterpret_cast<ICoreWebView2CustomSchemeRegistration**>(1);
  EXPECT_EQ(o->GetCustomSchemeRegistrations(&count, &registrations), S_OK);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(registrations, nullptr);
}

TEST(EnvironmentOptions, EmptyStringsAreHandedOutAsNull) {
  const auto o = EnvironmentOptions::create("", "", "");
  EXPECT_EQ(got(&EnvironmentOptions::get_Language, o.Get()), "(null)");
  EXPECT_EQ(o->put_Language(L"fr"), S_OK);
  EXPECT_EQ(got(&EnvironmentOptions::get_Language, o.Get()), "fr");
  EXPECT_EQ(o->put_Language(nullptr), S_OK);
  EXPECT_EQ(got(&EnvironmentOptions::get_Language, o.Get()), "(null)");
}

TEST(EnvironmentOptions, EveryGetterRefusesANullOutPointer) {
  const auto o = options();
  EXPECT_EQ(o->get_AdditionalBrowserArguments(nullptr), E_POINTER);
  EXPECT_EQ(o->get_Language(nullptr), E_POINTER);
  EXPECT_EQ(o->get_TargetCompatibleBrowserVersion(nullptr), E_POINTER);
  EXPECT_EQ(o->get_AllowSingleSignOnUsingOSPrimaryAccount(nullptr), E_POINTER);
  EXPECT_EQ(o->get_ExclusiveUserDataFolderAccess(nullptr), E_POINTER);
  EXPECT_EQ(o->get_IsCustomCrashReportingEnabled(nullptr), E_POINTER);
  UINT32 count = 0;
  EXPECT_EQ(o->GetCustomSchemeRegistrations(&count, nullptr), E_POINTER);
  EXPECT_EQ(o->GetCustomSchemeRegistrations(nullptr, nullptr), E_POINTER);
  EXPECT_EQ(o->get_EnableTrackingPrevention(nullptr), E_POINTER);
  EXPECT_EQ(o->get_AreBrowserExtensionsEnabled(nullptr), E_POINTER);
  EXPECT_EQ(o->get_ChannelSearchKind(nullptr), E_POINTER);
  EXPECT_EQ(o->get_ReleaseChannels(nullptr), E_POINTER);
  EXPECT_EQ(o->get_ScrollBarStyle(nullptr), E_POINTER);
}

struct BooleanCase {
  const char* name;
  HRESULT (STDMETHODCALLTYPE EnvironmentOptions::*put)(BOOL);
  HRESULT (STDMETHODCALLTYPE EnvironmentOptions::*get)(BOOL*);
};

class EnvironmentOptionsBooleans : public testing::TestWithParam<BooleanCase> {};

TEST_P(EnvironmentOptionsBooleans, SettersStoreAndNormalise) {
  const auto o = options();
  BOOL value = 9;
  for (auto [stored, expected] :
       {std::pair{BOOL{0}, BOOL{0}}, std::pair{BOOL{-3}, BOOL{1}}, std::pair{BOOL{1}, BOOL{1}}}) {
    EXPECT_EQ((o.Get()->*GetParam().put)(stored), S_OK);
    EXPECT_EQ((o.Get()->*GetParam().get)(&value), S_OK);
    EXPECT_EQ(value, expected);
  }
}

using O = EnvironmentOptions;
INSTANTIATE_TEST_SUITE_P(Properties, EnvironmentOptionsBooleans,
                         testing::Values(BooleanCase{"sso", &O::put_AllowSingleSignOnUsingOSPrimaryAccount,
                                                     &O::get_AllowSingleSignOnUsingOSPrimaryAccount},
                                         BooleanCase{"exclusive", &O::put_ExclusiveUserDataFolderAccess,
                                                     &O::get_ExclusiveUserDataFolderAccess},
                                         BooleanCase{"crash", &O::put_IsCustomCrashReportingEnabled,
                                                     &O::get_IsCustomCrashReportingEnabled},
                                         BooleanCase{"tracking", &O::put_EnableTrackingPrevention,
                                                     &O::get_EnableTrackingPrevention},
                                         BooleanCase{"extensions", &O::put_AreBrowserExtensionsEnabled,
                                                     &O::get_AreBrowserExtensionsEnabled}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EnvironmentOptions, AnswersEachOfItsEightInterfacesWithOneIdentity) {
  const auto o = options();
  ComPtr<IUnknown> identity;
  ASSERT_EQ(o->QueryInterface(IID_PPV_ARGS(&identity)), S_OK);
  const IID ids[] = {__uuidof(ICoreWebView2EnvironmentOptions),  __uuidof(ICoreWebView2EnvironmentOptions2),
                     __uuidof(ICoreWebView2EnvironmentOptions3), __uuidof(ICoreWebView2EnvironmentOptions4),
                     __uuidof(ICoreWebView2EnvironmentOptions5), __uuidof(ICoreWebView2EnvironmentOptions6),
                     __uuidof(ICoreWebView2EnvironmentOptions7), __uuidof(ICoreWebView2EnvironmentOptions8)};
  for (const IID& id : ids) {
    ComPtr<IUnknown> view;
    ASSERT_EQ(o->QueryInterface(id, reinterpret_cast<void**>(view.GetAddressOf())), S_OK);
    ComPtr<IUnknown> back;
    view.As(&back);
    EXPECT_EQ(back, identity);
  }
}

TEST(UserLanguage, IsALocaleName) {
  const std::string language = user_language();
  EXPECT_FALSE(language.empty());
  EXPECT_EQ(language.find('\0'), std::string::npos);
}

}  // namespace
}  // namespace corvane
