// The manager's lock: threads that take turns exclude each other, a thread that waits long
// sleeps instead of spinning, and no thread waits for ever.

#include "memory/SpinLock.h"

#include <errno.h>
#include <time.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace kyrovane::test {
namespace {

using memory::TSpinLock;

TEST(SpinLock, ThreadsTakingTurnsExcludeEachOther) {
  TSpinLock lock;
  long counter = 0;  // not atomic: only the lock keeps the increments whole
  constexpr int kThreads = 8;
  constexpr int kRounds = 200000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        lock.Lock();
        const long seen = counter;
        if (i % 1000 == 0) std::this_thread::yield();  // now and then held for long
        counter = seen + 1;
        lock.Unlock();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(counter, long{kThreads} * kRounds);
}

TEST(SpinLock, AThreadThatWaitsLongSleepsAndIsWokenKeepingErrno) {
  TSpinLock lock;
  lock.Lock();
  std::atomic<bool> waiting{false};
  timespec waiterCpu{};  // since the thread started
  int waiterErrno = 0;
  std::thread waiter([&] {
    errno = ERANGE;
    waiting = true;
    lock.Lock();
    waiterErrno = errno;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &waiterCpu);
    lock.Unlock();
  });
  while (!waiting) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  lock.Unlock();
  waiter.join();
  EXPECT_EQ(waiterCpu.tv_sec, 0);
  EXPECT_LT(waiterCpu.tv_nsec, 100'000'000);
  EXPECT_EQ(waiterErrno, ERANGE);
}

// The holder keeps the lock for a while and takes it again at once after each time it lets go;
// the other thread gets it all the same, long before the holder would give up (after ten
// seconds).
TEST(SpinLock, AWaitingThreadGetsTheLockFromAHolderThatNeverPauses) {
  TSpinLock lock;
  std::atomic<bool> waiterDone{false};
  std::atomic<bool> holderGaveUp{false};
  std::atomic<bool> holding{false};
  std::thread holder([&] {
    const auto start = std::chrono::steady_clock::now();
    while (!waiterDone) {
      if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10)) {
        holderGaveUp = true;
        return;
      }
      lock.Lock();
      holding = true;
      for (int work = 0; work < 1000; ++work) asm volatile("");
      lock.Unlock();
    }
  });
  while (!holding) std::this_thread::yield();
  lock.Lock();
  const bool beforeTheHolderGaveUp = !holderGaveUp;
  lock.Unlock();
  waiterDone = true;
  holder.join();
  EXPECT_TRUE(beforeTheHolderGaveUp);
}

}  // namespace
}  // namespace kyrovane::test
