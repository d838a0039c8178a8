#pragma once
// Process-wide preparations the event loop makes before any window exists.
#include "window/optional_functions.h"
#include "window/windows_version.h"

namespace corvane {

// Per-monitor DPI awareness, version 2 where the system has it, with the older calls as fallbacks.
void make_process_dpi_aware(const DpiFunctions& functions);
// The same, at most once per process; true when this call did it.
bool make_process_dpi_aware_once(const DpiFunctions& functions = dpi_functions());

// Opts the application into dark-mode support on Windows 10 1809 and later. The refresh (ordinal 104)
// is made only together with the preference export (135): on a system without the dark-mode exports
// ordinal 104 is a different function, and calling it would crash.
void allow_dark_mode_for_app(const WindowsVersion& version, const ThemeFunctions& functions);

}  // namespace corvane
