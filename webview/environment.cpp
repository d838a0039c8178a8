#include "webview/environment.h"

#include <string>

#include "support/delay_load.h"
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
    // The browser takes its time to start: the library of the window subclasses, which the host needs
    // next, loads meanwhile rather than between the controller and the page.
    load_delayed_library(L"comctl32.dll");
  }
  return wait_with_message_pump(*slot);
}

}  // namespace corvane
