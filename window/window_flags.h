#pragma once
// A top-level window's state as flag bits, their Win32 styles, and applying a change of them.
#include <windows.h>

#include <cstdint>

namespace corvane {

struct WindowFlags {
  enum Bit : std::uint32_t {
    Resizable = 1u << 0,
    Visible = 1u << 1,
    OnTaskbar = 1u << 2,
    Maximized = 1u << 7,
    Minimizable = 1u << 10,
    Maximizable = 1u << 11,
    Closable = 1u << 12,
    Minimized = 1u << 13,
    RetainStateOnSize = 1u << 17,
    InSizeMove = 1u << 18,
    Decorated = 1u << 20,
    Focusable = 1u << 23,
  };

  std::uint32_t bits = 0;

  bool has(Bit bit) const { return bits & bit; }
  WindowFlags with(Bit bit, bool on) const { return {on ? bits | bit : bits & ~std::uint32_t{bit}}; }
  bool operator==(const WindowFlags&) const = default;
};

struct WindowStyles {
  DWORD style;
  DWORD ex_style;
  bool operator==(const WindowStyles&) const = default;
};

// The caption and system menu are always there; WS_EX_ACCEPTFILES too.
WindowStyles flags_to_styles(WindowFlags flags);

// The user32 calls apply_window_flags makes, replaceable so tests can see them.
struct WindowCalls {
  BOOL(WINAPI* show_window)(HWND, int);
  HMENU(WINAPI* get_system_menu)(HWND, BOOL);
  BOOL(WINAPI* enable_menu_item)(HMENU, UINT, UINT);
  LONG(WINAPI* set_window_long)(HWND, int, LONG);
  BOOL(WINAPI* set_window_pos)(HWND, HWND, int, int, int, int, UINT);
  LRESULT(WINAPI* send_message)(HWND, UINT, WPARAM, LPARAM);
};
const WindowCalls& system_window_calls();

// Brings a live window from the old flags to the new ones with the fewest calls: none for equal
// flags. The caller has stored the new flags and released the state lock: the window procedure is
// re-entered meanwhile.
void apply_window_flags(WindowFlags old_flags, HWND window, WindowFlags new_flags,
                        const WindowCalls& calls = system_window_calls());

}  // namespace corvane
