// Another program on the same desktop: posts a message, with values of its own, to a window or to
// every thread of a running Corvane, as any program can.
//   foreign_poster <process id> main|container|thread-target|threads <message> [wParam lParam]
// <message> is a registered message's name or a number. Exits with 0 once everything was posted.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
  DWORD process_id;
  const wchar_t* class_name;
  HWND found;
};

HWND top_level_window(DWORD process_id, const wchar_t* class_name) {
  Search search{process_id, class_name, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (owner != s.process_id || wcscmp(name, s.class_name) != 0) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Posts to every thread of the process but its first: the wait thread and the runtime's own.
int post_to_threads(DWORD process_id, UINT message, WPARAM wparam, LPARAM lparam) {
  const DWORD ui_thread = GetWindowThreadProcessId(top_level_window(process_id, L"Window Class"), nullptr);
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 thread{};
  thread.dwSize = sizeof thread;
  int posted = 0;
  for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread)) {
    if (thread.th32OwnerProcessID != process_id || thread.th32ThreadID == ui_thread) continue;
    if (PostThreadMessageW(thread.th32ThreadID, message, wparam, lparam)) ++posted;
  }
  CloseHandle(snapshot);
  return posted > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 6) {
    std::fprintf(stderr, "usage: foreign_poster <pid> <target> <message> [wParam lParam]\n");
    return 2;
  }
  const DWORD process_id = std::strtoul(argv[1], nullptr, 0);
  const std::string target = argv[2];
  const char* name = argv[3];
  const UINT message =
      name[0] >= '0' && name[0] <= '9' ? std::strtoul(name, nullptr, 0) : RegisterWindowMessageA(name);
  const WPARAM wparam = argc == 6 ? std::strtoull(argv[4], nullptr, 0) : 0x4141414141;
  const LPARAM lparam = argc == 6 ? std::strtoll(argv[5], nullptr, 0) : 0x4242;
  if (target == "threads") return post_to_threads(process_id, message, wparam, lparam);
  HWND window = nullptr;
  if (target == "main") window = top_level_window(process_id, L"Window Class");
  if (target == "thread-target") window = top_level_window(process_id, L"Corvane Thread Event Target");
  if (target == "container")
    window =
        FindWindowExW(top_level_window(process_id, L"Window Class"), nullptr, L"CORVANE_WEBVIEW", nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "foreign_poster: no %s window\n", target.c_str());
    return 1;
  }
  if (!PostMessageW(window, message, wparam, lparam)) {
    std::fprintf(stderr, "foreign_poster: PostMessageW failed with %lu\n", GetLastError());
    return 1;
  }
  return 0;
}
