// A mix of allocations as C++ code makes them, timed on whichever allocator the program is
// linked with: bench_allocation_mix runs on the C library's, bench_allocation_mix_pool on the
// memory manager.
//
//   bench_allocation_mix[_pool] [THREADS] [STEPS]
//
// Each thread (1 by default: then no thread is started) keeps a working set of 10,000 blocks
// and takes STEPS steps (default 10,000,000 divided among the threads): every step frees a
// random block of the set, after checking its first byte, and puts a new one in its place.
// New blocks are 8 to 64 bytes in 70 % of the steps, up to 512 in 20 %, up to 4 KiB in 7 %,
// up to 16 KiB in 2.9 % and 64 KiB to 1 MiB in 0.1 %. Prints the seconds and millions of
// steps per second.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kWorkingSet = 10000;

std::size_t RequestSize(std::mt19937& random) {
  const unsigned kind = random() % 1000;
  if (kind < 700) return 8 + random() % 57;
  if (kind < 900) return 65 + random() % 448;
  if (kind < 970) return 513 + random() % 3584;
  if (kind < 999) return 4097 + random() % 12288;
  return 65536 + random() % (1024 * 1024 - 65536);
}

// Returns the number of damaged blocks found (always 0 unless the allocator is broken).
long Run(unsigned seed, long steps) {
  std::mt19937 random(seed);
  std::vector<unsigned char*> blocks(kWorkingSet);
  for (unsigned char*& block : blocks) {
    block = static_cast<unsigned char*>(std::malloc(RequestSize(random)));
    *block = static_cast<unsigned char>(seed);
  }
  long damaged = 0;
  for (long step = 0; step < steps; ++step) {
    unsigned char*& block = blocks[random() % kWorkingSet];
    damaged += *block != static_cast<unsigned char>(seed);
    std::free(block);
    block = static_cast<unsigned char*>(std::malloc(RequestSize(random)));
    *block = static_cast<unsigned char>(seed);
  }
  for (unsigned char* block : blocks) std::free(block);
  return damaged;
}

}  // namespace

int main(int argc, char** argv) {
  const int threads = argc > 1 ? std::atoi(argv[1]) : 1;
  const long steps = argc > 2 ? std::atol(argv[2]) : 10000000;
  if (threads < 1 || steps < 1) {
    std::fprintf(stderr, "usage: %s [THREADS] [STEPS]\n", argv[0]);
    return 2;
  }
  const long perThread = steps / threads;
  const auto start = std::chrono::steady_clock::now();
  long damaged = 0;
  if (threads == 1) {
    damaged = Run(1, perThread);
  } else {
    std::vector<long> results(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
      workers.emplace_back([&results, t, perThread] { results[t] = Run(t + 1, perThread); });
    }
    for (std::thread& worker : workers) worker.join();
    for (long result : results) damaged += result;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("threads %d\nsteps %ld\nseconds %.3f\nmsteps_per_second %.1f\n", threads,
              perThread * threads, seconds, perThread * threads / seconds / 1e6);
  return damaged == 0 ? 0 : 1;
}
