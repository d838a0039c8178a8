// What the test wants from the runtime, read once from CORVANE_WEBVIEW2_SCRIPT. One line each:
//   fail <Interface.Method> <hresult> [description]   every such call fails with that result
//   fail-once <Interface.Method> <n> <hresult> [description]
//                                                     only the n-th such call (from 1) fails
//   error-info <Interface.Method> <description>       every such call succeeds, and leaves error
//                                                     information on the thread all the same
//   environment-completion success|null|quit|<hresult>
//   controller-completion success|null|quit|<hresult>
//   environment-delay <ms>|never                      how long the creation takes (400 ms)
//   controller-delay <ms>|never                       (150 ms)
//   lack <interface>                                  QueryInterface for it fails
//   null <Interface.Method>|<interface>               the call, or QueryInterface for the interface,
//                                                     succeeds and hands out NULL
//   redirect <url> <url>                              a navigation to the first goes on to the second
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>

#include "support/text.h"
#include "tests/webview2_runtime/runtime.h"

namespace corvane::test_runtime {
namespace {

// A browser start on a counter PC: the environment takes a while, the controller a little more.
constexpr DWORD kEnvironmentDelayMs = 400, kControllerDelayMs = 150;

struct Failure {
  HRESULT code;
  std::string description;
};

struct Script {
  std::map<std::string, Failure> failures;
  std::map<std::string, std::pair<long, Failure>> failures_once;
  std::map<std::string, std::string> error_infos;
  std::set<std::string> lacking;
  std::set<std::string> null_results;
  Completion environment, controller;
  std::optional<DWORD> environment_delay = kEnvironmentDelayMs, controller_delay = kControllerDelayMs;
  std::map<std::wstring, std::wstring> redirects;
};

std::string environment_variable(const char* name) {
  wchar_t value[2048];
  const DWORD length = GetEnvironmentVariableW(to_utf16(name).c_str(), value, 2048);
  return length > 0 && length < 2048 ? to_utf8(std::wstring_view(value, length)) : std::string();
}

Completion parse_completion(const std::string& word) {
  if (word == "null") return {Completion::Kind::Null};
  if (word == "quit") return {Completion::Kind::Quit};
  if (word == "success") return {};
  return {Completion::Kind::Failure, static_cast<HRESULT>(std::stoul(word, nullptr, 0))};
}

std::optional<DWORD> parse_delay(const std::string& word) {
  if (word == "never") return std::nullopt;
  return static_cast<DWORD>(std::stoul(word));
}

Failure parse_failure(std::istringstream& words) {
  std::string value, description;
  words >> value;
  std::getline(words >> std::ws, description);
  return {static_cast<HRESULT>(std::stoul(value, nullptr, 0)), description};
}

void read_line(Script& script, const std::string& line) {
  std::istringstream words(line);
  std::string verb, name;
  words >> verb >> name;
  if (verb == "fail") {
    script.failures[name] = parse_failure(words);
  } else if (verb == "fail-once") {
    long nth = 0;
    words >> nth;
    script.failures_once[name] = {nth, parse_failure(words)};
  } else if (verb == "error-info") {
    std::getline(words >> std::ws, script.error_infos[name]);
  } else if (verb == "lack") {
    script.lacking.insert(name);
  } else if (verb == "null") {
    script.null_results.insert(name);
  } else if (verb == "environment-completion") {
    script.environment = parse_completion(name);
  } else if (verb == "controller-completion") {
    script.controller = parse_completion(name);
  } else if (verb == "environment-delay") {
    script.environment_delay = parse_delay(name);
  } else if (verb == "controller-delay") {
    script.controller_delay = parse_delay(name);
  } else if (verb == "redirect") {
    std::string to;
    words >> to;
    script.redirects[canonical_url(to_utf16(name))] = canonical_url(to_utf16(to));
  }
}

Script read_script() {
  Script script;
  const std::string path = environment_variable("CORVANE_WEBVIEW2_SCRIPT");
  if (path.empty()) return script;
  std::ifstream in(std::filesystem::path(to_utf16(path)));
  for (std::string line; std::getline(in, line);) read_line(script, line);
  return script;
}

const Script& script() {
  static const Script loaded = read_script();
  return loaded;
}

// The interfaces a runtime may lack, by name.
const std::map<std::string, IID>& optional_interfaces() {
  static const std::map<std::string, IID> names = {
      {"ICoreWebView2Environment10", __uuidof(ICoreWebView2Environment10)},
      {"ICoreWebView2Settings4", __uuidof(ICoreWebView2Settings4)},
      {"ICoreWebView2Settings5", __uuidof(ICoreWebView2Settings5)},
      {"ICoreWebView2Settings6", __uuidof(ICoreWebView2Settings6)},
      {"ICoreWebView2Settings9", __uuidof(ICoreWebView2Settings9)},
      {"ICoreWebView2_4", __uuidof(ICoreWebView2_4)},
  };
  return names;
}

bool names_interface(const std::set<std::string>& names, REFIID iid) {
  for (const std::string& name : names) {
    const auto found = optional_interfaces().find(name);
    if (found != optional_interfaces().end() && found->second == iid) return true;
  }
  return false;
}

// The failure the script wants for this occurrence of the call, if any.
const Failure* failure_for(const std::string& call) {
  static std::mutex lock;
  static std::map<std::string, long> occurrences;
  if (const auto found = script().failures.find(call); found != script().failures.end())
    return &found->second;
  const auto once = script().failures_once.find(call);
  if (once == script().failures_once.end()) return nullptr;
  std::lock_guard guard(lock);
  return ++occurrences[call] == once->second.first ? &once->second.second : nullptr;
}

void set_error_info(const std::string& description) {
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(&create))) return;
  create->SetDescription(to_utf16(description).data());
  ComPtr<IErrorInfo> info;
  if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
}

}  // namespace

HRESULT scripted_failure(const std::string& call) {
  const Failure* failure = failure_for(call);
  if (failure == nullptr) {
    if (const auto left = script().error_infos.find(call); left != script().error_infos.end())
      set_error_info(left->second);
    return S_OK;
  }
  if (!failure->description.empty()) set_error_info(failure->description);
  return failure->code;
}

bool lacks(REFIID iid) {
  return names_interface(script().lacking, iid);
}

bool hands_out_null(REFIID iid) {
  return names_interface(script().null_results, iid);
}

bool hands_out_null(const std::string& call) {
  return script().null_results.count(call) > 0;
}

Completion environment_completion() {
  return script().environment;
}
Completion controller_completion() {
  return script().controller;
}

std::optional<DWORD> environment_delay_ms() {
  return script().environment_delay;
}
std::optional<DWORD> controller_delay_ms() {
  return script().controller_delay;
}

std::optional<std::wstring> redirect_of(const std::wstring& url) {
  const auto found = script().redirects.find(url);
  if (found == script().redirects.end()) return std::nullopt;
  return found->second;
}

}  // namespace corvane::test_runtime
