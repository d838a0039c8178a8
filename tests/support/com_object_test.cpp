// The object model every COM object of the program follows.
#include "support/com_object.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/com_callback.h"
#include "webview/callback_types.h"

namespace corvane {
namespace {

// An object with two interfaces of its own.
class TwoInterfaces final : public ComObject<TwoInterfaces, IDropTarget, IAgileReference> {
 public:
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DragLeave() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Resolve(REFIID, void**) noexcept override { return E_NOTIMPL; }
};

ComPtr<IUnknown> identity_of(IUnknown* object) {
  ComPtr<IUnknown> identity;
  object->QueryInterface(IID_PPV_ARGS(&identity));
  return identity;
}

struct QueryCase {
  const char* name;
  IID iid;
  HRESULT result;
  bool is_identity;  // the pointer handed out is the object's identity
};

class QueryInterface : public testing::TestWithParam<QueryCase> {};

TEST_P(QueryInterface, AnswersItsOwnInterfacesAndNothingElse) {
  auto object =
      EnvironmentCompleted::create([](ComStatus, ComPtr<ICoreWebView2Environment>) { return ComStatus{}; });
  IUnknown* identity = object->identity();
  void* out = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(object->QueryInterface(GetParam().iid, &out), GetParam().result);
  if (FAILED(GetParam().result)) {
    EXPECT_EQ(out, nullptr);
    return;
  }
  ASSERT_NE(out, nullptr);
  auto* unknown = static_cast<IUnknown*>(out);
  EXPECT_EQ(unknown == identity, GetParam().is_identity);
  EXPECT_EQ(identity_of(unknown).Get(), identity) << "every interface leads back to the same identity";
  unknown->Release();
}

INSTANTIATE_TEST_SUITE_P(
    Interfaces, QueryInterface,
    testing::Values(QueryCase{"IUnknown", __uuidof(IUnknown), S_OK, true},
                    QueryCase{"IInspectable", __uuidof(IInspectable), S_OK, true},
                    QueryCase{"IAgileObject", __uuidof(IAgileObject), S_OK, true},
                    QueryCase{"handler", __uuidof(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler),
                              S_OK, false},
                    QueryCase{"IMarshal", __uuidof(IMarshal), S_OK, false},
                    QueryCase{"IWeakReferenceSource", __uuidof(IWeakReferenceSource), S_OK, false},
                    QueryCase{"other_handler",
                              __uuidof(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler),
                              E_NOINTERFACE, false},
                    QueryCase{"IDropTarget", __uuidof(IDropTarget), E_NOINTERFACE, false},
                    QueryCase{"IDispatch", __uuidof(IDispatch), E_NOINTERFACE, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QueryInterfaceArguments, NullPointersGiveEPointer) {
  auto object = TwoInterfaces::create();
  EXPECT_EQ(object->QueryInterface(__uuidof(IUnknown), nullptr), E_POINTER);
  // A C caller can pass a null interface id; call the slot as one would.
  using Slot = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, const IID*, void**);
  IUnknown* unknown = object->identity();
  const Slot query = reinterpret_cast<Slot>((*reinterpret_cast<void***>(unknown))[0]);
  void* out = nullptr;
  EXPECT_EQ(query(unknown, nullptr, &out), E_POINTER);
}

TEST(QueryInterfaceArguments, EveryOwnInterfaceOfAMultiInterfaceObject) {
  auto object = TwoInterfaces::create();
  ComPtr<IDropTarget> drop;
  ComPtr<IAgileReference> agile;
  ASSERT_EQ(object->QueryInterface(IID_PPV_ARGS(&drop)), S_OK);
  ASSERT_EQ(object->QueryInterface(IID_PPV_ARGS(&agile)), S_OK);
  EXPECT_NE(static_cast<void*>(drop.Get()), static_cast<void*>(agile.Get()));
  EXPECT_EQ(identity_of(drop.Get()), identity_of(agile.Get()));
}

TEST(ReferenceCount, StartsAtOneAndFreesTheClosuresStateWithTheLastRelease) {
  auto captured = std::make_shared<int>(7);
  std::weak_ptr<int> watch = captured;
  auto* object = EnvironmentCompleted::create([captured](ComStatus, ComPtr<ICoreWebView2Environment>) {
                   return ComStatus{};
                 }).Detach();
  captured.reset();
  EXPECT_EQ(object->AddRef(), 2u);
  EXPECT_EQ(object->Release(), 1u);
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(object->Release(), 0u);
  EXPECT_TRUE(watch.expired());
}

TEST(WeakReference, ResolvesWhileTheObjectLivesAndNotAfter) {
  auto object = TwoInterfaces::create();
  ComPtr<IWeakReferenceSource> source;
  ASSERT_EQ(object.As(&source), S_OK);
  ComPtr<IWeakReference> weak;
  ASSERT_EQ(source->GetWeakReference(&weak), S_OK);
  source = nullptr;
  ComPtr<IInspectable> resolved;
  ASSERT_EQ(weak->Resolve(__uuidof(IInspectable), &resolved), S_OK);
  EXPECT_EQ(resolved.Get(), object->identity());
  resolved = nullptr;
  object = nullptr;  // the last strong reference
  EXPECT_EQ(weak->Resolve(__uuidof(IInspectable), &resolved), S_OK);
  EXPECT_EQ(resolved.Get(), nullptr);
}

TEST(Marshal, AnswersThroughTheFreeThreadedMarshaler) {
  auto object = TwoInterfaces::create();
  ComPtr<IMarshal> marshal;
  ASSERT_EQ(object.As(&marshal), S_OK);
  CLSID unmarshaler{};
  ASSERT_EQ(marshal->GetUnmarshalClass(__uuidof(IDropTarget), object->identity(), MSHCTX_INPROC, nullptr,
                                       MSHLFLAGS_NORMAL, &unmarshaler),
            S_OK);
  // CLSID_InProcFreeMarshaler
  EXPECT_EQ(unmarshaler, (CLSID{0x0000033A, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}));
}

TEST(CompletionCallback, RunsItsClosureOnceAndASecondInvokeChangesNothing) {
  int runs = 0;
  HRESULT seen = 1;
  auto object = EnvironmentCompleted::create([&](ComStatus outcome, ComPtr<ICoreWebView2Environment> result) {
    ++runs;
    seen = outcome.code;
    EXPECT_EQ(result, nullptr);
    return ComStatus{};
  });
  EXPECT_EQ(object->Invoke(E_ACCESSDENIED, nullptr), S_OK);
  EXPECT_EQ(object->Invoke(S_OK, nullptr), S_OK);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(seen, E_ACCESSDENIED);
}

ComPtr<IErrorInfo> error_info(const wchar_t* description) {
  ComPtr<ICreateErrorInfo> create;
  CreateErrorInfo(&create);
  create->SetDescription(const_cast<LPOLESTR>(description));
  ComPtr<IErrorInfo> info;
  create.As(&info);
  return info;
}

std::wstring thread_error_description() {
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, &info) != S_OK) return L"(none)";
  BSTR description = nullptr;
  info->GetDescription(&description);
  std::wstring text = description ? description : L"";
  SysFreeString(description);
  return text;
}

TEST(CompletionCallback, ErrorInformationTravelsBothWays) {
  std::wstring received;
  auto object = EnvironmentCompleted::create([&](ComStatus outcome, ComPtr<ICoreWebView2Environment>) {
    BSTR description = nullptr;
    if (outcome.info) outcome.info->GetDescription(&description);
    received = description ? description : L"";
    SysFreeString(description);
    return ComStatus{E_UNEXPECTED, error_info(L"closure failed")};
  });
  SetErrorInfo(0, error_info(L"runtime failed").Get());
  EXPECT_EQ(object->Invoke(E_FAIL, nullptr), E_UNEXPECTED);
  EXPECT_EQ(received, L"runtime failed");
  EXPECT_EQ(thread_error_description(), L"closure failed");
}

TEST(EventCallback, RunsOnEveryInvokeHoldingTheSenderOnlyMeanwhile) {
  auto sender_stand_in = TwoInterfaces::create();
  int runs = 0;
  auto object = NavigationStartingCallback::create(
      [&](ComPtr<ICoreWebView2>, ComPtr<ICoreWebView2NavigationStartingEventArgs> args) {
        ++runs;
        EXPECT_EQ(args, nullptr);
        // One reference for the test, one for the closure's argument.
        EXPECT_EQ(sender_stand_in->AddRef(), 3u);
        sender_stand_in->Release();
        return runs == 2 ? ComStatus{E_ABORT, nullptr} : ComStatus{};
      });
  auto* as_web_view = reinterpret_cast<ICoreWebView2*>(sender_stand_in->identity());
  EXPECT_EQ(object->Invoke(as_web_view, nullptr), S_OK);
  EXPECT_EQ(object->Invoke(as_web_view, nullptr), E_ABORT);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(sender_stand_in->AddRef(), 2u) << "the closure's reference was released";
  sender_stand_in->Release();
}

}  // namespace
}  // namespace corvane
