#pragma once
// The options object the runtime reads when the environment is created.
#include <string>
#include <vector>

#include "support/com_object.h"
#include "webview/webview2.h"

namespace corvane {

// Media may autoplay, and Edge's own pop-up UIs and SmartScreen stay off.
inline constexpr char BrowserArguments[] =
    "--disable-features=msWebOOUI,msPdfOOUI,msSmartScreenProtection "
    "--autoplay-policy=no-user-gesture-required";
inline constexpr char TargetBrowserVersion[] = "145.0.3800.47";

class EnvironmentOptions final
    : public ComObject<EnvironmentOptions, ICoreWebView2EnvironmentOptions, ICoreWebView2EnvironmentOptions2,
                       ICoreWebView2EnvironmentOptions3, ICoreWebView2EnvironmentOptions4,
                       ICoreWebView2EnvironmentOptions5, ICoreWebView2EnvironmentOptions6,
                       ICoreWebView2EnvironmentOptions7, ICoreWebView2EnvironmentOptions8> {
 public:
  EnvironmentOptions(std::string browser_arguments, std::string language, std::string target_version);

  // Strings: a CoTaskMemAlloc UTF-16 copy for the caller, NULL for the empty text.
  HRESULT STDMETHODCALLTYPE get_AdditionalBrowserArguments(LPWSTR* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_AdditionalBrowserArguments(LPCWSTR value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_Language(LPWSTR* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_Language(LPCWSTR value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_TargetCompatibleBrowserVersion(LPWSTR* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_TargetCompatibleBrowserVersion(LPCWSTR value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_AllowSingleSignOnUsingOSPrimaryAccount(BOOL* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_AllowSingleSignOnUsingOSPrimaryAccount(BOOL value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_ExclusiveUserDataFolderAccess(BOOL* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_ExclusiveUserDataFolderAccess(BOOL value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_IsCustomCrashReportingEnabled(BOOL* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_IsCustomCrashReportingEnabled(BOOL value) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCustomSchemeRegistrations(
      UINT32* count, ICoreWebView2CustomSchemeRegistration*** registrations) noexcept override;
  HRESULT STDMETHODCALLTYPE SetCustomSchemeRegistrations(
      UINT32 count, ICoreWebView2CustomSchemeRegistration** registrations) noexcept override;
  HRESULT STDMETHODCALLTYPE get_EnableTrackingPrevention(BOOL* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_EnableTrackingPrevention(BOOL value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_AreBrowserExtensionsEnabled(BOOL* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_AreBrowserExtensionsEnabled(BOOL value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS value) noexcept override;
  HRESULT STDMETHODCALLTYPE get_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE* value) noexcept override;
  HRESULT STDMETHODCALLTYPE put_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE value) noexcept override;

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
