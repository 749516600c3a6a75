#pragma once

// The manager's lock. Its holders keep it for a few dozen instructions, so a thread that finds
// it taken spins for a while, watching it, and sleeps in the kernel only when it stays taken
// longer; letting go of the lock wakes a sleeper, when there is one and none is being woken
// already. While threads merely take turns, the lock changes hands without a system call.
//
// A thread that allocates again and again keeps the lock across the moments between its
// requests: a waiting thread takes it once it has stayed free, and untaken, for a while, or once
// the holder has had its turn (or the waiting thread has waited long enough that it must not
// wait longer). Each change of hands moves the
// manager's data into another core's cache, which costs far more than the requests themselves.
//
// Constant-initialised; needs no memory of its own.

#include <atomic>
#include <cstdint>

namespace kyrovane::memory {

class alignas(64) TSpinLock {
 public:
  constexpr TSpinLock() = default;
  TSpinLock(const TSpinLock&) = delete;
  TSpinLock& operator=(const TSpinLock&) = delete;

  void Lock() {
    const std::uint32_t state = state_.load(std::memory_order_relaxed);
    if (IsFree(state) && TryLock(state)) return;
    LockSlowly();
  }
  void Unlock() {
    state_.fetch_sub(kTaken, std::memory_order_seq_cst);
    if (sleepers_.load(std::memory_order_seq_cst) != 0) WakeOne();
  }
  // Free again, whatever state it was copied in; for the child of a fork.
  void Reset() {
    state_.store(0, std::memory_order_relaxed);
    takenOver_.store(0, std::memory_order_relaxed);
    sleepers_.store(0, std::memory_order_relaxed);
    waking_.store(false, std::memory_order_relaxed);
  }

 private:
  // The state: the taken bit, and above it the number of times the lock was taken, so that a
  // state seen twice means that nobody took the lock in between.
  static constexpr std::uint32_t kTaken = 1;

  static bool IsFree(std::uint32_t state) { return (state & kTaken) == 0; }
  // Takes the lock if its state is still `state`, a free one.
  bool TryLock(std::uint32_t state) {
    return state_.compare_exchange_strong(state, state + 2 + kTaken, std::memory_order_seq_cst,
                                          std::memory_order_relaxed);
  }
  void LockSlowly();
  // Spins until the lock is taken, or gives up; an impatient thread takes the lock as soon as
  // it finds it free.
  bool Spin(bool impatient);
  // Sleeps while the state stays `held`, for a millisecond at most.
  void Sleep(std::uint32_t held);
  void WakeOne();

  std::atomic<std::uint32_t> state_{0};
  // When the lock last changed hands after a wait, in steady-clock nanoseconds.
  std::atomic<std::int64_t> takenOver_{0};
  std::atomic<int> sleepers_{0};
  std::atomic<bool> waking_{false};  // a sleeper was woken and has not run yet
};

}  // namespace kyrovane::memory
