#pragma once
// The window procedure answers a message by passing it along a chain of steps. Each step says whether
// the message was its own and, if it was, how to answer it.
#include <windows.h>

#include <optional>

namespace corvane {

// How the procedure answers: with a value, or (none) with default processing.
using MessageAnswer = std::optional<LRESULT>;
inline constexpr MessageAnswer kDefault = std::nullopt;

struct MessageStep {
  bool own;
  MessageAnswer answer;
};

// The message is not this step's: the next step may take it.
inline constexpr MessageStep kNotThisStep{false, kDefault};

constexpr MessageStep answered(MessageAnswer answer) {
  return {true, answer};
}

}  // namespace corvane
