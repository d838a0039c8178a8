#include "webview/environment_options.h"

#include <cstring>

#include "support/text.h"

namespace corvane {
namespace {

HRESULT hand_out(const std::string& text, LPWSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (text.empty()) return S_OK;
  const std::wstring wide = to_utf16(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  *value = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (*value == nullptr) return E_OUTOFMEMORY;
  std::memcpy(*value, wide.c_str(), bytes);
  return S_OK;
}

HRESULT store(std::string& slot, LPCWSTR value) {
  slot = value ? to_utf8(value) : std::string();
  return S_OK;
}

template <typename T>
HRESULT hand_out(T stored, T* value) {
  if (value == nullptr) return E_POINTER;
  *value = stored;
  return S_OK;
}

HRESULT store(BOOL& slot, BOOL value) {
  slot = value ? TRUE : FALSE;
  return S_OK;
}

template <typename T>
HRESULT store(T& slot, T value) {
  slot = value;
  return S_OK;
}

}  // namespace

EnvironmentOptions::EnvironmentOptions(std::string browser_arguments, std::string language,
                                       std::string target_version)
    : browser_arguments_(std::move(browser_arguments)),
      language_(std::move(language)),
      target_version_(std::move(target_version)) {}

HRESULT EnvironmentOptions::get_AdditionalBrowserArguments(LPWSTR* value) noexcept {
  return hand_out(browser_arguments_, value);
}
HRESULT EnvironmentOptions::put_AdditionalBrowserArguments(LPCWSTR value) noexcept {
  return store(browser_arguments_, value);
}
HRESULT EnvironmentOptions::get_Language(LPWSTR* value) noexcept {
  return hand_out(language_, value);
}
HRESULT EnvironmentOptions::put_Language(LPCWSTR value) noexcept {
  return store(language_, value);
}
HRESULT EnvironmentOptions::get_TargetCompatibleBrowserVersion(LPWSTR* value) noexcept {
  return hand_out(target_version_, value);
}
HRESULT EnvironmentOptions::put_TargetCompatibleBrowserVersion(LPCWSTR value) noexcept {
  return store(target_version_, value);
}
HRESULT EnvironmentOptions::get_AllowSingleSignOnUsingOSPrimaryAccount(BOOL* value) noexcept {
  return hand_out(allow_single_sign_on_, value);
}
HRESULT EnvironmentOptions::put_AllowSingleSignOnUsingOSPrimaryAccount(BOOL value) noexcept {
  return store(allow_single_sign_on_, value);
}
HRESULT EnvironmentOptions::get_ExclusiveUserDataFolderAccess(BOOL* value) noexcept {
  return hand_out(exclusive_user_data_folder_access_, value);
}
HRESULT EnvironmentOptions::put_ExclusiveUserDataFolderAccess(BOOL value) noexcept {
  return store(exclusive_user_data_folder_access_, value);
}
HRESULT EnvironmentOptions::get_IsCustomCrashReportingEnabled(BOOL* value) noexcept {
  return hand_out(custom_crash_reporting_, value);
}
HRESULT EnvironmentOptions::put_IsCustomCrashReportingEnabled(BOOL value) noexcept {
  return store(custom_crash_reporting_, value);
}

HRESULT EnvironmentOptions::GetCustomSchemeRegistrations(
    UINT32* count, ICoreWebView2CustomSchemeRegistration*** registrations) noexcept {
  if (count == nullptr || registrations == nullptr) return E_POINTER;
  *count = 0;
  *registrations = nullptr;
  if (custom_schemes_.empty()) return S_OK;
  // An array for the caller to free, each entry with a reference of its own.
  auto** array = static_cast<IUnknown**>(CoTaskMemAlloc(custom_schemes_.size() * sizeof(IUnknown*)));
  if (array == nullptr) return E_OUTOFMEMORY;
  for (size_t i = 0; i < custom_schemes_.size(); ++i) {
    array[i] = custom_schemes_[i].Get();
    array[i]->AddRef();
  }
  *count = static_cast<UINT32>(custom_schemes_.size());
  *registrations = reinterpret_cast<ICoreWebView2CustomSchemeRegistration**>(array);
  return S_OK;
}

HRESULT EnvironmentOptions::SetCustomSchemeRegistrations(
    UINT32 count, ICoreWebView2CustomSchemeRegistration** registrations) noexcept {
  if (count > 0 && registrations == nullptr) return E_POINTER;
  custom_schemes_.clear();
  for (UINT32 i = 0; i < count; ++i) {
    if (registrations[i]) custom_schemes_.emplace_back(reinterpret_cast<IUnknown*>(registrations[i]));
  }
  return S_OK;
}

HRESULT EnvironmentOptions::get_EnableTrackingPrevention(BOOL* value) noexcept {
  return hand_out(tracking_prevention_, value);
}
HRESULT EnvironmentOptions::put_EnableTrackingPrevention(BOOL value) noexcept {
  return store(tracking_prevention_, value);
}
HRESULT EnvironmentOptions::get_AreBrowserExtensionsEnabled(BOOL* value) noexcept {
  return hand_out(browser_extensions_, value);
}
HRESULT EnvironmentOptions::put_AreBrowserExtensionsEnabled(BOOL value) noexcept {
  return store(browser_extensions_, value);
}
HRESULT EnvironmentOptions::get_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND* value) noexcept {
  return hand_out(channel_search_kind_, value);
}
HRESULT EnvironmentOptions::put_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND value) noexcept {
  return store(channel_search_kind_, value);
}
HRESULT EnvironmentOptions::get_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS* value) noexcept {
  return hand_out(release_channels_, value);
}
HRESULT EnvironmentOptions::put_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS value) noexcept {
  return store(release_channels_, value);
}
HRESULT EnvironmentOptions::get_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE* value) noexcept {
  return hand_out(scroll_bar_style_, value);
}
HRESULT EnvironmentOptions::put_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE value) noexcept {
  return store(scroll_bar_style_, value);
}

std::string user_language() {
  wchar_t name[32] = {};
  // The result is ignored: on failure the buffer stays empty, and so does the language.
  LCIDToLocaleName(GetUserDefaultUILanguage(), name, 32, LOCALE_ALLOW_NEUTRAL_NAMES);
  return to_utf8(name);
}

}  // namespace corvane
