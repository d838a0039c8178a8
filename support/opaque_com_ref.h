#pragma once
// One owned reference to a COM interface that is only declared where it is held, for headers that
// must stay free of the COM and Windows headers (the navigation policy's).

namespace corvane {
namespace detail {

// IUnknown::Release through a pointer to any COM interface: every one begins with IUnknown's slots.
void release_com_reference(void* unknown) noexcept;

}  // namespace detail

template <typename Interface>
class OpaqueComRef {
 public:
  OpaqueComRef() noexcept = default;
  // Takes over one reference the caller owns.
  explicit OpaqueComRef(Interface* owned) noexcept : pointer_(owned) {}
  OpaqueComRef(OpaqueComRef&& other) noexcept : pointer_(other.detach()) {}
  OpaqueComRef& operator=(OpaqueComRef&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = other.detach();
    }
    return *this;
  }
  OpaqueComRef(const OpaqueComRef&) = delete;
  OpaqueComRef& operator=(const OpaqueComRef&) = delete;
  ~OpaqueComRef() { reset(); }

  Interface* get() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }
  // Gives the reference up without releasing it: whoever takes the pointer owns it.
  Interface* detach() noexcept {
    Interface* p = pointer_;
    pointer_ = nullptr;
    return p;
  }
  // Releases the reference.
  void reset() noexcept {
    if (Interface* p = detach()) detail::release_com_reference(p);
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace corvane
