#include "webview/controller.h"

#include <commctrl.h>

#include "window/window_destruction.h"

namespace corvane {
namespace {

using ControllerCompleted = ICoreWebView2CreateCoreWebView2ControllerCompletedHandler;

// The parent subclass's reference data: its own controller reference.
struct ParentCell {
  ComPtr<ICoreWebView2Controller> controller;
};

// The parent remove_parent_subclass is detaching (UI thread only): any program can send the detach
// message, and only this one counts.
HWND g_detaching_parent = nullptr;

// The subclass goes with its window, or when remove_parent_subclass asks. A WM_DESTROY or a detach
// message that another program posted changes nothing.
bool detaches(HWND window, UINT msg) {
  if (msg == WM_DESTROY) return is_being_destroyed(window);
  return msg == kDetachParentSubclass && window == g_detaching_parent;
}

LRESULT CALLBACK parent_subclass(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR data) noexcept {
  auto* cell = reinterpret_cast<ParentCell*>(data);
  if (detaches(window, msg)) {
    RemoveWindowSubclass(window, parent_subclass, kParentSubclassId);
    delete cell;
    return DefSubclassProc(window, msg, wparam, lparam);
  }
  ICoreWebView2Controller* controller = cell->controller.Get();
  switch (msg) {
    case WM_SIZE: {
      // Minimized, the web view keeps its last bounds.
      const std::optional<RECT> bounds = wparam == SIZE_MINIMIZED ? std::nullopt : client_bounds(window);
      if (!bounds) break;
      controller->put_Bounds(*bounds);
      HWND container = nullptr;
      if (SUCCEEDED(controller->get_ParentWindow(&container))) fit_container(container, *bounds);
      break;
    }
    case WM_MOVE:
    case WM_MOVING:
      controller->NotifyParentWindowPositionChanged();
      break;
    case WM_SETFOCUS:
      controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, msg, wparam, lparam);
}

// Asks for the controller, with private mode off through the options where the environment offers
// them.
ComStatus request_controller(ICoreWebView2Environment* environment, HWND container,
                             ControllerCompleted* callback) {
  ComPtr<ICoreWebView2Environment10> environment10;
  if (FAILED(environment->QueryInterface(IID_PPV_ARGS(&environment10))) || !environment10)
    return ComStatus::of(environment->CreateCoreWebView2Controller(container, callback));
  ComPtr<ICoreWebView2ControllerOptions> options;
  if (ComStatus failure = obtained(environment10->CreateCoreWebView2ControllerOptions(&options), options);
      failure.failed()) {
    return failure;
  }
  if (const HRESULT hr = options->put_IsInPrivateModeEnabled(FALSE); FAILED(hr))
    return ComStatus::from_thread(hr);
  return ComStatus::of(
      environment10->CreateCoreWebView2ControllerWithOptions(container, options.Get(), callback));
}

}  // namespace

std::optional<RECT> client_bounds(HWND parent) {
  RECT client;
  if (!GetClientRect(parent, &client)) return std::nullopt;
  return RECT{0, 0, client.right - client.left, client.bottom - client.top};
}

bool fit_container(HWND container, const RECT& bounds) {
  return SetWindowPos(container, nullptr, 0, 0, bounds.right, bounds.bottom,
                      SWP_ASYNCWINDOWPOS | SWP_NOACTIVATE | SWP_NOZORDER);
}

WebViewResult<ComPtr<ICoreWebView2Controller>> create_controller(ICoreWebView2Environment* environment,
                                                                 HWND container) {
  auto slot = std::make_shared<ResultSlot<ComPtr<ICoreWebView2Controller>>>();
  {
    const auto callback = deliver_into<ControllerCompleted, ICoreWebView2Controller>(slot);
    if (auto failure = checked(request_controller(environment, container, callback.Get())))
      return std::move(*failure);
  }
  return wait_with_message_pump(*slot);
}

void install_parent_subclass(HWND parent, ICoreWebView2Controller* controller) {
  auto* cell = new ParentCell{ComPtr<ICoreWebView2Controller>(controller)};
  if (!SetWindowSubclass(parent, parent_subclass, kParentSubclassId, reinterpret_cast<DWORD_PTR>(cell)))
    delete cell;
}

void remove_parent_subclass(HWND parent) {
  g_detaching_parent = parent;
  SendMessageW(parent, kDetachParentSubclass, 0, 0);
  g_detaching_parent = nullptr;
  RemoveWindowSubclass(parent, parent_subclass, kParentSubclassId);
}

}  // namespace corvane
