#pragma once
// Hands URLs that must not load inside the application to the user's browser, mail program or
// telephony handler. Free of the Windows headers; the shell call sits in external_opener_shell.cpp.
#include <string>
#include <string_view>

namespace corvane {

// Where an openable URL goes, as UTF-16; the shell by default, a recorder in tests.
using ShellHandOff = void (*)(const std::wstring& url);

// ShellExecuteW(NULL, "open", url, NULL, NULL, SW_SHOWNORMAL); the result is not examined.
void shell_execute_open(const std::wstring& url);

// True for https, http, mailto and tel URLs, the scheme compared without regard to ASCII case.
bool is_openable_url(std::string_view url);

// Passes an openable URL, unchanged, to the hand-off; drops any other without a word.
void open_external(std::string_view url, ShellHandOff hand_off = shell_execute_open);

}  // namespace corvane
