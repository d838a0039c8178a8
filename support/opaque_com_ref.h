#pragma once
// One owned COM reference, for headers that must stay free of the COM and Windows headers.

namespace corvane {

class OpaqueComRef {
 public:
  OpaqueComRef() noexcept = default;
  // Takes over one reference of an IUnknown-derived pointer.
  explicit OpaqueComRef(void* unknown) noexcept : unknown_(unknown) {}
  OpaqueComRef(OpaqueComRef&& other) noexcept : unknown_(other.release()) {}
  OpaqueComRef& operator=(OpaqueComRef&& other) noexcept {
    if (this != &other) {
      reset();
      unknown_ = other.release();
    }
    return *this;
  }
  OpaqueComRef(const OpaqueComRef&) = delete;
  OpaqueComRef& operator=(const OpaqueComRef&) = delete;
  ~OpaqueComRef() { reset(); }

  void* get() const noexcept { return unknown_; }
  explicit operator bool() const noexcept { return unknown_ != nullptr; }
  void* release() noexcept {
    void* p = unknown_;
    unknown_ = nullptr;
    return p;
  }
  void reset() noexcept;

 private:
  void* unknown_ = nullptr;
};

}  // namespace corvane
