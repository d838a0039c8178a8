#include "webview/parent_subclass.h"

#include <commctrl.h>

#include <memory>
#include <optional>

#include "webview/controller.h"
#include "window/window_destruction.h"

namespace corvane {
namespace {

// The subclass's reference data, owned by the subclass from installation until it detaches.
struct ParentCell {
  ComPtr<ICoreWebView2Controller> controller;
  // Set by remove_parent_subclass around its detach message: any program can send that message, and
  // only this one counts.
  bool detaching = false;
};

// The subclass goes with its window, or when remove_parent_subclass asks. A WM_DESTROY or a detach
// message that another program posted changes nothing.
bool detaches(HWND window, UINT msg, const ParentCell& cell) {
  if (msg == WM_DESTROY) return is_being_destroyed(window);
  return msg == kDetachParentSubclass && cell.detaching;
}

LRESULT CALLBACK parent_subclass(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR data) noexcept;

// Removes the subclass and frees its cell.
void detach(HWND window, ParentCell* cell) {
  RemoveWindowSubclass(window, parent_subclass, kParentSubclassId);
  std::unique_ptr<ParentCell> released(cell);
}

LRESULT CALLBACK parent_subclass(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR data) noexcept {
  auto* cell = reinterpret_cast<ParentCell*>(data);
  if (detaches(window, msg, *cell)) {
    detach(window, cell);
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

}  // namespace

void install_parent_subclass(HWND parent, ICoreWebView2Controller* controller) {
  auto cell = std::make_unique<ParentCell>(ParentCell{ComPtr<ICoreWebView2Controller>(controller)});
  if (SetWindowSubclass(parent, parent_subclass, kParentSubclassId, reinterpret_cast<DWORD_PTR>(cell.get())))
    static_cast<void>(cell.release());  // the subclass owns it now
}

void remove_parent_subclass(HWND parent) {
  DWORD_PTR data = 0;
  if (!GetWindowSubclass(parent, parent_subclass, kParentSubclassId, &data)) return;
  reinterpret_cast<ParentCell*>(data)->detaching = true;
  SendMessageW(parent, kDetachParentSubclass, 0, 0);
  // A subclass above this one may have kept the message from it: detach it here then.
  if (GetWindowSubclass(parent, parent_subclass, kParentSubclassId, &data))
    detach(parent, reinterpret_cast<ParentCell*>(data));
}

}  // namespace corvane
