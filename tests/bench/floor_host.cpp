// The floor for the start-up benchmark: the least a WebView2 host does before its page loads. It creates
// one window and shows it maximized, asks for the environment, then for the controller inside the
// window, and navigates to the start page: no event loop of its own kind, no icon, no OLE, no container,
// no settings, no handlers. It is built with the same compiler and flags as Corvane, on the program's
// own WebView2 declarations, and runs beside the same test runtime, which notes its first paint.
#include <windows.h>

#include "webview/callback_types.h"

namespace corvane {
namespace {

constexpr wchar_t kStartUrl[] = L"https://app.corvane.io/#/pos";

LRESULT CALLBACK procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

// Kept for the life of the process, as a host keeps them.
ComPtr<ICoreWebView2Controller> g_controller;
ComPtr<ICoreWebView2> g_web_view;

ComStatus show_page(HWND window, ComPtr<ICoreWebView2Controller> controller) {
  if (!controller) return {E_POINTER, nullptr};
  g_controller = std::move(controller);
  RECT client;
  GetClientRect(window, &client);
  g_controller->put_Bounds(client);
  g_controller->put_IsVisible(TRUE);
  if (FAILED(g_controller->get_CoreWebView2(&g_web_view)) || !g_web_view) return {E_POINTER, nullptr};
  return ComStatus::of(g_web_view->Navigate(kStartUrl));
}

ComStatus ask_for_controller(HWND window, ComPtr<ICoreWebView2Environment> environment) {
  if (!environment) return {E_POINTER, nullptr};
  auto completed =
      ControllerCompleted::create([window](ComStatus, ComPtr<ICoreWebView2Controller> controller) {
        return show_page(window, controller);
      });
  return ComStatus::of(environment->CreateCoreWebView2Controller(window, completed.Get()));
}

std::wstring profile_folder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"corvane-floor-profile";
}

}  // namespace
}  // namespace corvane

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace corvane;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = L"Corvane Floor";
  RegisterClassW(&window_class);
  HWND window =
      CreateWindowExW(0, window_class.lpszClassName, L"Corvane floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      CW_USEDEFAULT, CW_USEDEFAULT, 1280, 820, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_MAXIMIZE);
  auto completed =
      EnvironmentCompleted::create([window](ComStatus, ComPtr<ICoreWebView2Environment> environment) {
        return ask_for_controller(window, environment);
      });
  if (FAILED(CreateCoreWebView2EnvironmentWithOptions(nullptr, profile_folder().c_str(), nullptr,
                                                      completed.Get())))
    return 1;
  completed = nullptr;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
