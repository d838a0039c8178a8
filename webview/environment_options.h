#pragma once
// The options object the runtime reads when the environment is created.
#include <string>
#include <vector>

#include "support/com_object.h"
#include "webview/webview2.h"

namespace corvane {

// Media may autoplay, and Edge's own pop-up UIs and SmartScreen stay off.
inline constexpr char BrowserArguments[] =
    "--disable-features=msWebOOUI,msPdfOOUI,msSmartScreenProtection --autoplay-policy=no-user-gesture-required";
inline constexpr char TargetBrowserVersion[] = "145.0.3800.47";

// Every get_/put_ pair of the options interfaces: its name, the put_ and get_ types, and the member
// that stores it.
#define CORVANE_ENVIRONMENT_OPTION_PROPERTIES(X)                                                       \
  X(AdditionalBrowserArguments, LPCWSTR, LPWSTR*, browser_arguments_)                                  \
  X(Language, LPCWSTR, LPWSTR*, language_)                                                             \
  X(TargetCompatibleBrowserVersion, LPCWSTR, LPWSTR*, target_version_)                                 \
  X(AllowSingleSignOnUsingOSPrimaryAccount, BOOL, BOOL*, allow_single_sign_on_)                        \
  X(ExclusiveUserDataFolderAccess, BOOL, BOOL*, exclusive_user_data_folder_access_)                    \
  X(IsCustomCrashReportingEnabled, BOOL, BOOL*, custom_crash_reporting_)                               \
  X(EnableTrackingPrevention, BOOL, BOOL*, tracking_prevention_)                                       \
  X(AreBrowserExtensionsEnabled, BOOL, BOOL*, browser_extensions_)                                     \
  X(ChannelSearchKind, COREWEBVIEW2_CHANNEL_SEARCH_KIND, COREWEBVIEW2_CHANNEL_SEARCH_KIND*,            \
    channel_search_kind_)                                                                              \
  X(ReleaseChannels, COREWEBVIEW2_RELEASE_CHANNELS, COREWEBVIEW2_RELEASE_CHANNELS*, release_channels_) \
  X(ScrollBarStyle, COREWEBVIEW2_SCROLLBAR_STYLE, COREWEBVIEW2_SCROLLBAR_STYLE*, scroll_bar_style_)

class EnvironmentOptions final
    : public ComObject<EnvironmentOptions, ICoreWebView2EnvironmentOptions, ICoreWebView2EnvironmentOptions2,
                       ICoreWebView2EnvironmentOptions3, ICoreWebView2EnvironmentOptions4,
                       ICoreWebView2EnvironmentOptions5, ICoreWebView2EnvironmentOptions6,
                       ICoreWebView2EnvironmentOptions7, ICoreWebView2EnvironmentOptions8> {
 public:
  EnvironmentOptions(std::string browser_arguments, std::string language, std::string target_version);

  // Strings are handed out as a CoTaskMemAlloc UTF-16 copy for the caller, NULL for the empty text.
#define CORVANE_DECLARE_OPTION(name, in_type, out_type, member)           \
  HRESULT STDMETHODCALLTYPE get_##name(out_type value) noexcept override; \
  HRESULT STDMETHODCALLTYPE put_##name(in_type value) noexcept override;
  CORVANE_ENVIRONMENT_OPTION_PROPERTIES(CORVANE_DECLARE_OPTION)
#undef CORVANE_DECLARE_OPTION
  HRESULT STDMETHODCALLTYPE GetCustomSchemeRegistrations(
      UINT32* count, ICoreWebView2CustomSchemeRegistration*** registrations) noexcept override;
  HRESULT STDMETHODCALLTYPE SetCustomSchemeRegistrations(
      UINT32 count, ICoreWebView2CustomSchemeRegistration** registrations) noexcept override;

 private:
  std::string browser_arguments_, language_, target_version_;
  BOOL allow_single_sign_on_ = FALSE;
  BOOL exclusive_user_data_folder_access_ = FALSE;
  BOOL custom_crash_reporting_ = FALSE;
  // COM interfaces, held as IUnknown: the registration type is only named in the ABI.
  std::vector<ComPtr<IUnknown>> custom_schemes_;
  BOOL tracking_prevention_ = TRUE;
  BOOL browser_extensions_ = FALSE;
  COREWEBVIEW2_CHANNEL_SEARCH_KIND channel_search_kind_ = COREWEBVIEW2_CHANNEL_SEARCH_KIND_MOST_STABLE;
  COREWEBVIEW2_RELEASE_CHANNELS release_channels_ = static_cast<COREWEBVIEW2_RELEASE_CHANNELS>(0xF);
  COREWEBVIEW2_SCROLLBAR_STYLE scroll_bar_style_ = COREWEBVIEW2_SCROLLBAR_STYLE_DEFAULT;
};

// The locale name of the user's default UI language; empty when it cannot be had.
std::string user_language();

}  // namespace corvane
