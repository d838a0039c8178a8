#pragma once
// A failed property stops the fuzzer with the input's story on stderr; libFuzzer then saves the input.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                                           \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::fprintf(stderr, __VA_ARGS__);                                                     \
      std::fprintf(stderr, "\n");                                                            \
      std::abort();                                                                          \
    }                                                                                        \
  } while (false)
