#pragma once
// The main window as an OLE drop target for files: dragged file names become window events.
#include <windows.h>
#include <ole2.h>
#include <oleidl.h>

#include <memory>

#include "support/com_object.h"
#include "window/event_loop_runner.h"

namespace corvane {

class FileDropTarget final : public ComObject<FileDropTarget, IDropTarget> {
 public:
  FileDropTarget(std::shared_ptr<EventLoopRunner> runner, HWND window);

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD key_state, POINTL point,
                                      DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD key_state, POINTL point, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragLeave() noexcept override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD key_state, POINTL point,
                                 DWORD* effect) noexcept override;

 private:
  // Delivers one event per file of the data object's CF_HDROP list; false when it has none.
  template <typename Event>
  bool deliver_files(IDataObject* data);
  void deliver(WindowEventKind kind);

  std::shared_ptr<EventLoopRunner> runner_;
  HWND window_;
  DWORD effect_ = DROPEFFECT_NONE;
  bool hovering_ = false;
};

// Initialises OLE on the loop thread and registers a drop target for the window. OLE refusing the
// thread, or the registration failing, ends the process.
ComPtr<FileDropTarget> register_drop_target(HWND window, std::shared_ptr<EventLoopRunner> runner);

}  // namespace corvane
