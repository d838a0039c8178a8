// The smoke program, as CI runs it on Windows against a Corvane as shipped, run here against a folder
// that holds Corvane.exe with the test runtime as its loader: the runtime's window stands in for the
// browser's, and a runtime folder without the browser fails as the real loader does (0x80070002).
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/text.h"
#include "tests/common/artifacts.h"
#include "tests/common/child_process.h"
#include "tests/common/paths.h"
#include "tests/e2e/corvane_run.h"

namespace corvane {
namespace {

struct SmokeCase {
  const char* name;
  const wchar_t* mode;  // what follows the folder on the smoke program's command line
  const char* closing_line;
  bool opens_download_link;  // after the dialog's OK
};

class Smoke : public testing::TestWithParam<SmokeCase> {};

TEST_P(Smoke, PassesAgainstTheTestRuntime) {
  std::optional<testing_support::UrlRecorder> recorder;
  if (GetParam().opens_download_link) recorder.emplace();
  const std::wstring folder = testing_support::fresh_run_folder();
  const std::wstring profile = folder + L"profile";
  const std::wstring command = L"\"" + testing_support::beside_this_program(L"smoke.exe") + L"\" \"" +
                               folder.substr(0, folder.size() - 1) + L"\" " + GetParam().mode;
  const auto result = testing_support::run_child(command, 120000, {L"LOCALAPPDATA=" + profile});
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  const auto lines = result.lines();
  ASSERT_FALSE(lines.empty()) << result.err;
  EXPECT_EQ(lines.back(), GetParam().closing_line) << result.out << result.err;
  EXPECT_EQ(result.exit_code, 0u) << result.out;
}

const std::wstring kOut = L"--out \"" + testing_support::test_artifact(L"smoke") + L"\"";

INSTANTIATE_TEST_SUITE_P(
    Modes, Smoke,
    testing::Values(
        SmokeCase{"window", kOut.c_str(),
                  "smoke: passed: the window, the browser inside it, the profile folder, and exit code 0",
                  false},
        SmokeCase{"missing_runtime", L"--missing-runtime",
                  "smoke: passed: the missing runtime's dialog, word for word, then exit code 0", true},
        SmokeCase{"runtime_version", L"--runtime-version",
                  "smoke: passed: runtime version: not reported (this loader is the project's test runtime)",
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
