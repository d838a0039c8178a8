#include "window/drop_target.h"

#include <shellapi.h>

#include <string>

#include "support/com_status.h"
#include "support/fatal.h"

namespace corvane {
FileDropTarget::FileDropTarget(std::shared_ptr<EventLoopRunner> runner, HWND window)
    : runner_(std::move(runner)), window_(window) {}

void FileDropTarget::deliver(WindowEventKind kind) {
  LoopEvent event = loop_event::Window{window_, std::move(kind)};
  runner_->deliver_event(event);
}

template <typename Event>
bool FileDropTarget::deliver_files(IDataObject* data) {
  if (data == nullptr) fatal("Received null IDataObject");
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) {
    drop_error_info();
    return false;
  }
  const auto drop = static_cast<HDROP>(medium.hGlobal);
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Ask for the length first: names may be longer than MAX_PATH.
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(length);
    deliver(Event{std::move(name)});
  }
  // Not DragFinish: the medium may belong to the source (pUnkForRelease), and only ReleaseStgMedium
  // gives it back the way the source handed it out.
  ReleaseStgMedium(&medium);
  return true;
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept {
  hovering_ = deliver_files<window_event::FileHovered>(data);
  effect_ = hovering_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  if (effect) *effect = effect_;
  return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) noexcept {
  if (effect) *effect = effect_;
  return S_OK;
}

HRESULT FileDropTarget::DragLeave() noexcept {
  if (hovering_) deliver(window_event::FileHoverCancelled{});
  return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept {
  deliver_files<window_event::FileDropped>(data);
  if (effect) *effect = effect_;
  return S_OK;
}

ComPtr<FileDropTarget> register_drop_target(HWND window, std::shared_ptr<EventLoopRunner> runner) {
  const HRESULT ole = OleInitialize(nullptr);
  if (ole == RPC_E_CHANGED_MODE) {
    fatal(
        "OleInitialize failed! Result was: `RPC_E_CHANGED_MODE`. The thread already uses the multithreaded COM apartment, which drag and drop cannot work with: do not use multithreaded COM on this thread, or switch drag and drop off.");
  }
  if (ole == OLE_E_WRONGCOMPOBJ) fatal("OleInitialize failed! Result was: `OLE_E_WRONGCOMPOBJ`");
  if (FAILED(ole)) drop_error_info();
  ComPtr<FileDropTarget> target = FileDropTarget::create(std::move(runner), window);
  if (FAILED(RegisterDragDrop(window, target.Get()))) {
    fatal("assertion failed: RegisterDragDrop accepted the main window's drop target");
  }
  return target;
}

}  // namespace corvane
