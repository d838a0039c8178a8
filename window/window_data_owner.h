#pragma once
// The one owner of what a window procedure keeps for its window (in GWLP_USERDATA). The data is freed
// only when the outermost call of the procedure for that window returns: a message sent while another
// is handled (WM_NCDESTROY inside a handler's DestroyWindow) must never leave the outer call holding
// freed data.
#include <windows.h>

#include <cstdint>
#include <memory>

namespace corvane {

template <typename Data>
class WindowDataOwner {
 public:
  // Hands the data to the window; it is freed after release() once no call is under way.
  static void attach(HWND window, std::unique_ptr<Data> data) {
    auto cell = std::make_unique<Cell>(Cell{std::move(data)});
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cell.release()));
  }

  // Calls handle(data) with the window's data, or returns unattached() when it has none.
  template <typename Handle, typename Unattached>
  static LRESULT dispatch(HWND window, Handle&& handle, Unattached&& unattached) {
    Cell* cell = reinterpret_cast<Cell*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (cell == nullptr) return unattached();
    ++cell->depth;
    const LRESULT result = handle(*cell->data);
    if (--cell->depth == 0 && cell->released) delete cell;
    return result;
  }

  // Detaches the data from the window, from inside a call of its procedure (WM_NCDESTROY); the
  // outermost call frees it.
  static void release(HWND window) {
    Cell* cell = reinterpret_cast<Cell*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (cell == nullptr) return;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    cell->released = true;
    if (cell->depth == 0) delete cell;
  }

 private:
  struct Cell {
    std::unique_ptr<Data> data;
    std::uint32_t depth = 0;
    bool released = false;
  };
};

}  // namespace corvane
