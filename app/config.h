#pragma once
// The program's fixed values. Nothing is read from files, the registry or the command line.
#include <string_view>

namespace corvane::AppConfig {

inline constexpr std::string_view ProductName = "Corvane";
// The hosted point-of-sale application.
inline constexpr std::string_view AppHost = "app.corvane.io";
// Google's account sign-in service, which the application uses to sign staff in.
inline constexpr std::string_view SignInHost = "accounts.google.com";
inline constexpr std::string_view StartUrl = "https://app.corvane.io/#/pos";
// The start page is the application's own: https, AppHost, then the till's route.
static_assert(StartUrl.starts_with("https://") && StartUrl.substr(8, AppHost.size()) == AppHost &&
              StartUrl.substr(8 + AppHost.size()) == "/#/pos");
// Where Microsoft offers the WebView2 Runtime.
inline constexpr std::string_view DownloadLink = "https://go.microsoft.com/fwlink/p/?LinkId=2124703";

static_assert(AppHost.size() == 14 && SignInHost.size() == 19 && DownloadLink.size() == 49);

}  // namespace corvane::AppConfig
