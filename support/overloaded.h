#pragma once

namespace corvane {

// One visitor made of several lambdas, for std::visit.
template <typename... F>
struct Overloaded : F... {
  using F::operator()...;
};

}  // namespace corvane
