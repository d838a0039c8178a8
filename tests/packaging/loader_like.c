// A throw-away DLL with the export names of Microsoft's WebView2Loader.dll, for the packaging tests:
// it is never the project's test runtime, and nothing calls it.
#include <windows.h>

__declspec(dllexport) HRESULT WINAPI
    CreateCoreWebView2EnvironmentWithOptions(void* a, void* b, void* c, void* d) {
  (void)a, (void)b, (void)c, (void)d;
  return E_NOTIMPL;
}

__declspec(dllexport) HRESULT WINAPI
    GetAvailableCoreWebView2BrowserVersionString(void* folder, void* version) {
  (void)folder, (void)version;
  return E_NOTIMPL;
}

__declspec(dllexport) HRESULT WINAPI CompareBrowserVersions(void* a, void* b, int* result) {
  (void)a, (void)b, (void)result;
  return E_NOTIMPL;
}
