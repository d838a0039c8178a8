// Where each declared WebView2 method really sits in its vtable: the slot the compiler gives it must
// be the slot the published ABI gives it (GCC's pointer to a virtual member holds 1 + its byte offset).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "webview/webview2.h"

namespace corvane {
namespace {

template <typename Method>
std::ptrdiff_t slot_of(Method method) {
  struct {
    std::uintptr_t pointer;
    std::ptrdiff_t adjustment;
  } parts;
  static_assert(sizeof parts == sizeof method);
  std::memcpy(&parts, &method, sizeof parts);
  EXPECT_EQ(parts.pointer % sizeof(void*), 1u) << "not a virtual method";
  return static_cast<std::ptrdiff_t>(parts.pointer - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

#define CORVANE_CHECK_SLOT(slot, name, params) EXPECT_EQ(slot_of(&Current::name), slot) << #name;
#define CORVANE_CHECK_INTERFACE(Name)          \
  TEST(AbiSlots, Name) {                       \
    using Current = Name;                      \
    CORVANE_##Name##_SLOTS(CORVANE_CHECK_SLOT) \
  }

CORVANE_CHECK_INTERFACE(ICoreWebView2Environment)
CORVANE_CHECK_INTERFACE(ICoreWebView2Environment2)
CORVANE_CHECK_INTERFACE(ICoreWebView2Environment3)
CORVANE_CHECK_INTERFACE(ICoreWebView2Environment4)
CORVANE_CHECK_INTERFACE(ICoreWebView2Environment5)
CORVANE_CHECK_INTERFACE(ICoreWebView2Environment6)
CORVANE_CHECK_INTERFACE(ICoreWebView2Environment7)
CORVANE_CHECK_INTERFACE(ICoreWebView2Environment8)
CORVANE_CHECK_INTERFACE(ICoreWebView2Environment9)
CORVANE_CHECK_INTERFACE(ICoreWebView2Environment10)
CORVANE_CHECK_INTERFACE(ICoreWebView2EnvironmentOptions)
CORVANE_CHECK_INTERFACE(ICoreWebView2EnvironmentOptions2)
CORVANE_CHECK_INTERFACE(ICoreWebView2EnvironmentOptions3)
CORVANE_CHECK_INTERFACE(ICoreWebView2EnvironmentOptions4)
CORVANE_CHECK_INTERFACE(ICoreWebView2EnvironmentOptions5)
CORVANE_CHECK_INTERFACE(ICoreWebView2EnvironmentOptions6)
CORVANE_CHECK_INTERFACE(ICoreWebView2EnvironmentOptions7)
CORVANE_CHECK_INTERFACE(ICoreWebView2EnvironmentOptions8)
CORVANE_CHECK_INTERFACE(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler)
CORVANE_CHECK_INTERFACE(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler)
CORVANE_CHECK_INTERFACE(ICoreWebView2ControllerOptions)
CORVANE_CHECK_INTERFACE(ICoreWebView2Controller)
CORVANE_CHECK_INTERFACE(ICoreWebView2)
CORVANE_CHECK_INTERFACE(ICoreWebView2_2)
CORVANE_CHECK_INTERFACE(ICoreWebView2_3)
CORVANE_CHECK_INTERFACE(ICoreWebView2_4)
CORVANE_CHECK_INTERFACE(ICoreWebView2Settings)
CORVANE_CHECK_INTERFACE(ICoreWebView2Settings2)
CORVANE_CHECK_INTERFACE(ICoreWebView2Settings3)
CORVANE_CHECK_INTERFACE(ICoreWebView2Settings4)
CORVANE_CHECK_INTERFACE(ICoreWebView2Settings5)
CORVANE_CHECK_INTERFACE(ICoreWebView2Settings6)
CORVANE_CHECK_INTERFACE(ICoreWebView2Settings7)
CORVANE_CHECK_INTERFACE(ICoreWebView2Settings8)
CORVANE_CHECK_INTERFACE(ICoreWebView2Settings9)
CORVANE_CHECK_INTERFACE(ICoreWebView2NavigationStartingEventHandler)
CORVANE_CHECK_INTERFACE(ICoreWebView2NavigationStartingEventArgs)
CORVANE_CHECK_INTERFACE(ICoreWebView2NewWindowRequestedEventHandler)
CORVANE_CHECK_INTERFACE(ICoreWebView2NewWindowRequestedEventArgs)
CORVANE_CHECK_INTERFACE(ICoreWebView2WindowFeatures)
CORVANE_CHECK_INTERFACE(ICoreWebView2Deferral)
CORVANE_CHECK_INTERFACE(ICoreWebView2WindowCloseRequestedEventHandler)
CORVANE_CHECK_INTERFACE(ICoreWebView2DownloadStartingEventHandler)
CORVANE_CHECK_INTERFACE(ICoreWebView2DownloadStartingEventArgs)
CORVANE_CHECK_INTERFACE(ICoreWebView2DownloadOperation)

TEST(AbiIds, MatchThePublishedOnes) {
  EXPECT_EQ(__uuidof(ICoreWebView2),
            (IID{0x76ECEACB, 0x0462, 0x4D94, {0xAC, 0x83, 0x42, 0x3A, 0x67, 0x93, 0x77, 0x5E}}));
  EXPECT_EQ(__uuidof(ICoreWebView2EnvironmentOptions8),
            (IID{0x7C7ECF51, 0xE918, 0x5CAF, {0x85, 0x3C, 0xE9, 0xA2, 0xBC, 0xC2, 0x77, 0x75}}));
}

}  // namespace
}  // namespace corvane
