#include "support/com_object.h"

namespace corvane::detail {
namespace {

class WeakReference final : public ComObject<WeakReference, IWeakReference> {
 public:
  explicit WeakReference(std::shared_ptr<WeakTarget> target) : target_(std::move(target)) {}

  HRESULT STDMETHODCALLTYPE Resolve(REFIID iid, IInspectable** object) noexcept override {
    if (is_null_reference(iid) || object == nullptr) return E_POINTER;
    *object = nullptr;
    ComPtr<IInspectable> strong;
    {
      std::lock_guard guard(target_->lock);
      if (target_->identity != nullptr && target_->count->try_add()) strong = adopt(target_->identity);
    }
    // A weak reference to an object that is gone resolves to nothing, successfully.
    if (!strong) return S_OK;
    return strong->QueryInterface(iid, reinterpret_cast<void**>(object));
  }

 private:
  std::shared_ptr<WeakTarget> target_;
};

// IMarshal for an agile object, answered by the system's free-threaded marshaler.
class MarshalTearOff final : public ComObject<MarshalTearOff, IMarshal> {
 public:
  MarshalTearOff(IInspectable* outer, ComPtr<IMarshal> marshaler)
      : ComObject(outer), outer_(outer), marshaler_(std::move(marshaler)) {}

  HRESULT STDMETHODCALLTYPE GetUnmarshalClass(REFIID iid, void* pv, DWORD context, void* context_data,
                                              DWORD flags, CLSID* clsid) noexcept override {
    return marshaler_->GetUnmarshalClass(iid, pv, context, context_data, flags, clsid);
  }
  HRESULT STDMETHODCALLTYPE GetMarshalSizeMax(REFIID iid, void* pv, DWORD context, void* context_data,
                                              DWORD flags, DWORD* size) noexcept override {
    return marshaler_->GetMarshalSizeMax(iid, pv, context, context_data, flags, size);
  }
  HRESULT STDMETHODCALLTYPE MarshalInterface(IStream* stream, REFIID iid, void* pv, DWORD context,
                                             void* context_data, DWORD flags) noexcept override {
    return marshaler_->MarshalInterface(stream, iid, pv, context, context_data, flags);
  }
  HRESULT STDMETHODCALLTYPE UnmarshalInterface(IStream* stream, REFIID iid, void** out) noexcept override {
    return marshaler_->UnmarshalInterface(stream, iid, out);
  }
  HRESULT STDMETHODCALLTYPE ReleaseMarshalData(IStream* stream) noexcept override {
    return marshaler_->ReleaseMarshalData(stream);
  }
  HRESULT STDMETHODCALLTYPE DisconnectObject(DWORD reserved) noexcept override {
    return marshaler_->DisconnectObject(reserved);
  }

 private:
  ComPtr<IInspectable> outer_;
  ComPtr<IMarshal> marshaler_;
};

}  // namespace

ComPtr<IWeakReference> make_weak_reference(std::shared_ptr<WeakTarget> target) {
  ComPtr<IWeakReference> weak = WeakReference::create(std::move(target));
  return weak;
}

HRESULT make_marshal_tear_off(IInspectable* outer, void** out) noexcept {
  ComPtr<IUnknown> unknown;
  HRESULT hr = CoCreateFreeThreadedMarshaler(nullptr, &unknown);
  if (FAILED(hr)) return hr;
  ComPtr<IMarshal> marshaler;
  hr = unknown.As(&marshaler);
  if (FAILED(hr)) return hr;
  *out = static_cast<IMarshal*>(MarshalTearOff::create(outer, std::move(marshaler)).Detach());
  return S_OK;
}

}  // namespace corvane::detail
