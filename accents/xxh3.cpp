#include "accents/xxh3.h"

#include <new>

#define TILDARIO_XXH3_KERNEL build_kernel
#include "accents/xxh3_kernel.inc"

namespace accents::xxh3 {

#if defined(TILDARIO_XXH3_AVX2)
extern const Kernel avx2_kernel;
#endif

std::span<const Kernel* const> runnable_kernels() {
#if defined(TILDARIO_XXH3_AVX2)
  static const Kernel* const both[] = {&build_kernel, &avx2_kernel};
  // Asks the processor, and the system whether it saves the wide registers.
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return std::span(both, avx2 ? 2 : 1);
#else
  static const Kernel* const only[] = {&build_kernel};
  return only;
#endif
}

const Kernel& kernel() {
  static const Kernel& chosen = *runnable_kernels().back();
  return chosen;
}

Stream::Stream() : kernel_(kernel()), state_(kernel_.create()) {
  if (!state_) throw std::bad_alloc();
}

Stream::~Stream() { kernel_.destroy(state_); }

}  // namespace accents::xxh3
