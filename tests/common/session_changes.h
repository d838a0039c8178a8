#pragma once
// A test that changes a setting of the user's session (the DPI, dark mode, the browser and telephone
// handlers, window dragging) or hands links to the shell says so here first. Under Wine every session
// starts from the same prefix. On Windows the setting and the browser are the developer's own, so
// such a test runs only as the CTest entry of that label, which the windows preset leaves out; run
// any other way, it stops the test program before changing anything.
namespace corvane::testing_support {

inline constexpr char kChangesSettings[] = "changes-settings";
inline constexpr char kOpensBrowser[] = "opens-browser";

void require_label(const char* label);

}  // namespace corvane::testing_support
