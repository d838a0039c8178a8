#include "webview/environment.h"

#include <string>

#include "webview/environment_options.h"

namespace corvane {

void join_single_threaded_apartment() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

WebViewResult<ComPtr<ICoreWebView2Environment>> create_environment(std::wstring_view user_data_folder) {
  using Handler = ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler;
  auto slot = std::make_shared<ResultSlot<ComPtr<ICoreWebView2Environment>>>();
  {
    const std::wstring folder(user_data_folder);
    const ComPtr<EnvironmentOptions> options =
        EnvironmentOptions::create(BrowserArguments, user_language(), TargetBrowserVersion);
    const auto callback = deliver_into<Handler, ICoreWebView2Environment>(slot);
    const HRESULT created =
        CreateCoreWebView2EnvironmentWithOptions(nullptr, folder.c_str(), options.Get(), callback.Get());
    // A machine without a usable runtime fails here, at once, with the loader's reason.
    if (auto failure = checked(created)) return std::move(*failure);
  }
  return wait_with_message_pump(*slot);
}

}  // namespace corvane
