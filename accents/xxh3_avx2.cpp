// Compiled with AVX2 (accents/CMakeLists.txt), and called only where the processor has it.
#define XXH_VECTOR XXH_AVX2
#define TILDARIO_XXH3_KERNEL avx2_kernel
#include "accents/xxh3_kernel.inc"
