#pragma once
// The callback objects the host hands to the runtime: one type per handler interface.
#include "support/com_callback.h"
#include "webview/webview2.h"

namespace corvane {

using EnvironmentCompleted =
    CompletionCallback<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler, ICoreWebView2Environment>;
using ControllerCompleted =
    CompletionCallback<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, ICoreWebView2Controller>;
using NavigationStartingCallback = EventCallback<ICoreWebView2NavigationStartingEventHandler, ICoreWebView2,
                                                 ICoreWebView2NavigationStartingEventArgs>;
using NewWindowRequestedCallback = EventCallback<ICoreWebView2NewWindowRequestedEventHandler, ICoreWebView2,
                                                 ICoreWebView2NewWindowRequestedEventArgs>;
using DownloadStartingCallback = EventCallback<ICoreWebView2DownloadStartingEventHandler, ICoreWebView2,
                                               ICoreWebView2DownloadStartingEventArgs>;
using WindowCloseRequestedCallback =
    EventCallback<ICoreWebView2WindowCloseRequestedEventHandler, ICoreWebView2, IUnknown>;

}  // namespace corvane
