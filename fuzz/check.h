#pragma once

#include <cstdio>
#include <cstdlib>

// A property that fails aborts the run, so that libFuzzer keeps the input as a crash artifact.
#define FUZZ_CHECK(condition) ((condition) ? void() : fuzz::property_failed(#condition, __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] inline void property_failed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
  std::abort();
}

}  // namespace fuzz
