#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// XXH3-128 (Debian's libxxhash-dev, header-only), computed by the widest vector code the
// processor runs: AVX2 where it has it, else the build's own (SSE2 on x86-64). Every kind gives
// the same hash; the wider one hashes the 60 MB dictionary in two thirds of the time.

namespace accents::xxh3 {

struct Hash128 {
  std::uint64_t low = 0;
  std::uint64_t high = 0;
};

// The functions of one kind of code.
struct Kernel {
  void* (*create)();  // a fresh hashing state, or null when memory ran out
  void (*destroy)(void* state);
  void (*update)(void* state, const unsigned char* bytes, std::size_t size);
  Hash128 (*digest)(const void* state);
  Hash128 (*whole)(const unsigned char* bytes, std::size_t size);
};

// The kernel for this processor, chosen once.
const Kernel& kernel();
// Every kernel of this build that this processor runs, the chosen one last.
std::span<const Kernel* const> runnable_kernels();

inline Hash128 hash(std::span<const unsigned char> bytes) { return kernel().whole(bytes.data(), bytes.size()); }

// The hash of bytes handed over a piece at a time.
class Stream {
 public:
  Stream();
  ~Stream();
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  void add(std::span<const unsigned char> bytes) { kernel_.update(state_, bytes.data(), bytes.size()); }
  Hash128 finish() const { return kernel_.digest(state_); }

 private:
  const Kernel& kernel_;
  void* state_;
};

}  // namespace accents::xxh3
