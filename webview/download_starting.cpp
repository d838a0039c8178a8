#include "webview/download_starting.h"

#include "webview/download_path.h"
#include "webview/runtime_strings.h"

namespace corvane {
namespace {

struct ProposedDownload {
  std::string url;
  std::wstring path;
};

// The download's URL and the path the runtime proposes, or the failure to read them.
std::optional<ComStatus> read_download(ICoreWebView2DownloadStartingEventArgs* args, ProposedDownload& out) {
  ComPtr<ICoreWebView2DownloadOperation> operation;
  if (ComStatus failure = obtained(args->get_DownloadOperation(&operation), operation); failure.failed())
    return failure;
  if (auto failure = read_runtime_string(operation.Get(), &ICoreWebView2DownloadOperation::get_Uri, out.url))
    return failure;
  return read_runtime_string(args, &ICoreWebView2DownloadStartingEventArgs::get_ResultFilePath, out.path);
}

}  // namespace

ComStatus on_download_starting(ICoreWebView2DownloadStartingEventArgs* args) {
  if (args == nullptr) return {};
  ProposedDownload proposed;
  if (auto failure = read_download(args, proposed)) {
    args->put_Cancel(TRUE);
    return *failure;
  }
  const DownloadDecision decision = accept_all_downloads(proposed.url, std::move(proposed.path));
  if (!decision.accept) return ComStatus::of(args->put_Cancel(TRUE));
  const std::wstring path = simplest_form(decision.path);
  if (const HRESULT hr = args->put_ResultFilePath(path.c_str()); FAILED(hr))
    return ComStatus::from_thread(hr);
  // Handled hides the runtime's own download UI.
  return ComStatus::of(args->put_Handled(TRUE));
}

}  // namespace corvane
