#pragma once
// The one object model for every COM object the program hands out. Callback objects
// (com_callback.h), the drop target and the environment options build on it.
//   identity:    one table shaped like IInspectable answers IUnknown, IInspectable and IAgileObject, so
//                every interface of the object leads back to the same pointer;
//   count:       one interlocked 64-bit reference count, 1 at creation; the last Release destroys;
//   weak record: a shared record of the identity, cleared by the last Release, which the object's
//                IWeakReference resolves against, so a weak reference never revives a dying object;
//   tear-off:    IMarshal is a small object of its own that shares the identity and forwards to the
//                free-threaded marshaler: the objects are agile.
// QueryInterface answers exactly these and the object's own interfaces.
#include <windows.h>
#include <inspectable.h>
#include <objbase.h>
#include <objidl.h>
#include <wrl/client.h>

#include "support/com_uuid.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>

// Not declared by MinGW-w64's headers.
struct IWeakReference : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Resolve(REFIID riid, IInspectable** object) = 0;
};
CORVANE_DECLARE_UUID(IWeakReference, "00000037-0000-0000-C000-000000000046", 0x00000037, 0x0000, 0x0000, 0xC0,
                     0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

struct IWeakReferenceSource : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetWeakReference(IWeakReference** weak) = 0;
};
CORVANE_DECLARE_UUID(IWeakReferenceSource, "00000038-0000-0000-C000-000000000046", 0x00000038, 0x0000, 0x0000,
                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

namespace corvane {

using Microsoft::WRL::ComPtr;

// Takes over a reference the caller already owns. (MinGW-w64's ComPtr::Attach adds one of its own,
// unlike the Windows SDK's, so it is never used.)
template <typename T>
ComPtr<T> adopt(T* owned) noexcept {
  ComPtr<T> pointer;
  *pointer.GetAddressOf() = owned;
  return pointer;
}

namespace detail {

// One of the object's own interfaces: what it inherits, and the id it answers.
template <typename I>
struct InterfaceList {
  using Inherit = I;
  static bool answers(REFIID iid, I* self, void** out) noexcept {
    if (iid != __uuidof(I)) return false;
    *out = self;
    return true;
  }
};

// A reference passed through the COM ABI may be a null pointer; the volatile read stops the
// compiler from assuming otherwise.
template <typename T>
bool is_null_reference(const T& ref) noexcept {
  const void* volatile address = &ref;
  return address == nullptr;
}

class RefCount {
 public:
  ULONG add() noexcept { return static_cast<ULONG>(count_.fetch_add(1) + 1); }
  std::uint64_t release() noexcept { return count_.fetch_sub(1) - 1; }
  // Adds a reference unless the count has already reached zero (the object is being destroyed).
  bool try_add() noexcept {
    std::uint64_t current = count_.load();
    while (current != 0) {
      if (count_.compare_exchange_weak(current, current + 1)) return true;
    }
    return false;
  }

 private:
  std::atomic<std::uint64_t> count_{1};
};

// What weak references point at: cleared when the object's last strong reference goes.
struct WeakTarget {
  IInspectable* identity;
  RefCount* count;
  std::mutex lock;
};

ComPtr<IWeakReference> make_weak_reference(std::shared_ptr<WeakTarget> target);
HRESULT make_marshal_tear_off(IInspectable* outer, void** out) noexcept;

}  // namespace detail

template <typename Derived, typename... Interfaces>
class ComObject : public IInspectable,
                  public IWeakReferenceSource,
                  public detail::InterfaceList<Interfaces>::Inherit... {
 public:
  // Creates the object holding its first reference.
  template <typename... Args>
  static ComPtr<Derived> create(Args&&... args) {
    return adopt(new Derived(std::forward<Args>(args)...));
  }

  IInspectable* identity() noexcept { return static_cast<IInspectable*>(this); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (detail::is_null_reference(iid) || out == nullptr) return E_POINTER;
    *out = nullptr;
    if ((detail::InterfaceList<Interfaces>::answers(iid, this, out) || ...)) {
      AddRef();
      return S_OK;
    }
    if (outer_ != nullptr) return outer_->QueryInterface(iid, out);
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IInspectable) || iid == __uuidof(IAgileObject)) {
      *out = identity();
    } else if (iid == __uuidof(IWeakReferenceSource)) {
      *out = static_cast<IWeakReferenceSource*>(this);
    } else if (iid == __uuidof(IMarshal)) {
      return detail::make_marshal_tear_off(identity(), out);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }

  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return count_.add(); }

  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const std::uint64_t remaining = count_.release();
    if (remaining == 0) {
      {
        std::lock_guard guard(weak_->lock);
        weak_->identity = nullptr;
      }
      delete static_cast<Derived*>(this);
    }
    return static_cast<ULONG>(remaining);
  }

  HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) noexcept override {
    if (count == nullptr || iids == nullptr) return E_POINTER;
    *count = 0;
    *iids = nullptr;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING* name) noexcept override {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) noexcept override {
    if (level == nullptr) return E_POINTER;
    *level = BaseTrust;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetWeakReference(IWeakReference** weak) noexcept override {
    if (weak == nullptr) return E_POINTER;
    *weak = detail::make_weak_reference(weak_).Detach();
    return S_OK;
  }

 protected:
  ComObject() : weak_(std::make_shared<detail::WeakTarget>(identity(), &count_)) {}
  // A tear-off: answers its own interfaces and passes every other question to outer, whose identity
  // it shares. The derived class keeps outer alive.
  explicit ComObject(IInspectable* outer) : ComObject() { outer_ = outer; }
  virtual ~ComObject() = default;

  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

 private:
  detail::RefCount count_;
  std::shared_ptr<detail::WeakTarget> weak_;
  IInspectable* outer_ = nullptr;
};

}  // namespace corvane
