#include "tests/common/program.h"

#include "tests/common/child_process.h"
#include "tests/common/paths.h"

namespace corvane::testing_support {
namespace {

struct Search {
  DWORD process_id;
  const wchar_t* class_name;
  const wchar_t* title;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t title[64] = {}, class_name[64] = {};
  GetWindowTextW(window, title, 64);
  GetClassNameW(window, class_name, 64);
  if (owner == search.process_id && IsWindowVisible(window) && wcscmp(title, search.title) == 0 &&
      wcscmp(class_name, search.class_name) == 0) {
    search.found.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> visible_windows(DWORD process_id, const wchar_t* class_name, const wchar_t* title) {
  Search search{process_id, class_name, title, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring corvane_exe() {
  return beside_this_program(L"..\\bin\\Corvane.exe");
}

Program::Program(const std::wstring& exe, const std::wstring& arguments,
                 const std::vector<std::wstring>& environment) {
  std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::wstring block = environment_block(environment);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE,
                     CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED, block.data(), nullptr, &startup, &info)) {
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
    // A test that is killed takes its programs with it: none is left for a later test to find.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    job_.reset(CreateJobObjectW(nullptr, nullptr));
    if (job_) {
      SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
      AssignProcessToJobObject(job_.get(), info.hProcess);
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
  }
}

Program::~Program() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 0xDEAD);
    WaitForSingleObject(process_.get(), 10000);
  }
}

std::vector<HWND> Program::main_windows() const {
  return visible_windows(id_, L"Window Class", L"Corvane");
}

HWND Program::wait_for_main_window(DWORD timeout_ms) const {
  for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
    const auto windows = main_windows();
    if (!windows.empty()) return windows.front();
    if (WaitForSingleObject(process_.get(), 50) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

std::optional<DWORD> Program::wait_for_exit(DWORD timeout_ms) const {
  if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::optional<std::wstring> wait_for_error_box(DWORD process_id, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
    const auto boxes = visible_windows(process_id, L"#32770", L"Corvane");
    if (!boxes.empty()) {
      wchar_t text[4096] = {};
      GetDlgItemTextW(boxes.front(), 0xFFFF, text, 4096);
      return std::wstring(text);
    }
    Sleep(50);
  }
  return std::nullopt;
}

void dismiss_error_box(DWORD process_id) {
  for (HWND box : visible_windows(process_id, L"#32770", L"Corvane")) PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace corvane::testing_support
