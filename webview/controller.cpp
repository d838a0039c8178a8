#include "webview/controller.h"

#include <commctrl.h>

namespace corvane {
namespace {

using ControllerCompleted = ICoreWebView2CreateCoreWebView2ControllerCompletedHandler;

// The parent subclass's reference data: its own controller reference.
struct ParentCell {
  ComPtr<ICoreWebView2Controller> controller;
};

LRESULT CALLBACK parent_subclass(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR data) noexcept {
  auto* cell = reinterpret_cast<ParentCell*>(data);
  ICoreWebView2Controller* controller = cell->controller.Get();
  switch (msg) {
    case WM_SIZE: {
      RECT client;
      // Minimized, the web view keeps its last bounds.
      if (wparam == SIZE_MINIMIZED || !GetClientRect(window, &client)) break;
      const int width = client.right - client.left, height = client.bottom - client.top;
      controller->put_Bounds(RECT{0, 0, width, height});
      HWND container = nullptr;
      if (SUCCEEDED(controller->get_ParentWindow(&container))) {
        SetWindowPos(container, nullptr, 0, 0, width, height,
                     SWP_ASYNCWINDOWPOS | SWP_NOACTIVATE | SWP_NOZORDER);
      }
      break;
    }
    case WM_MOVE:
    case WM_MOVING:
      controller->NotifyParentWindowPositionChanged();
      break;
    case WM_SETFOCUS:
      controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
      break;
    case WM_DESTROY:
    case kDetachParentSubclass:
      RemoveWindowSubclass(window, parent_subclass, kParentSubclassId);
      delete cell;
      break;
    default:
      break;
  }
  return DefSubclassProc(window, msg, wparam, lparam);
}

}  // namespace

WebViewResult<ComPtr<ICoreWebView2Controller>> create_controller(ICoreWebView2Environment* environment,
                                                                 HWND container) {
  auto slot = std::make_shared<ResultSlot<ComPtr<ICoreWebView2Controller>>>();
  {
    const auto callback = deliver_into<ControllerCompleted, ICoreWebView2Controller>(slot);
    ComPtr<ICoreWebView2Environment10> environment10;
    HRESULT hr;
    if (SUCCEEDED(environment->QueryInterface(IID_PPV_ARGS(&environment10))) && environment10) {
      ComPtr<ICoreWebView2ControllerOptions> options;
      hr = environment10->CreateCoreWebView2ControllerOptions(&options);
      if (SUCCEEDED(hr)) hr = options->put_IsInPrivateModeEnabled(FALSE);
      if (SUCCEEDED(hr))
        hr = environment10->CreateCoreWebView2ControllerWithOptions(container, options.Get(), callback.Get());
    } else {
      hr = environment->CreateCoreWebView2Controller(container, callback.Get());
    }
    if (FAILED(hr)) return failure_with_thread_info(hr);
  }
  return wait_with_message_pump(*slot);
}

void install_parent_subclass(HWND parent, ICoreWebView2Controller* controller) {
  auto* cell = new ParentCell{ComPtr<ICoreWebView2Controller>(controller)};
  if (!SetWindowSubclass(parent, parent_subclass, kParentSubclassId, reinterpret_cast<DWORD_PTR>(cell)))
    delete cell;
}

void remove_parent_subclass(HWND parent) {
  SendMessageW(parent, kDetachParentSubclass, 0, 0);
  RemoveWindowSubclass(parent, parent_subclass, kParentSubclassId);
}

}  // namespace corvane
