#include "window/optional_functions.h"

#include "support/function_cast.h"

namespace corvane {
namespace {

template <typename F>
void look_up(F& slot, const wchar_t* library, const char* name) {
  slot = function_cast<F>(load_optional_function(library, name));
}

template <typename F>
void look_up_ordinal(F& slot, HMODULE module, WORD ordinal) {
  slot = module ? function_cast<F>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))) : nullptr;
}

}  // namespace

const DpiFunctions& dpi_functions() {
  static const DpiFunctions functions = [] {
    DpiFunctions f;
    look_up(f.set_process_dpi_awareness_context, L"user32.dll", "SetProcessDpiAwarenessContext");
    look_up(f.set_process_dpi_awareness, L"shcore.dll", "SetProcessDpiAwareness");
    look_up(f.set_process_dpi_aware, L"user32.dll", "SetProcessDPIAware");
    look_up(f.get_dpi_for_window, L"user32.dll", "GetDpiForWindow");
    look_up(f.get_dpi_for_monitor, L"shcore.dll", "GetDpiForMonitor");
    look_up(f.adjust_window_rect_ex_for_dpi, L"user32.dll", "AdjustWindowRectExForDpi");
    look_up(f.get_system_metrics_for_dpi, L"user32.dll", "GetSystemMetricsForDpi");
    look_up(f.enable_non_client_dpi_scaling, L"user32.dll", "EnableNonClientDpiScaling");
    return f;
  }();
  return functions;
}

const PointerFunctions& pointer_functions() {
  static const PointerFunctions functions = [] {
    PointerFunctions f;
    look_up(f.get_pointer_touch_info, L"user32.dll", "GetPointerTouchInfo");
    look_up(f.get_pointer_pen_info, L"user32.dll", "GetPointerPenInfo");
    look_up(f.skip_pointer_frame_messages, L"user32.dll", "SkipPointerFrameMessages");
    return f;
  }();
  return functions;
}

const ThemeFunctions& theme_functions() {
  static const ThemeFunctions functions = [] {
    ThemeFunctions f;
    HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    look_up_ordinal(f.set_preferred_app_mode, uxtheme, 135);
    look_up_ordinal(f.refresh_immersive_color_policy_state, uxtheme, 104);
    look_up_ordinal(f.allow_dark_mode_for_window, uxtheme, 133);
    look_up_ordinal(f.should_apps_use_dark_mode, uxtheme, 132);
    return f;
  }();
  return functions;
}

}  // namespace corvane
