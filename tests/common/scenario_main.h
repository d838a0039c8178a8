#pragma once
// Test programs that run parts of themselves as child processes: "--scenario <name> [args]" runs the
// named scenario instead of the tests. Scenarios end the process themselves or return its exit code.
#include <string>
#include <vector>

namespace corvane::testing_support {

using Scenario = int (*)(const std::vector<std::string>& arguments);

struct ScenarioRegistration {
  ScenarioRegistration(const char* name, Scenario scenario);
};

}  // namespace corvane::testing_support

#define CORVANE_SCENARIO(name)                                                                \
  static int scenario_##name(const std::vector<std::string>& arguments);                      \
  static const ::corvane::testing_support::ScenarioRegistration scenario_registration_##name( \
      #name, scenario_##name);                                                                \
  static int scenario_##name([[maybe_unused]] const std::vector<std::string>& arguments)
