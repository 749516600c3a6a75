#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the tests: all but those of the windows
# under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, those that start threads
# under ThreadSanitizer, and all of them in the optimised build.
set -euo pipefail
cd "$(dirname "$0")/.."
# Plug-ins are loaded only from folders that no one but their owner can write: the test
# plug-ins in the build tree must not be made group-writable by a permissive umask.
umask 022
bash scripts/install-deps.sh

jobs=$(nproc)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKYROVANE_SANITIZE=ON \
  -DKYROVANE_BENCH=OFF -DKYROVANE_GUI=OFF >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest -j "$jobs" --output-on-failure)

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKYROVANE_TSAN=ON \
  -DKYROVANE_BENCH=OFF -DKYROVANE_GUI=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target kyrovane_thread_tests
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest -j "$jobs" -L threads --output-on-failure)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
cd build && ctest -j "$jobs" --output-on-failure
