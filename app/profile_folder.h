#pragma once
// Where the browser profile lives: <local application data>\Corvane\WebView2, per user.
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Appends a path component, with a backslash before it unless the path is empty, already ends in a
// separator, or is a bare drive ("C:").
std::wstring append_component(std::wstring path, std::wstring_view component);

// root\Corvane\WebView2 by the rule above.
std::wstring profile_folder_in(std::wstring root);

// The profile root: LOCALAPPDATA as it is (even empty) when defined, else the temporary-files folder;
// none when neither can be had.
std::optional<std::wstring> profile_root();

}  // namespace corvane
