#pragma once
// Corvane's own declarations of the WebView2 COM interfaces it uses, written from the published ABI
// (SDK 1.0.3415): interface ids, bases and every vtable slot in order, also the slots the program never
// calls. Each interface is declared from one list of slots, which also builds a struct with one
// pointer per slot: the build fails unless that struct has exactly as many slots as the ABI gives, and
// the slot numbers run without a gap from the first one of the interface.
#include <windows.h>
#include <eventtoken.h>
#include <objidl.h>
#include <oaidl.h>

#include "support/com_uuid.h"

namespace corvane::abi {

struct IUnknownSlots {
  void* query_interface;
  void* add_ref;
  void* release;
};

template <size_t N>
constexpr bool numbered_from(const int (&slots)[N], int first) {
  for (size_t i = 0; i < N; ++i) {
    if (slots[i] != first + static_cast<int>(i)) return false;
  }
  return true;
}

}  // namespace corvane::abi

#define CORVANE_WEBVIEW2_METHOD(slot, name, params) virtual HRESULT STDMETHODCALLTYPE name params = 0;
#define CORVANE_WEBVIEW2_SLOT_POINTER(slot, name, params) HRESULT(STDMETHODCALLTYPE* name) params;
#define CORVANE_WEBVIEW2_SLOT_NUMBER(slot, name, params) slot,

