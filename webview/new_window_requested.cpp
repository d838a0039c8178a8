#include "webview/new_window_requested.h"

#include "webview/container.h"
#include "webview/runtime_strings.h"

namespace corvane {
namespace {

using Args = ICoreWebView2NewWindowRequestedEventArgs;
using Features = ICoreWebView2WindowFeatures;

template <typename Interface>
OpaqueComRef<Interface> another_reference(Interface* shared) {
  shared->AddRef();
  return OpaqueComRef<Interface>(shared);
}

NewWindowFeatures read_features(Args* args) {
  NewWindowFeatures features;
  ComPtr<Features> window;
  if (FAILED(args->get_WindowFeatures(&window)) || !window) return features;
  // A failing getter reads as FALSE or 0.
  const auto flag = [&](HRESULT (STDMETHODCALLTYPE Features::*getter)(BOOL*)) {
    BOOL value = FALSE;
    return SUCCEEDED((window.Get()->*getter)(&value)) && value;
  };
  const auto number = [&](HRESULT (STDMETHODCALLTYPE Features::*getter)(UINT32*)) {
    UINT32 value = 0;
    return SUCCEEDED((window.Get()->*getter)(&value)) ? double(value) : 0.0;
  };
  if (flag(&Features::get_HasPosition)) {
    features.position = NewWindowFeatures::Position{number(&Features::get_Left), number(&Features::get_Top)};
  }
  if (flag(&Features::get_HasSize)) {
    features.size = NewWindowFeatures::Size{number(&Features::get_Width), number(&Features::get_Height)};
  }
  return features;
}

// Handled TRUE: nothing opens.
void deny(Args* args) {
  args->put_Handled(TRUE);
}

// A request held open by its deferral until the container runs its decision. One that is dropped
// undecided is denied.
class PendingNewWindowRequest {
 public:
  PendingNewWindowRequest(std::string url, NewWindowFeatures features,
                          std::shared_ptr<const NewWindowCallback> handler, ComPtr<Args> args,
                          ComPtr<ICoreWebView2Deferral> deferral)
      : url_(std::move(url)),
        features_(std::move(features)),
        handler_(std::move(handler)),
        args_(std::move(args)),
        deferral_(std::move(deferral)) {}
  PendingNewWindowRequest(const PendingNewWindowRequest&) = delete;
  PendingNewWindowRequest& operator=(const PendingNewWindowRequest&) = delete;
  ~PendingNewWindowRequest() {
    if (deferral_) complete(NewWindowDecision{});
  }

  void decide() { complete((*handler_)(url_, std::move(features_))); }

 private:
  // Failures of these calls change nothing the host could mend.
  void complete(NewWindowDecision decision) {
    if (decision.kind == NewWindowDecision::Kind::Allow) {
      args_->put_Handled(FALSE);  // the runtime opens its own window
    } else {
      deny(args_.Get());
      if (decision.kind == NewWindowDecision::Kind::Create) args_->put_NewWindow(decision.web_view.get());
    }
    deferral_->Complete();
    deferral_ = nullptr;
    args_ = nullptr;
  }

  std::string url_;
  NewWindowFeatures features_;
  std::shared_ptr<const NewWindowCallback> handler_;
  ComPtr<Args> args_;
  ComPtr<ICoreWebView2Deferral> deferral_;
};

}  // namespace

ComStatus on_new_window_requested(const std::shared_ptr<const NewWindowCallback>& handler,
                                  ICoreWebView2Environment* environment, HWND container,
                                  ComPtr<ICoreWebView2> sender, ComPtr<Args> args) {
  if (!args) return {};
  std::string url;
  if (auto failure = read_runtime_string(args.Get(), &Args::get_Uri, url)) {
    deny(args.Get());
    return *failure;
  }
  NewWindowFeatures features = read_features(args.Get());
  features.opener_web_view = OpaqueComRef<ICoreWebView2>(sender.Detach());
  features.opener_environment = another_reference(environment);
  ComPtr<ICoreWebView2Deferral> deferral;
  if (ComStatus failure = obtained(args->GetDeferral(&deferral), deferral); failure.failed()) {
    deny(args.Get());
    return failure;
  }
  auto pending = std::make_shared<PendingNewWindowRequest>(std::move(url), std::move(features), handler,
                                                           std::move(args), std::move(deferral));
  // The decision is taken one message later, after this callback has returned to the runtime. A post
  // that fails drops the request here, and so denies it at once.
  post_to_container(container, [pending] { pending->decide(); });
  return {};
}

}  // namespace corvane
