#include "tests/common/child_process.h"

#include <thread>

#include "support/ascii.h"
#include "support/handles.h"
#include "support/text.h"

namespace corvane::testing_support {
namespace {

struct Pipe {
  UniqueKernelHandle read, write;
};

Pipe make_pipe() {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  CreatePipe(&read, &write, &inherit, 0);
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  return {UniqueKernelHandle(read), UniqueKernelHandle(write)};
}

std::thread drain_into(HANDLE pipe, std::string& out) {
  return std::thread([pipe, &out] {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  });
}

}  // namespace

std::vector<std::string> ChildResult::lines() const {
  std::vector<std::string> result;
  size_t start = 0;
  while (start < out.size()) {
    size_t end = out.find('\n', start);
    if (end == std::string::npos) end = out.size();
    std::string line = out.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    result.push_back(line);
    start = end + 1;
  }
  return result;
}

std::wstring this_program() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return std::wstring(path, length);
}

std::wstring environment_block(const Environment& extra) {
  const auto name_of = [](std::wstring_view variable) { return variable.substr(0, variable.find(L'=', 1)); };
  const auto overridden = [&](std::wstring_view variable) {
    for (const auto& added : extra) {
      if (equals_ignoring_ascii_case(name_of(added), name_of(variable))) return true;
    }
    return false;
  };
  std::wstring block;
  wchar_t* current = GetEnvironmentStringsW();
  for (const wchar_t* p = current; *p; p += wcslen(p) + 1) {
    if (!overridden(p)) block.append(p).push_back(L'\0');
  }
  FreeEnvironmentStringsW(current);
  for (const auto& variable : extra) block.append(variable).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

ChildResult run_child(const std::wstring& command_line, DWORD timeout_ms, const Environment& environment) {
  Pipe out = make_pipe(), err = make_pipe();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out.write.get();
  startup.hStdError = err.write.get();
  PROCESS_INFORMATION process{};
  std::wstring command = command_line;
  ChildResult result;
  std::wstring block = environment_block(environment);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                      block.data(), nullptr, &startup, &process)) {
    result.exit_code = 0xFFFFFFFF;
    result.err = "CreateProcessW failed: " + std::to_string(GetLastError());
    return result;
  }
  UniqueKernelHandle process_handle(process.hProcess), thread_handle(process.hThread);
  out.write.reset();
  err.write.reset();
  std::thread out_reader = drain_into(out.read.get(), result.out);
  std::thread err_reader = drain_into(err.read.get(), result.err);
  if (WaitForSingleObject(process_handle.get(), timeout_ms) == WAIT_TIMEOUT) {
    result.timed_out = true;
    TerminateProcess(process_handle.get(), 0xDEAD);
    WaitForSingleObject(process_handle.get(), INFINITE);
  }
  GetExitCodeProcess(process_handle.get(), &result.exit_code);
  out_reader.join();
  err_reader.join();
  return result;
}

ChildResult run_scenario(const std::string& name, const std::string& arguments, DWORD timeout_ms,
                         const Environment& environment) {
  std::wstring command = L"\"" + this_program() + L"\" --scenario " + to_utf16(name);
  if (!arguments.empty()) command += L" " + to_utf16(arguments);
  return run_child(command, timeout_ms, environment);
}

}  // namespace corvane::testing_support
