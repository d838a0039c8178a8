// For scripts: prints the text of the error box Corvane shows ("#32770" captioned "Corvane"), and with
// --dismiss presses its OK button. Exits with 1 when no such box is open.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "support/text.h"

int main(int argc, char** argv) {
  const HWND box = FindWindowW(L"#32770", L"Corvane");
  if (box == nullptr || !IsWindowVisible(box)) return 1;
  wchar_t text[4096] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 4096);
  std::printf("%s\n", corvane::to_utf8(text).c_str());
  if (argc > 1 && std::strcmp(argv[1], "--dismiss") == 0) PostMessageW(box, WM_COMMAND, IDOK, 0);
  return 0;
}
