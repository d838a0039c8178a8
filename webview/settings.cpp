#include "webview/settings.h"

namespace corvane {
namespace {

// One row of the table: the settings interface, its setter and the value.
template <typename I>
struct Row {
  HRESULT (STDMETHODCALLTYPE I::*setter)(BOOL);
  BOOL value;
};

WebViewStatus set(ICoreWebView2Settings* settings, Row<ICoreWebView2Settings> row) {
  return checked((settings->*row.setter)(row.value));
}

// A row of a later interface: skipped silently when the runtime does not have it.
template <typename I>
WebViewStatus set_optional(ICoreWebView2Settings* settings, Row<I> row) {
  ComPtr<I> later;
  if (FAILED(settings->QueryInterface(IID_PPV_ARGS(&later))) || !later) {
    drop_error_info();
    return std::nullopt;
  }
  return checked((later.Get()->*row.setter)(row.value));
}

}  // namespace

WebViewStatus apply_settings(ICoreWebView2* web_view) {
  using S = ICoreWebView2Settings;
  ComPtr<S> settings;
  if (auto failure = checked(obtained(web_view->get_Settings(&settings), settings))) return failure;
  const Row<S> base_rows[] = {
      {&S::put_IsStatusBarEnabled, FALSE},   {&S::put_AreDefaultContextMenusEnabled, TRUE},
      {&S::put_IsZoomControlEnabled, FALSE}, {&S::put_AreDevToolsEnabled, FALSE},
      {&S::put_IsScriptEnabled, TRUE},
  };
  for (const auto& row : base_rows) {
    if (auto failure = set(settings.Get(), row)) return failure;
  }
  if (auto failure = set_optional(
          settings.Get(),
          Row<ICoreWebView2Settings4>{&ICoreWebView2Settings4::put_IsGeneralAutofillEnabled, TRUE})) {
    return failure;
  }
  if (auto failure =
          set_optional(settings.Get(),
                       Row<ICoreWebView2Settings5>{&ICoreWebView2Settings5::put_IsPinchZoomEnabled, FALSE})) {
    return failure;
  }
  if (auto failure = set_optional(
          settings.Get(),
          Row<ICoreWebView2Settings6>{&ICoreWebView2Settings6::put_IsSwipeNavigationEnabled, FALSE})) {
    return failure;
  }
  return set_optional(
      settings.Get(),
      Row<ICoreWebView2Settings9>{&ICoreWebView2Settings9::put_IsNonClientRegionSupportEnabled, TRUE});
}

}  // namespace corvane
