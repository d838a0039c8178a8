#pragma once
// Starting the real Corvane.exe and finding what it shows.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/handles.h"

namespace corvane::testing_support {

class Program {
 public:
  // Starts the program with extra command-line arguments, optionally in another working folder and
  // with extra environment variables ("NAME=value").
  explicit Program(const std::wstring& exe, const std::wstring& arguments = L"",
                   const std::vector<std::wstring>& environment = {});
  ~Program();

  bool started() const { return static_cast<bool>(process_); }
  DWORD id() const { return id_; }
  HANDLE handle() const { return process_.get(); }

  // The visible top-level windows of the process titled "Corvane" with the main window's class.
  std::vector<HWND> main_windows() const;
  // Waits for the main window to appear.
  HWND wait_for_main_window(DWORD timeout_ms = 30000) const;
  // Waits for the process to end; none on time-out.
  std::optional<DWORD> wait_for_exit(DWORD timeout_ms = 30000) const;

 private:
  UniqueKernelHandle process_;
  UniqueKernelHandle job_;
  DWORD id_ = 0;
};

// The visible top-level windows of the process with that class and title.
std::vector<HWND> visible_windows(DWORD process_id, const wchar_t* class_name, const wchar_t* title);

// The text of a message box captioned "Corvane" shown by the process, waiting for it to appear.
std::optional<std::wstring> wait_for_error_box(DWORD process_id, DWORD timeout_ms = 30000);
// Presses the box's OK button.
void dismiss_error_box(DWORD process_id);

std::wstring corvane_exe();

}  // namespace corvane::testing_support
