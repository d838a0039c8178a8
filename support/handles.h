#pragma once
// The handle kinds the program owns.
#include <windows.h>
#include <objbase.h>

#include <memory>

#include "support/unique_handle.h"

namespace corvane {

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle empty() noexcept { return nullptr; }
  static bool valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void close(Handle h) noexcept { CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

struct IconTraits {
  using Handle = HICON;
  static Handle empty() noexcept { return nullptr; }
  // NULL and all ones are both "no icon" to CreateIcon's callers.
  static bool valid(Handle h) noexcept { return h != nullptr && h != reinterpret_cast<HICON>(-1); }
  static void close(Handle h) noexcept { DestroyIcon(h); }
};
using UniqueIcon = UniqueHandle<IconTraits>;
// An icon with several holders; the last one to let go destroys it.
using SharedIcon = std::shared_ptr<const UniqueIcon>;

struct CoTaskMemTraits {
  using Handle = wchar_t*;
  static Handle empty() noexcept { return nullptr; }
  static bool valid(Handle h) noexcept { return h != nullptr; }
  static void close(Handle h) noexcept { CoTaskMemFree(h); }
};
// A string the system allocated with CoTaskMemAlloc for us to free.
using CoTaskString = UniqueHandle<CoTaskMemTraits>;

}  // namespace corvane
