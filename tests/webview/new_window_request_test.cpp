// The new-window adapter with a request of the test's own: whatever happens to the request, it is
// decided exactly once and never left open, and the opener's references go with it.
#include "webview/new_window_requested.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/com_object.h"
#include "tests/common/opener_probe.h"
#include "webview/container.h"
#include "window/window_destruction.h"

namespace corvane {
namespace {

struct Record {
  std::vector<std::string> calls;
  bool web_view_gone = false, environment_gone = false;
};

class Deferral final : public ComObject<Deferral, ICoreWebView2Deferral> {
 public:
  explicit Deferral(Record* record) : record_(record) {}
  HRESULT STDMETHODCALLTYPE Complete() noexcept override {
    record_->calls.push_back("Complete");
    return S_OK;
  }

 private:
  Record* record_;
};

struct RequestFaults {
  HRESULT uri = S_OK;
  HRESULT deferral = S_OK;
  bool null_deferral = false;
};

class Request final : public ComObject<Request, ICoreWebView2NewWindowRequestedEventArgs> {
 public:
  Request(Record* record, RequestFaults faults) : record_(record), faults_(faults) {}

  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) noexcept override {
    if (FAILED(faults_.uri)) return faults_.uri;
    constexpr wchar_t kUri[] = L"https://example.com/offer";
    *uri = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof kUri));
    std::memcpy(*uri, kUri, sizeof kUri);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_NewWindow(ICoreWebView2*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_NewWindow(ICoreWebView2**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) noexcept override {
    record_->calls.push_back(handled ? "put_Handled(TRUE)" : "put_Handled(FALSE)");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Handled(BOOL*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) noexcept override {
    record_->calls.push_back("GetDeferral");
    if (FAILED(faults_.deferral)) return faults_.deferral;
    *deferral = faults_.null_deferral ? nullptr : Deferral::create(record_).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_WindowFeatures(ICoreWebView2WindowFeatures** features) noexcept override {
    *features = nullptr;
    return S_OK;
  }

 private:
  Record* record_;
  RequestFaults faults_;
};

using testing_support::OpenerProbe;

enum class Container { Running, GoneBeforeTheRequest, GoneBeforeTheDecision };

struct RequestCase {
  const char* name;
  RequestFaults faults;
  Container container;
  HRESULT returned;
  std::vector<std::string> calls;  // in order; "handler" when the policy was asked
};

class NewWindowRequest : public testing::TestWithParam<RequestCase> {};

TEST_P(NewWindowRequest, IsDecidedOnceAndNeverLeftOpen) {
  const RequestCase& c = GetParam();
  Record record;
  HWND container = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  install_container_subclass(container);
  if (c.container == Container::GoneBeforeTheRequest) destroy_window(container);
  const auto handler = std::make_shared<const NewWindowCallback>([&](std::string_view, NewWindowFeatures) {
    record.calls.push_back("handler");
    return NewWindowDecision{};
  });
  {
    const auto web_view = OpenerProbe::create(&record.web_view_gone);
    const auto environment = OpenerProbe::create(&record.environment_gone);
    const ComStatus status = on_new_window_requested(
        handler, reinterpret_cast<ICoreWebView2Environment*>(environment->identity()), container,
        ComPtr<ICoreWebView2>(reinterpret_cast<ICoreWebView2*>(web_view->identity())),
        Request::create(&record, c.faults));
    EXPECT_EQ(status.code, c.returned);
  }
  if (c.container == Container::GoneBeforeTheDecision) destroy_window(container);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(record.calls, c.calls);
  EXPECT_TRUE(record.web_view_gone && record.environment_gone) << "the opener's references were kept";
  if (IsWindow(container)) destroy_window(container);
}

const std::vector<std::string> kDecided = {"GetDeferral", "handler", "put_Handled(TRUE)", "Complete"};
const std::vector<std::string> kDeniedUndecided = {"GetDeferral", "put_Handled(TRUE)", "Complete"};

INSTANTIATE_TEST_SUITE_P(
    Cases, NewWindowRequest,
    testing::Values(
        RequestCase{"decided_one_message_later", {}, Container::Running, S_OK, kDecided},
        RequestCase{"post_fails_container_gone", {}, Container::GoneBeforeTheRequest, S_OK, kDeniedUndecided},
        RequestCase{"container_gone_before_the_decision",
                    {},
                    Container::GoneBeforeTheDecision,
                    S_OK,
                    kDeniedUndecided},
        RequestCase{"unreadable_url", {E_FAIL}, Container::Running, E_FAIL, {"put_Handled(TRUE)"}},
        RequestCase{"no_deferral",
                    {S_OK, E_OUTOFMEMORY},
                    Container::Running,
                    E_OUTOFMEMORY,
                    {"GetDeferral", "put_Handled(TRUE)"}},
        RequestCase{"null_deferral",
                    {S_OK, S_OK, true},
                    Container::Running,
                    E_POINTER,
                    {"GetDeferral", "put_Handled(TRUE)"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