#define CORVANE_WEBVIEW2_INTERFACE(Name, Base, First, Last, IidText, ...)                                    \
  struct Name : public Base {                                                                                \
    CORVANE_##Name##_SLOTS(CORVANE_WEBVIEW2_METHOD)                                                          \
  };                                                                                                         \
  CORVANE_DECLARE_UUID(Name, IidText, __VA_ARGS__)                                                           \
  namespace corvane::abi {                                                                                   \
  struct Name##Slots : Base##Slots {                                                                         \
    CORVANE_##Name##_SLOTS(CORVANE_WEBVIEW2_SLOT_POINTER)                                                    \
  };                                                                                                         \
  inline constexpr int Name##SlotNumbers[] = {CORVANE_##Name##_SLOTS(CORVANE_WEBVIEW2_SLOT_NUMBER)};         \
  static_assert(sizeof(Base##Slots) == (First) * sizeof(void*), #Name ": its own slots start at " #First);   \
  static_assert(sizeof(Name##Slots) == ((Last) + 1) * sizeof(void*), #Name ": slots 0.." #Last " expected"); \
  static_assert(numbered_from(Name##SlotNumbers, First), #Name ": slots out of order");                      \
  }

// Interfaces of the ABI, and the others they name, declared ahead of use.
struct ICoreWebView2Environment;
struct ICoreWebView2Environment2;
struct ICoreWebView2Environment3;
struct ICoreWebView2Environment4;
struct ICoreWebView2Environment5;
struct ICoreWebView2Environment6;
struct ICoreWebView2Environment7;
struct ICoreWebView2Environment8;
struct ICoreWebView2Environment9;
struct ICoreWebView2Environment10;
struct ICoreWebView2EnvironmentOptions;
struct ICoreWebView2EnvironmentOptions2;
struct ICoreWebView2EnvironmentOptions3;
struct ICoreWebView2EnvironmentOptions4;
struct ICoreWebView2EnvironmentOptions5;
struct ICoreWebView2EnvironmentOptions6;
struct ICoreWebView2EnvironmentOptions7;
struct ICoreWebView2EnvironmentOptions8;
struct ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler;
struct ICoreWebView2CreateCoreWebView2ControllerCompletedHandler;
struct ICoreWebView2ControllerOptions;
struct ICoreWebView2Controller;
struct ICoreWebView2;
struct ICoreWebView2_2;
struct ICoreWebView2_3;
struct ICoreWebView2_4;
struct ICoreWebView2Settings;
struct ICoreWebView2Settings2;
struct ICoreWebView2Settings3;
struct ICoreWebView2Settings4;
struct ICoreWebView2Settings5;
struct ICoreWebView2Settings6;
struct ICoreWebView2Settings7;
struct ICoreWebView2Settings8;
struct ICoreWebView2Settings9;
struct ICoreWebView2NavigationStartingEventHandler;
struct ICoreWebView2NavigationStartingEventArgs;
struct ICoreWebView2NewWindowRequestedEventHandler;
struct ICoreWebView2NewWindowRequestedEventArgs;
struct ICoreWebView2WindowFeatures;
struct ICoreWebView2Deferral;
struct ICoreWebView2WindowCloseRequestedEventHandler;
struct ICoreWebView2DownloadStartingEventHandler;
struct ICoreWebView2DownloadStartingEventArgs;
struct ICoreWebView2DownloadOperation;
struct ICoreWebView2AcceleratorKeyPressedEventHandler;
struct ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler;
struct ICoreWebView2BrowserProcessExitedEventHandler;
struct ICoreWebView2BytesReceivedChangedEventHandler;
struct ICoreWebView2CallDevToolsProtocolMethodCompletedHandler;
struct ICoreWebView2CapturePreviewCompletedHandler;
struct ICoreWebView2ContainsFullScreenElementChangedEventHandler;
struct ICoreWebView2ContentLoadingEventHandler;
struct ICoreWebView2ContextMenuItem;
struct ICoreWebView2CookieManager;
struct ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler;
struct ICoreWebView2CustomSchemeRegistration;
struct ICoreWebView2DOMContentLoadedEventHandler;
struct ICoreWebView2DevToolsProtocolEventReceiver;
struct ICoreWebView2DocumentTitleChangedEventHandler;
struct ICoreWebView2EstimatedEndTimeChangedEventHandler;
struct ICoreWebView2ExecuteScriptCompletedHandler;
struct ICoreWebView2FocusChangedEventHandler;
struct ICoreWebView2FrameCreatedEventHandler;
struct ICoreWebView2HistoryChangedEventHandler;
struct ICoreWebView2HttpRequestHeaders;
struct ICoreWebView2MoveFocusRequestedEventHandler;
struct ICoreWebView2NavigationCompletedEventHandler;
struct ICoreWebView2NewBrowserVersionAvailableEventHandler;
struct ICoreWebView2PermissionRequestedEventHandler;
struct ICoreWebView2PointerInfo;
struct ICoreWebView2PrintSettings;
struct ICoreWebView2ProcessFailedEventHandler;
struct ICoreWebView2ProcessInfoCollection;
struct ICoreWebView2ProcessInfosChangedEventHandler;
struct ICoreWebView2ScriptDialogOpeningEventHandler;
struct ICoreWebView2SourceChangedEventHandler;
struct ICoreWebView2StateChangedEventHandler;
struct ICoreWebView2TrySuspendCompletedHandler;
struct ICoreWebView2WebMessageReceivedEventHandler;
struct ICoreWebView2WebResourceRequest;
struct ICoreWebView2WebResourceRequestedEventHandler;
struct ICoreWebView2WebResourceResponse;
struct ICoreWebView2WebResourceResponseReceivedEventHandler;
struct ICoreWebView2ZoomFactorChangedEventHandler;

// Enumerations, 32 bits each. Only the values the program or its tests use are named.
enum COREWEBVIEW2_MOVE_FOCUS_REASON : INT32 {
  COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC = 0,
  COREWEBVIEW2_MOVE_FOCUS_REASON_NEXT = 1,
  COREWEBVIEW2_MOVE_FOCUS_REASON_PREVIOUS = 2,
};
enum COREWEBVIEW2_CHANNEL_SEARCH_KIND : INT32 {
  COREWEBVIEW2_CHANNEL_SEARCH_KIND_MOST_STABLE = 0,
  COREWEBVIEW2_CHANNEL_SEARCH_KIND_LEAST_STABLE = 1,
};
enum COREWEBVIEW2_RELEASE_CHANNELS : INT32 {
  COREWEBVIEW2_RELEASE_CHANNELS_NONE = 0,
  COREWEBVIEW2_RELEASE_CHANNELS_STABLE = 1,
  COREWEBVIEW2_RELEASE_CHANNELS_BETA = 2,
  COREWEBVIEW2_RELEASE_CHANNELS_DEV = 4,
  COREWEBVIEW2_RELEASE_CHANNELS_CANARY = 8,
  COREWEBVIEW2_RELEASE_CHANNELS_INTERNAL = 22,
};
enum COREWEBVIEW2_SCROLLBAR_STYLE : INT32 {
  COREWEBVIEW2_SCROLLBAR_STYLE_DEFAULT = 0,
  COREWEBVIEW2_SCROLLBAR_STYLE_FLUENT_OVERLAY = 1,
};
enum COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT : INT32 {};
enum COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND : INT32 {};
enum COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON : INT32 {};
enum COREWEBVIEW2_DOWNLOAD_STATE : INT32 {};
enum COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND : INT32 {};
enum COREWEBVIEW2_PDF_TOOLBAR_ITEMS : INT32 {};
enum COREWEBVIEW2_WEB_RESOURCE_CONTEXT : INT32 {};

// One slot per line, as the ABI lists them.
// clang-format off
#define CORVANE_ICoreWebView2Environment_SLOTS(SLOT) \
  SLOT(3, CreateCoreWebView2Controller, (HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler)) \
  SLOT(4, CreateWebResourceResponse, (IStream* content, int statusCode, LPCWSTR reasonPhrase, LPCWSTR headers, ICoreWebView2WebResourceResponse** response)) \
  SLOT(5, get_BrowserVersionString, (LPWSTR* versionInfo)) \
  SLOT(6, add_NewBrowserVersionAvailable, (ICoreWebView2NewBrowserVersionAvailableEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(7, remove_NewBrowserVersionAvailable, (EventRegistrationToken token))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment, IUnknown, 3, 7, "B96D755E-0319-4E92-A296-23436F46A1FC", 0xB96D755E, 0x0319, 0x4E92, 0xA2, 0x96, 0x23, 0x43, 0x6F, 0x46, 0xA1, 0xFC)

#define CORVANE_ICoreWebView2Environment2_SLOTS(SLOT) \
  SLOT(8, CreateWebResourceRequest, (LPCWSTR uri, LPCWSTR Method, IStream* postData, LPCWSTR Headers, ICoreWebView2WebResourceRequest** value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment2, ICoreWebView2Environment, 8, 8, "41F3632B-5EF4-404F-AD82-2D606C5A9A21", 0x41F3632B, 0x5EF4, 0x404F, 0xAD, 0x82, 0x2D, 0x60, 0x6C, 0x5A, 0x9A, 0x21)

#define CORVANE_ICoreWebView2Environment3_SLOTS(SLOT) \
  SLOT(9, CreateCoreWebView2CompositionController, (HWND ParentWindow, ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler)) \
  SLOT(10, CreateCoreWebView2PointerInfo, (ICoreWebView2PointerInfo** value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment3, ICoreWebView2Environment2, 9, 10, "80A22AE3-BE7C-4CE2-AFE1-5A50056CDEEB", 0x80A22AE3, 0xBE7C, 0x4CE2, 0xAF, 0xE1, 0x5A, 0x50, 0x05, 0x6C, 0xDE, 0xEB)

#define CORVANE_ICoreWebView2Environment4_SLOTS(SLOT) \
  SLOT(11, GetAutomationProviderForWindow, (HWND hwnd, IUnknown** value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment4, ICoreWebView2Environment3, 11, 11, "20944379-6DCF-41D6-A0A0-ABC0FC50DE0D", 0x20944379, 0x6DCF, 0x41D6, 0xA0, 0xA0, 0xAB, 0xC0, 0xFC, 0x50, 0xDE, 0x0D)

#define CORVANE_ICoreWebView2Environment5_SLOTS(SLOT) \
  SLOT(12, add_BrowserProcessExited, (ICoreWebView2BrowserProcessExitedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(13, remove_BrowserProcessExited, (EventRegistrationToken token))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment5, ICoreWebView2Environment4, 12, 13, "319E423D-E0D7-4B8D-9254-AE9475DE9B17", 0x319E423D, 0xE0D7, 0x4B8D, 0x92, 0x54, 0xAE, 0x94, 0x75, 0xDE, 0x9B, 0x17)

#define CORVANE_ICoreWebView2Environment6_SLOTS(SLOT) \
  SLOT(14, CreatePrintSettings, (ICoreWebView2PrintSettings** value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment6, ICoreWebView2Environment5, 14, 14, "E59EE362-ACBD-4857-9A8E-D3644D9459A9", 0xE59EE362, 0xACBD, 0x4857, 0x9A, 0x8E, 0xD3, 0x64, 0x4D, 0x94, 0x59, 0xA9)

#define CORVANE_ICoreWebView2Environment7_SLOTS(SLOT) \
  SLOT(15, get_UserDataFolder, (LPWSTR* value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment7, ICoreWebView2Environment6, 15, 15, "43C22296-3BBD-43A4-9C00-5C0DF6DD29A2", 0x43C22296, 0x3BBD, 0x43A4, 0x9C, 0x00, 0x5C, 0x0D, 0xF6, 0xDD, 0x29, 0xA2)

#define CORVANE_ICoreWebView2Environment8_SLOTS(SLOT) \
  SLOT(16, add_ProcessInfosChanged, (ICoreWebView2ProcessInfosChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(17, remove_ProcessInfosChanged, (EventRegistrationToken token)) \
  SLOT(18, GetProcessInfos, (ICoreWebView2ProcessInfoCollection** value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment8, ICoreWebView2Environment7, 16, 18, "D6EB91DD-C3D2-45E5-BD29-6DC2BC4DE9CF", 0xD6EB91DD, 0xC3D2, 0x45E5, 0xBD, 0x29, 0x6D, 0xC2, 0xBC, 0x4D, 0xE9, 0xCF)

#define CORVANE_ICoreWebView2Environment9_SLOTS(SLOT) \
  SLOT(19, CreateContextMenuItem, (LPCWSTR Label, IStream* iconStream, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND Kind, ICoreWebView2ContextMenuItem** value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment9, ICoreWebView2Environment8, 19, 19, "F06F41BF-4B5A-49D8-B9F6-FA16CD29F274", 0xF06F41BF, 0x4B5A, 0x49D8, 0xB9, 0xF6, 0xFA, 0x16, 0xCD, 0x29, 0xF2, 0x74)

#define CORVANE_ICoreWebView2Environment10_SLOTS(SLOT) \
  SLOT(20, CreateCoreWebView2ControllerOptions, (ICoreWebView2ControllerOptions** value)) \
  SLOT(21, CreateCoreWebView2ControllerWithOptions, (HWND ParentWindow, ICoreWebView2ControllerOptions* options, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler)) \
  SLOT(22, CreateCoreWebView2CompositionControllerWithOptions, (HWND ParentWindow, ICoreWebView2ControllerOptions* options, ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Environment10, ICoreWebView2Environment9, 20, 22, "EE0EB9DF-6F12-46CE-B53F-3F47B9C928E0", 0xEE0EB9DF, 0x6F12, 0x46CE, 0xB5, 0x3F, 0x3F, 0x47, 0xB9, 0xC9, 0x28, 0xE0)

#define CORVANE_ICoreWebView2EnvironmentOptions_SLOTS(SLOT) \
  SLOT(3, get_AdditionalBrowserArguments, (LPWSTR* value)) \
  SLOT(4, put_AdditionalBrowserArguments, (LPCWSTR value)) \
  SLOT(5, get_Language, (LPWSTR* value)) \
  SLOT(6, put_Language, (LPCWSTR value)) \
  SLOT(7, get_TargetCompatibleBrowserVersion, (LPWSTR* value)) \
  SLOT(8, put_TargetCompatibleBrowserVersion, (LPCWSTR value)) \
  SLOT(9, get_AllowSingleSignOnUsingOSPrimaryAccount, (BOOL* allow)) \
  SLOT(10, put_AllowSingleSignOnUsingOSPrimaryAccount, (BOOL allow))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2EnvironmentOptions, IUnknown, 3, 10, "2FDE08A8-1E9A-4766-8C05-95A9CEB9D1C5", 0x2FDE08A8, 0x1E9A, 0x4766, 0x8C, 0x05, 0x95, 0xA9, 0xCE, 0xB9, 0xD1, 0xC5)

#define CORVANE_ICoreWebView2EnvironmentOptions2_SLOTS(SLOT) \
  SLOT(3, get_ExclusiveUserDataFolderAccess, (BOOL* value)) \
  SLOT(4, put_ExclusiveUserDataFolderAccess, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2EnvironmentOptions2, IUnknown, 3, 4, "FF85C98A-1BA7-4A6B-90C8-2B752C89E9E2", 0xFF85C98A, 0x1BA7, 0x4A6B, 0x90, 0xC8, 0x2B, 0x75, 0x2C, 0x89, 0xE9, 0xE2)

#define CORVANE_ICoreWebView2EnvironmentOptions3_SLOTS(SLOT) \
  SLOT(3, get_IsCustomCrashReportingEnabled, (BOOL* value)) \
  SLOT(4, put_IsCustomCrashReportingEnabled, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2EnvironmentOptions3, IUnknown, 3, 4, "4A5C436E-A9E3-4A2E-89C3-910D3513F5CC", 0x4A5C436E, 0xA9E3, 0x4A2E, 0x89, 0xC3, 0x91, 0x0D, 0x35, 0x13, 0xF5, 0xCC)

#define CORVANE_ICoreWebView2EnvironmentOptions4_SLOTS(SLOT) \
  SLOT(3, GetCustomSchemeRegistrations, (UINT32* count, ICoreWebView2CustomSchemeRegistration*** schemeRegistrations)) \
  SLOT(4, SetCustomSchemeRegistrations, (UINT32 count, ICoreWebView2CustomSchemeRegistration** schemeRegistrations))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2EnvironmentOptions4, IUnknown, 3, 4, "AC52D13F-0D38-475A-9DCA-876580D6793E", 0xAC52D13F, 0x0D38, 0x475A, 0x9D, 0xCA, 0x87, 0x65, 0x80, 0xD6, 0x79, 0x3E)

#define CORVANE_ICoreWebView2EnvironmentOptions5_SLOTS(SLOT) \
  SLOT(3, get_EnableTrackingPrevention, (BOOL* value)) \
  SLOT(4, put_EnableTrackingPrevention, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2EnvironmentOptions5, IUnknown, 3, 4, "0AE35D64-C47F-4464-814E-259C345D1501", 0x0AE35D64, 0xC47F, 0x4464, 0x81, 0x4E, 0x25, 0x9C, 0x34, 0x5D, 0x15, 0x01)

#define CORVANE_ICoreWebView2EnvironmentOptions6_SLOTS(SLOT) \
  SLOT(3, get_AreBrowserExtensionsEnabled, (BOOL* value)) \
  SLOT(4, put_AreBrowserExtensionsEnabled, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2EnvironmentOptions6, IUnknown, 3, 4, "57D29CC3-C84F-42A0-B0E2-EFFBD5E179DE", 0x57D29CC3, 0xC84F, 0x42A0, 0xB0, 0xE2, 0xEF, 0xFB, 0xD5, 0xE1, 0x79, 0xDE)

#define CORVANE_ICoreWebView2EnvironmentOptions7_SLOTS(SLOT) \
  SLOT(3, get_ChannelSearchKind, (COREWEBVIEW2_CHANNEL_SEARCH_KIND* value)) \
  SLOT(4, put_ChannelSearchKind, (COREWEBVIEW2_CHANNEL_SEARCH_KIND value)) \
  SLOT(5, get_ReleaseChannels, (COREWEBVIEW2_RELEASE_CHANNELS* value)) \
  SLOT(6, put_ReleaseChannels, (COREWEBVIEW2_RELEASE_CHANNELS value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2EnvironmentOptions7, IUnknown, 3, 6, "C48D539F-E39F-441C-AE68-1F66E570BDC5", 0xC48D539F, 0xE39F, 0x441C, 0xAE, 0x68, 0x1F, 0x66, 0xE5, 0x70, 0xBD, 0xC5)

#define CORVANE_ICoreWebView2EnvironmentOptions8_SLOTS(SLOT) \
  SLOT(3, get_ScrollBarStyle, (COREWEBVIEW2_SCROLLBAR_STYLE* value)) \
  SLOT(4, put_ScrollBarStyle, (COREWEBVIEW2_SCROLLBAR_STYLE value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2EnvironmentOptions8, IUnknown, 3, 4, "7C7ECF51-E918-5CAF-853C-E9A2BCC27775", 0x7C7ECF51, 0xE918, 0x5CAF, 0x85, 0x3C, 0xE9, 0xA2, 0xBC, 0xC2, 0x77, 0x75)

#define CORVANE_ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler_SLOTS(SLOT) \
  SLOT(3, Invoke, (HRESULT errorCode, ICoreWebView2Environment* result))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler, IUnknown, 3, 3, "4E8A3389-C9D8-4BD2-B6B5-124FEE6CC14D", 0x4E8A3389, 0xC9D8, 0x4BD2, 0xB6, 0xB5, 0x12, 0x4F, 0xEE, 0x6C, 0xC1, 0x4D)

#define CORVANE_ICoreWebView2CreateCoreWebView2ControllerCompletedHandler_SLOTS(SLOT) \
  SLOT(3, Invoke, (HRESULT errorCode, ICoreWebView2Controller* result))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, IUnknown, 3, 3, "6C4819F3-C9B7-4260-8127-C9F5BDE7F68C", 0x6C4819F3, 0xC9B7, 0x4260, 0x81, 0x27, 0xC9, 0xF5, 0xBD, 0xE7, 0xF6, 0x8C)

#define CORVANE_ICoreWebView2ControllerOptions_SLOTS(SLOT) \
  SLOT(3, get_ProfileName, (LPWSTR* value)) \
  SLOT(4, put_ProfileName, (LPCWSTR value)) \
  SLOT(5, get_IsInPrivateModeEnabled, (BOOL* value)) \
  SLOT(6, put_IsInPrivateModeEnabled, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2ControllerOptions, IUnknown, 3, 6, "12AAE616-8CCB-44EC-BCB3-EB1831881635", 0x12AAE616, 0x8CCB, 0x44EC, 0xBC, 0xB3, 0xEB, 0x18, 0x31, 0x88, 0x16, 0x35)

#define CORVANE_ICoreWebView2Controller_SLOTS(SLOT) \
  SLOT(3, get_IsVisible, (BOOL* isVisible)) \
  SLOT(4, put_IsVisible, (BOOL isVisible)) \
  SLOT(5, get_Bounds, (RECT* bounds)) \
  SLOT(6, put_Bounds, (RECT bounds)) \
  SLOT(7, get_ZoomFactor, (double* zoomFactor)) \
  SLOT(8, put_ZoomFactor, (double zoomFactor)) \
  SLOT(9, add_ZoomFactorChanged, (ICoreWebView2ZoomFactorChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(10, remove_ZoomFactorChanged, (EventRegistrationToken token)) \
  SLOT(11, SetBoundsAndZoomFactor, (RECT bounds, double zoomFactor)) \
  SLOT(12, MoveFocus, (COREWEBVIEW2_MOVE_FOCUS_REASON reason)) \
  SLOT(13, add_MoveFocusRequested, (ICoreWebView2MoveFocusRequestedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(14, remove_MoveFocusRequested, (EventRegistrationToken token)) \
  SLOT(15, add_GotFocus, (ICoreWebView2FocusChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(16, remove_GotFocus, (EventRegistrationToken token)) \
  SLOT(17, add_LostFocus, (ICoreWebView2FocusChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(18, remove_LostFocus, (EventRegistrationToken token)) \
  SLOT(19, add_AcceleratorKeyPressed, (ICoreWebView2AcceleratorKeyPressedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(20, remove_AcceleratorKeyPressed, (EventRegistrationToken token)) \
  SLOT(21, get_ParentWindow, (HWND* parentWindow)) \
  SLOT(22, put_ParentWindow, (HWND parentWindow)) \
  SLOT(23, NotifyParentWindowPositionChanged, ()) \
  SLOT(24, Close, ()) \
  SLOT(25, get_CoreWebView2, (ICoreWebView2** coreWebView2))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Controller, IUnknown, 3, 25, "4D00C0D1-9434-4EB6-8078-8697A560334F", 0x4D00C0D1, 0x9434, 0x4EB6, 0x80, 0x78, 0x86, 0x97, 0xA5, 0x60, 0x33, 0x4F)

#define CORVANE_ICoreWebView2_SLOTS(SLOT) \
  SLOT(3, get_Settings, (ICoreWebView2Settings** settings)) \
  SLOT(4, get_Source, (LPWSTR* uri)) \
  SLOT(5, Navigate, (LPCWSTR uri)) \
  SLOT(6, NavigateToString, (LPCWSTR htmlContent)) \
  SLOT(7, add_NavigationStarting, (ICoreWebView2NavigationStartingEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(8, remove_NavigationStarting, (EventRegistrationToken token)) \
  SLOT(9, add_ContentLoading, (ICoreWebView2ContentLoadingEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(10, remove_ContentLoading, (EventRegistrationToken token)) \
  SLOT(11, add_SourceChanged, (ICoreWebView2SourceChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(12, remove_SourceChanged, (EventRegistrationToken token)) \
  SLOT(13, add_HistoryChanged, (ICoreWebView2HistoryChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(14, remove_HistoryChanged, (EventRegistrationToken token)) \
  SLOT(15, add_NavigationCompleted, (ICoreWebView2NavigationCompletedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(16, remove_NavigationCompleted, (EventRegistrationToken token)) \
  SLOT(17, add_FrameNavigationStarting, (ICoreWebView2NavigationStartingEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(18, remove_FrameNavigationStarting, (EventRegistrationToken token)) \
  SLOT(19, add_FrameNavigationCompleted, (ICoreWebView2NavigationCompletedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(20, remove_FrameNavigationCompleted, (EventRegistrationToken token)) \
  SLOT(21, add_ScriptDialogOpening, (ICoreWebView2ScriptDialogOpeningEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(22, remove_ScriptDialogOpening, (EventRegistrationToken token)) \
  SLOT(23, add_PermissionRequested, (ICoreWebView2PermissionRequestedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(24, remove_PermissionRequested, (EventRegistrationToken token)) \
  SLOT(25, add_ProcessFailed, (ICoreWebView2ProcessFailedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(26, remove_ProcessFailed, (EventRegistrationToken token)) \
  SLOT(27, AddScriptToExecuteOnDocumentCreated, (LPCWSTR javaScript, ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler* handler)) \
  SLOT(28, RemoveScriptToExecuteOnDocumentCreated, (LPCWSTR id)) \
  SLOT(29, ExecuteScript, (LPCWSTR javaScript, ICoreWebView2ExecuteScriptCompletedHandler* handler)) \
  SLOT(30, CapturePreview, (COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT imageFormat, IStream* imageStream, ICoreWebView2CapturePreviewCompletedHandler* handler)) \
  SLOT(31, Reload, ()) \
  SLOT(32, PostWebMessageAsJson, (LPCWSTR webMessageAsJson)) \
  SLOT(33, PostWebMessageAsString, (LPCWSTR webMessageAsString)) \
  SLOT(34, add_WebMessageReceived, (ICoreWebView2WebMessageReceivedEventHandler* handler, EventRegistrationToken* token)) \
  SLOT(35, remove_WebMessageReceived, (EventRegistrationToken token)) \
  SLOT(36, CallDevToolsProtocolMethod, (LPCWSTR methodName, LPCWSTR parametersAsJson, ICoreWebView2CallDevToolsProtocolMethodCompletedHandler* handler)) \
  SLOT(37, get_BrowserProcessId, (UINT32* value)) \
  SLOT(38, get_CanGoBack, (BOOL* canGoBack)) \
  SLOT(39, get_CanGoForward, (BOOL* canGoForward)) \
  SLOT(40, GoBack, ()) \
  SLOT(41, GoForward, ()) \
  SLOT(42, GetDevToolsProtocolEventReceiver, (LPCWSTR eventName, ICoreWebView2DevToolsProtocolEventReceiver** receiver)) \
  SLOT(43, Stop, ()) \
  SLOT(44, add_NewWindowRequested, (ICoreWebView2NewWindowRequestedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(45, remove_NewWindowRequested, (EventRegistrationToken token)) \
  SLOT(46, add_DocumentTitleChanged, (ICoreWebView2DocumentTitleChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(47, remove_DocumentTitleChanged, (EventRegistrationToken token)) \
  SLOT(48, get_DocumentTitle, (LPWSTR* title)) \
  SLOT(49, AddHostObjectToScript, (LPCWSTR name, VARIANT* object)) \
  SLOT(50, RemoveHostObjectFromScript, (LPCWSTR name)) \
  SLOT(51, OpenDevToolsWindow, ()) \
  SLOT(52, add_ContainsFullScreenElementChanged, (ICoreWebView2ContainsFullScreenElementChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(53, remove_ContainsFullScreenElementChanged, (EventRegistrationToken token)) \
  SLOT(54, get_ContainsFullScreenElement, (BOOL* containsFullScreenElement)) \
  SLOT(55, add_WebResourceRequested, (ICoreWebView2WebResourceRequestedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(56, remove_WebResourceRequested, (EventRegistrationToken token)) \
  SLOT(57, AddWebResourceRequestedFilter, (const LPCWSTR uri, const COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext)) \
  SLOT(58, RemoveWebResourceRequestedFilter, (const LPCWSTR uri, const COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext)) \
  SLOT(59, add_WindowCloseRequested, (ICoreWebView2WindowCloseRequestedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(60, remove_WindowCloseRequested, (EventRegistrationToken token))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2, IUnknown, 3, 60, "76ECEACB-0462-4D94-AC83-423A6793775E", 0x76ECEACB, 0x0462, 0x4D94, 0xAC, 0x83, 0x42, 0x3A, 0x67, 0x93, 0x77, 0x5E)

#define CORVANE_ICoreWebView2_2_SLOTS(SLOT) \
  SLOT(61, add_WebResourceResponseReceived, (ICoreWebView2WebResourceResponseReceivedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(62, remove_WebResourceResponseReceived, (EventRegistrationToken token)) \
  SLOT(63, NavigateWithWebResourceRequest, (ICoreWebView2WebResourceRequest* request)) \
  SLOT(64, add_DOMContentLoaded, (ICoreWebView2DOMContentLoadedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(65, remove_DOMContentLoaded, (EventRegistrationToken token)) \
  SLOT(66, get_CookieManager, (ICoreWebView2CookieManager** cookieManager)) \
  SLOT(67, get_Environment, (ICoreWebView2Environment** environment))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2_2, ICoreWebView2, 61, 67, "9E8F0CF8-E670-4B5E-B2BC-73E061E3184C", 0x9E8F0CF8, 0xE670, 0x4B5E, 0xB2, 0xBC, 0x73, 0xE0, 0x61, 0xE3, 0x18, 0x4C)

#define CORVANE_ICoreWebView2_3_SLOTS(SLOT) \
  SLOT(68, TrySuspend, (ICoreWebView2TrySuspendCompletedHandler* handler)) \
  SLOT(69, Resume, ()) \
  SLOT(70, get_IsSuspended, (BOOL* isSuspended)) \
  SLOT(71, SetVirtualHostNameToFolderMapping, (LPCWSTR hostName, LPCWSTR folderPath, COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND accessKind)) \
  SLOT(72, ClearVirtualHostNameToFolderMapping, (LPCWSTR hostName))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2_3, ICoreWebView2_2, 68, 72, "A0D6DF20-3B92-416D-AA0C-437A9C727857", 0xA0D6DF20, 0x3B92, 0x416D, 0xAA, 0x0C, 0x43, 0x7A, 0x9C, 0x72, 0x78, 0x57)

#define CORVANE_ICoreWebView2_4_SLOTS(SLOT) \
  SLOT(73, add_FrameCreated, (ICoreWebView2FrameCreatedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(74, remove_FrameCreated, (EventRegistrationToken token)) \
  SLOT(75, add_DownloadStarting, (ICoreWebView2DownloadStartingEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(76, remove_DownloadStarting, (EventRegistrationToken token))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2_4, ICoreWebView2_3, 73, 76, "20D02D59-6DF2-42DC-BD06-F98A694B1302", 0x20D02D59, 0x6DF2, 0x42DC, 0xBD, 0x06, 0xF9, 0x8A, 0x69, 0x4B, 0x13, 0x02)

#define CORVANE_ICoreWebView2Settings_SLOTS(SLOT) \
  SLOT(3, get_IsScriptEnabled, (BOOL* isScriptEnabled)) \
  SLOT(4, put_IsScriptEnabled, (BOOL isScriptEnabled)) \
  SLOT(5, get_IsWebMessageEnabled, (BOOL* isWebMessageEnabled)) \
  SLOT(6, put_IsWebMessageEnabled, (BOOL isWebMessageEnabled)) \
  SLOT(7, get_AreDefaultScriptDialogsEnabled, (BOOL* areDefaultScriptDialogsEnabled)) \
  SLOT(8, put_AreDefaultScriptDialogsEnabled, (BOOL areDefaultScriptDialogsEnabled)) \
  SLOT(9, get_IsStatusBarEnabled, (BOOL* isStatusBarEnabled)) \
  SLOT(10, put_IsStatusBarEnabled, (BOOL isStatusBarEnabled)) \
  SLOT(11, get_AreDevToolsEnabled, (BOOL* areDevToolsEnabled)) \
  SLOT(12, put_AreDevToolsEnabled, (BOOL areDevToolsEnabled)) \
  SLOT(13, get_AreDefaultContextMenusEnabled, (BOOL* enabled)) \
  SLOT(14, put_AreDefaultContextMenusEnabled, (BOOL enabled)) \
  SLOT(15, get_AreHostObjectsAllowed, (BOOL* allowed)) \
  SLOT(16, put_AreHostObjectsAllowed, (BOOL allowed)) \
  SLOT(17, get_IsZoomControlEnabled, (BOOL* enabled)) \
  SLOT(18, put_IsZoomControlEnabled, (BOOL enabled)) \
  SLOT(19, get_IsBuiltInErrorPageEnabled, (BOOL* enabled)) \
  SLOT(20, put_IsBuiltInErrorPageEnabled, (BOOL enabled))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Settings, IUnknown, 3, 20, "E562E4F0-D7FA-43AC-8D71-C05150499F00", 0xE562E4F0, 0xD7FA, 0x43AC, 0x8D, 0x71, 0xC0, 0x51, 0x50, 0x49, 0x9F, 0x00)

#define CORVANE_ICoreWebView2Settings2_SLOTS(SLOT) \
  SLOT(21, get_UserAgent, (LPWSTR* value)) \
  SLOT(22, put_UserAgent, (LPCWSTR value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Settings2, ICoreWebView2Settings, 21, 22, "EE9A0F68-F46C-4E32-AC23-EF8CAC224D2A", 0xEE9A0F68, 0xF46C, 0x4E32, 0xAC, 0x23, 0xEF, 0x8C, 0xAC, 0x22, 0x4D, 0x2A)

#define CORVANE_ICoreWebView2Settings3_SLOTS(SLOT) \
  SLOT(23, get_AreBrowserAcceleratorKeysEnabled, (BOOL* value)) \
  SLOT(24, put_AreBrowserAcceleratorKeysEnabled, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Settings3, ICoreWebView2Settings2, 23, 24, "FDB5AB74-AF33-4854-84F0-0A631DEB5EBA", 0xFDB5AB74, 0xAF33, 0x4854, 0x84, 0xF0, 0x0A, 0x63, 0x1D, 0xEB, 0x5E, 0xBA)

#define CORVANE_ICoreWebView2Settings4_SLOTS(SLOT) \
  SLOT(25, get_IsPasswordAutosaveEnabled, (BOOL* value)) \
  SLOT(26, put_IsPasswordAutosaveEnabled, (BOOL value)) \
  SLOT(27, get_IsGeneralAutofillEnabled, (BOOL* value)) \
  SLOT(28, put_IsGeneralAutofillEnabled, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Settings4, ICoreWebView2Settings3, 25, 28, "CB56846C-4168-4D53-B04F-03B6D6796FF2", 0xCB56846C, 0x4168, 0x4D53, 0xB0, 0x4F, 0x03, 0xB6, 0xD6, 0x79, 0x6F, 0xF2)

#define CORVANE_ICoreWebView2Settings5_SLOTS(SLOT) \
  SLOT(29, get_IsPinchZoomEnabled, (BOOL* value)) \
  SLOT(30, put_IsPinchZoomEnabled, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Settings5, ICoreWebView2Settings4, 29, 30, "183E7052-1D03-43A0-AB99-98E043B66B39", 0x183E7052, 0x1D03, 0x43A0, 0xAB, 0x99, 0x98, 0xE0, 0x43, 0xB6, 0x6B, 0x39)

#define CORVANE_ICoreWebView2Settings6_SLOTS(SLOT) \
  SLOT(31, get_IsSwipeNavigationEnabled, (BOOL* value)) \
  SLOT(32, put_IsSwipeNavigationEnabled, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Settings6, ICoreWebView2Settings5, 31, 32, "11CB3ACD-9BC8-43B8-83BF-F40753714F87", 0x11CB3ACD, 0x9BC8, 0x43B8, 0x83, 0xBF, 0xF4, 0x07, 0x53, 0x71, 0x4F, 0x87)

#define CORVANE_ICoreWebView2Settings7_SLOTS(SLOT) \
  SLOT(33, get_HiddenPdfToolbarItems, (COREWEBVIEW2_PDF_TOOLBAR_ITEMS* value)) \
  SLOT(34, put_HiddenPdfToolbarItems, (COREWEBVIEW2_PDF_TOOLBAR_ITEMS value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Settings7, ICoreWebView2Settings6, 33, 34, "488DC902-35EF-42D2-BC7D-94B65C4BC49C", 0x488DC902, 0x35EF, 0x42D2, 0xBC, 0x7D, 0x94, 0xB6, 0x5C, 0x4B, 0xC4, 0x9C)

#define CORVANE_ICoreWebView2Settings8_SLOTS(SLOT) \
  SLOT(35, get_IsReputationCheckingRequired, (BOOL* value)) \
  SLOT(36, put_IsReputationCheckingRequired, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Settings8, ICoreWebView2Settings7, 35, 36, "9E6B0E8F-86AD-4E81-8147-A9B5EDB68650", 0x9E6B0E8F, 0x86AD, 0x4E81, 0x81, 0x47, 0xA9, 0xB5, 0xED, 0xB6, 0x86, 0x50)

#define CORVANE_ICoreWebView2Settings9_SLOTS(SLOT) \
  SLOT(37, get_IsNonClientRegionSupportEnabled, (BOOL* value)) \
  SLOT(38, put_IsNonClientRegionSupportEnabled, (BOOL value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Settings9, ICoreWebView2Settings8, 37, 38, "0528A73B-E92D-49F4-927A-E547DDDAA37D", 0x0528A73B, 0xE92D, 0x49F4, 0x92, 0x7A, 0xE5, 0x47, 0xDD, 0xDA, 0xA3, 0x7D)

#define CORVANE_ICoreWebView2NavigationStartingEventHandler_SLOTS(SLOT) \
  SLOT(3, Invoke, (ICoreWebView2* sender, ICoreWebView2NavigationStartingEventArgs* args))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2NavigationStartingEventHandler, IUnknown, 3, 3, "9ADBE429-F36D-432B-9DDC-F8881FBD76E3", 0x9ADBE429, 0xF36D, 0x432B, 0x9D, 0xDC, 0xF8, 0x88, 0x1F, 0xBD, 0x76, 0xE3)

#define CORVANE_ICoreWebView2NavigationStartingEventArgs_SLOTS(SLOT) \
  SLOT(3, get_Uri, (LPWSTR* uri)) \
  SLOT(4, get_IsUserInitiated, (BOOL* isUserInitiated)) \
  SLOT(5, get_IsRedirected, (BOOL* isRedirected)) \
  SLOT(6, get_RequestHeaders, (ICoreWebView2HttpRequestHeaders** requestHeaders)) \
  SLOT(7, get_Cancel, (BOOL* cancel)) \
  SLOT(8, put_Cancel, (BOOL cancel)) \
  SLOT(9, get_NavigationId, (UINT64* navigationId))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2NavigationStartingEventArgs, IUnknown, 3, 9, "5B495469-E119-438A-9B18-7604F25F2E49", 0x5B495469, 0xE119, 0x438A, 0x9B, 0x18, 0x76, 0x04, 0xF2, 0x5F, 0x2E, 0x49)

#define CORVANE_ICoreWebView2NewWindowRequestedEventHandler_SLOTS(SLOT) \
  SLOT(3, Invoke, (ICoreWebView2* sender, ICoreWebView2NewWindowRequestedEventArgs* args))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2NewWindowRequestedEventHandler, IUnknown, 3, 3, "D4C185FE-C81C-4989-97AF-2D3FA7AB5651", 0xD4C185FE, 0xC81C, 0x4989, 0x97, 0xAF, 0x2D, 0x3F, 0xA7, 0xAB, 0x56, 0x51)

#define CORVANE_ICoreWebView2NewWindowRequestedEventArgs_SLOTS(SLOT) \
  SLOT(3, get_Uri, (LPWSTR* uri)) \
  SLOT(4, put_NewWindow, (ICoreWebView2* newWindow)) \
  SLOT(5, get_NewWindow, (ICoreWebView2** newWindow)) \
  SLOT(6, put_Handled, (BOOL handled)) \
  SLOT(7, get_Handled, (BOOL* handled)) \
  SLOT(8, get_IsUserInitiated, (BOOL* isUserInitiated)) \
  SLOT(9, GetDeferral, (ICoreWebView2Deferral** deferral)) \
  SLOT(10, get_WindowFeatures, (ICoreWebView2WindowFeatures** value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2NewWindowRequestedEventArgs, IUnknown, 3, 10, "34ACB11C-FC37-4418-9132-F9C21D1EAFB9", 0x34ACB11C, 0xFC37, 0x4418, 0x91, 0x32, 0xF9, 0xC2, 0x1D, 0x1E, 0xAF, 0xB9)

#define CORVANE_ICoreWebView2WindowFeatures_SLOTS(SLOT) \
  SLOT(3, get_HasPosition, (BOOL* value)) \
  SLOT(4, get_HasSize, (BOOL* value)) \
  SLOT(5, get_Left, (UINT32* value)) \
  SLOT(6, get_Top, (UINT32* value)) \
  SLOT(7, get_Height, (UINT32* value)) \
  SLOT(8, get_Width, (UINT32* value)) \
  SLOT(9, get_ShouldDisplayMenuBar, (BOOL* value)) \
  SLOT(10, get_ShouldDisplayStatus, (BOOL* value)) \
  SLOT(11, get_ShouldDisplayToolbar, (BOOL* value)) \
  SLOT(12, get_ShouldDisplayScrollBars, (BOOL* value))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2WindowFeatures, IUnknown, 3, 12, "5EAF559F-B46E-4397-8860-E422F287FF1E", 0x5EAF559F, 0xB46E, 0x4397, 0x88, 0x60, 0xE4, 0x22, 0xF2, 0x87, 0xFF, 0x1E)

#define CORVANE_ICoreWebView2Deferral_SLOTS(SLOT) \
  SLOT(3, Complete, ())
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2Deferral, IUnknown, 3, 3, "C10E7F7B-B585-46F0-A623-8BEFBF3E4EE0", 0xC10E7F7B, 0xB585, 0x46F0, 0xA6, 0x23, 0x8B, 0xEF, 0xBF, 0x3E, 0x4E, 0xE0)

#define CORVANE_ICoreWebView2WindowCloseRequestedEventHandler_SLOTS(SLOT) \
  SLOT(3, Invoke, (ICoreWebView2* sender, IUnknown* args))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2WindowCloseRequestedEventHandler, IUnknown, 3, 3, "5C19E9E0-092F-486B-AFFA-CA8231913039", 0x5C19E9E0, 0x092F, 0x486B, 0xAF, 0xFA, 0xCA, 0x82, 0x31, 0x91, 0x30, 0x39)

#define CORVANE_ICoreWebView2DownloadStartingEventHandler_SLOTS(SLOT) \
  SLOT(3, Invoke, (ICoreWebView2* sender, ICoreWebView2DownloadStartingEventArgs* args))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2DownloadStartingEventHandler, IUnknown, 3, 3, "EFEDC989-C396-41CA-83F7-07F845A55724", 0xEFEDC989, 0xC396, 0x41CA, 0x83, 0xF7, 0x07, 0xF8, 0x45, 0xA5, 0x57, 0x24)

#define CORVANE_ICoreWebView2DownloadStartingEventArgs_SLOTS(SLOT) \
  SLOT(3, get_DownloadOperation, (ICoreWebView2DownloadOperation** downloadOperation)) \
  SLOT(4, get_Cancel, (BOOL* cancel)) \
  SLOT(5, put_Cancel, (BOOL cancel)) \
  SLOT(6, get_ResultFilePath, (LPWSTR* resultFilePath)) \
  SLOT(7, put_ResultFilePath, (LPCWSTR resultFilePath)) \
  SLOT(8, get_Handled, (BOOL* handled)) \
  SLOT(9, put_Handled, (BOOL handled)) \
  SLOT(10, GetDeferral, (ICoreWebView2Deferral** deferral))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2DownloadStartingEventArgs, IUnknown, 3, 10, "E99BBE21-43E9-4544-A732-282764EAFA60", 0xE99BBE21, 0x43E9, 0x4544, 0xA7, 0x32, 0x28, 0x27, 0x64, 0xEA, 0xFA, 0x60)

#define CORVANE_ICoreWebView2DownloadOperation_SLOTS(SLOT) \
  SLOT(3, add_BytesReceivedChanged, (ICoreWebView2BytesReceivedChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(4, remove_BytesReceivedChanged, (EventRegistrationToken token)) \
  SLOT(5, add_EstimatedEndTimeChanged, (ICoreWebView2EstimatedEndTimeChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(6, remove_EstimatedEndTimeChanged, (EventRegistrationToken token)) \
  SLOT(7, add_StateChanged, (ICoreWebView2StateChangedEventHandler* eventHandler, EventRegistrationToken* token)) \
  SLOT(8, remove_StateChanged, (EventRegistrationToken token)) \
  SLOT(9, get_Uri, (LPWSTR* uri)) \
  SLOT(10, get_ContentDisposition, (LPWSTR* contentDisposition)) \
  SLOT(11, get_MimeType, (LPWSTR* mimeType)) \
  SLOT(12, get_TotalBytesToReceive, (INT64* totalBytesToReceive)) \
  SLOT(13, get_BytesReceived, (INT64* bytesReceived)) \
  SLOT(14, get_EstimatedEndTime, (LPWSTR* estimatedEndTime)) \
  SLOT(15, get_ResultFilePath, (LPWSTR* resultFilePath)) \
  SLOT(16, get_State, (COREWEBVIEW2_DOWNLOAD_STATE* downloadState)) \
  SLOT(17, get_InterruptReason, (COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON* interruptReason)) \
  SLOT(18, Cancel, ()) \
  SLOT(19, Pause, ()) \
  SLOT(20, Resume, ()) \
  SLOT(21, get_CanResume, (BOOL* canResume))
CORVANE_WEBVIEW2_INTERFACE(ICoreWebView2DownloadOperation, IUnknown, 3, 21, "3D6B6CF2-AFE1-44C7-A995-C65117714336", 0x3D6B6CF2, 0xAFE1, 0x44C7, 0xA9, 0x95, 0xC6, 0x51, 0x17, 0x71, 0x43, 0x36)
// clang-format on

// The one export of WebView2Loader.dll the program imports.
extern "C" HRESULT STDAPICALLTYPE CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler);
