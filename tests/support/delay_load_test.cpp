// A delay-loaded function that cannot be found stops the program through its fatal path, saying which
// library and which function, instead of raising an exception inside whatever callback called it.
#include <gtest/gtest.h>

#include "support/fatal.h"
#include "support/text.h"
#include "tests/common/child_process.h"
#include "tests/common/paths.h"

namespace corvane {
namespace {

struct MissingCase {
  const char* name;
  const char* argument;
  const char* dll;
  const char* function;
};

class DelayLoadFailure : public testing::TestWithParam<MissingCase> {};

TEST_P(DelayLoadFailure, StopsThroughTheFatalPathNamingTheLibraryAndTheFunction) {
  const std::wstring probe = testing_support::beside_this_program(L"delay_load_probe.exe");
  const auto result =
      testing_support::run_child(L"\"" + probe + L"\" " + to_utf16(GetParam().argument), 20000);
  ASSERT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, kFatalExitCode) << result.out << result.err;
  EXPECT_NE(result.err.find(GetParam().dll), std::string::npos) << result.err;
  EXPECT_NE(result.err.find(GetParam().function), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(Missing, DelayLoadFailure,
                         testing::Values(MissingCase{"function", "export", "SHELL32.dll",
                                                     "CorvaneNoSuchExport"},
                                         MissingCase{"library", "library", "CorvaneNoSuchLibrary.dll",
                                                     "CorvaneFunctionOfNoLibrary"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
