#include "app/web_view_startup.h"

#include "app/config.h"
#include "app/error_box.h"
#include "app/external_opener.h"
#include "app/failure_text.h"
#include "app/navigation_policy.h"
#include "app/profile_folder.h"

namespace corvane {
namespace {

// The dialog, then the download page in the user's browser, then the window's destroy request (the
// loop goes last, with the caller).
void report_web_view_failure(const WebViewError& error, MainWindow& window) {
  show_error_box(webview_failure_text(error));
  open_external(AppConfig::DownloadLink);
  release_window(std::move(window));
}

}  // namespace

std::optional<HostedWebView> start_web_view(MainWindow& window) {
  const std::optional<std::wstring> root = profile_root();
  if (!root) {
    // Nowhere to keep the browser profile: say so rather than fail later.
    show_error_box(
        "Corvane couldn't find a folder for its browser profile: neither LOCALAPPDATA nor a temporary folder is available.");
    release_window(std::move(window));
    return std::nullopt;
  }
  auto hosted = create_hosted_web_view(window.hwnd, profile_folder_in(*root), AppConfig::StartUrl,
                                       NavigationHandler{}, NewWindowHandler{});
  if (!hosted) {
    report_web_view_failure(hosted.error(), window);
    return std::nullopt;
  }
  return std::move(hosted.value());
}

}  // namespace corvane
