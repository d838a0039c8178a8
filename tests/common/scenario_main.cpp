#include "tests/common/scenario_main.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>

namespace corvane::testing_support {
namespace {

std::map<std::string, Scenario>& scenarios() {
  static std::map<std::string, Scenario> registry;
  return registry;
}

}  // namespace

ScenarioRegistration::ScenarioRegistration(const char* name, Scenario scenario) {
  scenarios()[name] = scenario;
}

}  // namespace corvane::testing_support

int main(int argc, char** argv) {
  using corvane::testing_support::scenarios;
  if (argc >= 3 && std::strcmp(argv[1], "--scenario") == 0) {
    const auto found = scenarios().find(argv[2]);
    if (found == scenarios().end()) {
      std::fprintf(stderr, "unknown scenario %s\n", argv[2]);
      return 2;
    }
    const int code = found->second(std::vector<std::string>(argv + 3, argv + argc));
    std::fflush(nullptr);
    return code;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
