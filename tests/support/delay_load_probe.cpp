// Makes a first call through a delay-load import library, as the program does at its first hand-off to
// the shell, to a function its DLL lacks ("export") or to a DLL that does not exist ("library").
#include <cstring>

extern "C" void CorvaneNoSuchExport();
extern "C" void CorvaneFunctionOfNoLibrary();

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "library") == 0) {
    CorvaneFunctionOfNoLibrary();
  } else {
    CorvaneNoSuchExport();
  }
  return 0;
}
