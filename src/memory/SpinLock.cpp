#include "memory/SpinLock.h"

#include <errno.h>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace kyrovane::memory {

namespace {

using TClock = std::chrono::steady_clock;

// In pauses (some tens of nanoseconds each): how long the lock must stay free and untaken before
// a waiting thread takes it, and how long a thread spins before it sleeps. A waiting thread looks
// at the lock after 1, 2, 4 … and then every kLongestWait pauses, so that the lock's cache line
// stays with its holder most of the time.
constexpr int kFreeFor = 2000;
constexpr int kSpinFor = 40000;
constexpr int kLongestWait = 256;
// Once the lock has been with one thread for this long since it took it over from waiting, a
// waiting thread takes it as soon as it finds it free; so does a thread that has itself waited
// for kLongestWaitTime. Counting the turn from the holder's side keeps the turns long however
// many threads wait, so that the manager's data changes caches seldom.
constexpr std::int64_t kTurn = 100'000'000;  // nanoseconds
constexpr std::int64_t kLongestWaitTime = 8 * kTurn;
// A sleeper looks again after this long even when nobody woke it: letting go of the lock wakes
// one sleeper at a time, and may miss one that is just falling asleep.
constexpr timespec kLongestSleep{0, 1000000};

std::int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(TClock::now().time_since_epoch())
      .count();
}

void Pause() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

std::uint32_t* Word(std::atomic<std::uint32_t>& state) {
  static_assert(sizeof(std::atomic<std::uint32_t>) == sizeof(std::uint32_t) &&
                std::atomic<std::uint32_t>::is_always_lock_free);
  return reinterpret_cast<std::uint32_t*>(&state);
}

}  // namespace

void TSpinLock::LockSlowly() {
  const std::int64_t arrived = Now();
  for (;;) {
    const std::int64_t now = Now();
    const bool impatient = now - takenOver_.load(std::memory_order_relaxed) >= kTurn ||
                           now - arrived >= kLongestWaitTime;
    if (Spin(impatient)) {
      takenOver_.store(Now(), std::memory_order_relaxed);
      return;
    }
    // Sleeps while the same holder keeps the lock.
    for (std::uint32_t held = state_.load(std::memory_order_relaxed); !IsFree(held);) {
      Sleep(held);
      const std::uint32_t state = state_.load(std::memory_order_relaxed);
      if (state != held) break;
    }
  }
}

bool TSpinLock::Spin(bool impatient) {
  std::uint32_t seen = state_.load(std::memory_order_relaxed);
  int freeFor = 0;
  for (int spun = 0, wait = 1; spun < kSpinFor; spun += wait) {
    for (int i = 0; i < wait; ++i) Pause();
    const std::uint32_t state = state_.load(std::memory_order_relaxed);
    freeFor = IsFree(state) && state == seen ? freeFor + wait : 0;
    seen = state;
    if (IsFree(state) && (impatient || freeFor >= kFreeFor) && TryLock(state)) return true;
    wait = std::min(2 * wait, kLongestWait);
  }
  return false;
}

// Sleep and WakeOne keep errno: the allocation functions must not change it when they succeed.
void TSpinLock::Sleep(std::uint32_t held) {
  const int saved = errno;
  // Counting itself first, a sleeper is either seen by the holder letting go, or finds the state
  // changed and does not sleep.
  sleepers_.fetch_add(1, std::memory_order_seq_cst);
  if (state_.load(std::memory_order_seq_cst) == held) {
    syscall(SYS_futex, Word(state_), FUTEX_WAIT_PRIVATE, held, &kLongestSleep, nullptr, 0);
  }
  waking_.store(false, std::memory_order_relaxed);
  sleepers_.fetch_sub(1, std::memory_order_relaxed);
  errno = saved;
}

void TSpinLock::WakeOne() {
  if (waking_.exchange(true, std::memory_order_relaxed)) return;
  const int saved = errno;
  if (syscall(SYS_futex, Word(state_), FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0) <= 0) {
    waking_.store(false, std::memory_order_relaxed);
  }
  errno = saved;
}

}  // namespace kyrovane::memory
