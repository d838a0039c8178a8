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

#define CORVANE_DEFINE_OPTION(name, in_type, out_type, member)      \
  HRESULT EnvironmentOptions::get_##name(out_type value) noexcept { \
    return hand_out(member, value);                                 \
  }                                                                 \
  HRESULT EnvironmentOptions::put_##name(in_type value) noexcept {  \
    return store(member, value);                                    \
  }
CORVANE_ENVIRONMENT_OPTION_PROPERTIES(CORVANE_DEFINE_OPTION)
#undef CORVANE_DEFINE_OPTION

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

std::string user_language() {
  wchar_t name[32] = {};
  // The result is ignored: on failure the buffer stays empty, and so does the language.
  LCIDToLocaleName(GetUserDefaultUILanguage(), name, 32, LOCALE_ALLOW_NEUTRAL_NAMES);
  return to_utf8(name);
}

}  // namespace corvane
