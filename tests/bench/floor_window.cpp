// The floor for the start-up benchmark: a program that only creates, shows and maximizes a window, as
// Corvane's start does, built with the same compiler and flags. Like the test runtime in Corvane, it
// notes in the log (CORVANE_WEBVIEW2_LOG) when its window first paints maximized.
#include <windows.h>

#include <cstdio>

namespace {

bool g_painted = false;

void note_first_paint(HWND window) {
  if (g_painted || !IsZoomed(window)) return;
  g_painted = true;
  wchar_t path[MAX_PATH];
  if (GetEnvironmentVariableW(L"CORVANE_WEBVIEW2_LOG", path, MAX_PATH) == 0) return;
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  if (FILE* log = _wfopen(path, L"ab")) {
    std::fprintf(log, "%lld window painted\n",
                 static_cast<long long>(now.QuadPart / double(frequency.QuadPart) * 1e6));
    std::fclose(log);
  }
}

LRESULT CALLBACK procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_PAINT) note_first_paint(window);
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
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
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
