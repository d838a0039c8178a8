#pragma once
// Classes that answer every slot of a WebView2 interface chain with E_NOTIMPL (logged), for the test
// runtime's objects to override what they implement.
#include "tests/webview2_runtime/runtime.h"

namespace corvane::test_runtime {

HRESULT not_implemented(const char* method);

#define CORVANE_TEST_DEFAULT(slot, name, params)            \
  HRESULT STDMETHODCALLTYPE name params noexcept override { \
    return not_implemented(#name);                          \
  }

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

struct EnvironmentDefaults : ICoreWebView2Environment10 {
  CORVANE_ICoreWebView2Environment_SLOTS(CORVANE_TEST_DEFAULT)
      CORVANE_ICoreWebView2Environment2_SLOTS(CORVANE_TEST_DEFAULT)
          CORVANE_ICoreWebView2Environment3_SLOTS(CORVANE_TEST_DEFAULT)
              CORVANE_ICoreWebView2Environment4_SLOTS(CORVANE_TEST_DEFAULT)
                  CORVANE_ICoreWebView2Environment5_SLOTS(CORVANE_TEST_DEFAULT)
                      CORVANE_ICoreWebView2Environment6_SLOTS(CORVANE_TEST_DEFAULT)
                          CORVANE_ICoreWebView2Environment7_SLOTS(CORVANE_TEST_DEFAULT)
                              CORVANE_ICoreWebView2Environment8_SLOTS(CORVANE_TEST_DEFAULT)
                                  CORVANE_ICoreWebView2Environment9_SLOTS(CORVANE_TEST_DEFAULT)
                                      CORVANE_ICoreWebView2Environment10_SLOTS(CORVANE_TEST_DEFAULT)
};

struct WebViewDefaults : ICoreWebView2_4 {
  CORVANE_ICoreWebView2_SLOTS(CORVANE_TEST_DEFAULT) CORVANE_ICoreWebView2_2_SLOTS(CORVANE_TEST_DEFAULT)
      CORVANE_ICoreWebView2_3_SLOTS(CORVANE_TEST_DEFAULT) CORVANE_ICoreWebView2_4_SLOTS(CORVANE_TEST_DEFAULT)
};

struct SettingsDefaults : ICoreWebView2Settings9 {
  CORVANE_ICoreWebView2Settings_SLOTS(CORVANE_TEST_DEFAULT)
      CORVANE_ICoreWebView2Settings2_SLOTS(CORVANE_TEST_DEFAULT)
          CORVANE_ICoreWebView2Settings3_SLOTS(CORVANE_TEST_DEFAULT)
              CORVANE_ICoreWebView2Settings4_SLOTS(CORVANE_TEST_DEFAULT)
                  CORVANE_ICoreWebView2Settings5_SLOTS(CORVANE_TEST_DEFAULT)
                      CORVANE_ICoreWebView2Settings6_SLOTS(CORVANE_TEST_DEFAULT)
                          CORVANE_ICoreWebView2Settings7_SLOTS(CORVANE_TEST_DEFAULT)
                              CORVANE_ICoreWebView2Settings8_SLOTS(CORVANE_TEST_DEFAULT)
                                  CORVANE_ICoreWebView2Settings9_SLOTS(CORVANE_TEST_DEFAULT)
};

// Interface##Impl: the defaults, answering the interface's id.
#define CORVANE_TEST_DEFAULTS(Interface)              \
  struct Interface##Defaults : Interface {            \
    CORVANE_##Interface##_SLOTS(CORVANE_TEST_DEFAULT) \
  };                                                  \
  using Interface##Impl = Chain<Interface##Defaults, Interface>;

CORVANE_TEST_DEFAULTS(ICoreWebView2Controller)
CORVANE_TEST_DEFAULTS(ICoreWebView2ControllerOptions)
CORVANE_TEST_DEFAULTS(ICoreWebView2NavigationStartingEventArgs)
CORVANE_TEST_DEFAULTS(ICoreWebView2NewWindowRequestedEventArgs)
CORVANE_TEST_DEFAULTS(ICoreWebView2WindowFeatures)
CORVANE_TEST_DEFAULTS(ICoreWebView2DownloadStartingEventArgs)
CORVANE_TEST_DEFAULTS(ICoreWebView2DownloadOperation)

#pragma GCC diagnostic pop

}  // namespace corvane::test_runtime
