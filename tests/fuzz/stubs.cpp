// The pure modules' two links to Windows, replaced for the native fuzzing build. The fuzzers pass
// their own hand-off and no COM references, so reaching either of these is itself a failure.
#include <cstdio>
#include <cstdlib>

#include "app/external_opener.h"
#include "support/opaque_com_ref.h"

namespace corvane {

void shell_execute_open(const std::wstring&) {
  std::fprintf(stderr, "the real shell was called from a fuzzer\n");
  std::abort();
}

void detail::release_com_reference(void*) noexcept {
  std::fprintf(stderr, "a COM reference reached the fuzzing build\n");
  std::abort();
}

}  // namespace corvane
