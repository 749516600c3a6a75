#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs one of them.
#   scripts/fuzz.sh NAME [SECONDS]    e.g. scripts/fuzz.sh jww_fuzzer 600
# The corpus grows in fuzz-out/NAME (seeded from fuzz/*/corpus); findings land in fuzz-out/, and
# so does everything the fuzzer prints (fuzz-out/NAME.log, and the fuzz-N.log files it writes
# into the folder it runs in): fuzz-out/ is ignored by git.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
name=$1
seconds=${2:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKYROVANE_FUZZ=ON -DKYROVANE_SANITIZE=ON -DKYROVANE_GUI=OFF -DKYROVANE_BENCH=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "$name"
binary=$(find build-fuzz/fuzz -type f -name "$name" -perm -u+x | head -n 1)
seed_dir=$(dirname "$(grep -rl --include=CMakeLists.txt "$name" fuzz | head -n 1)")/corpus
mkdir -p "fuzz-out/$name"
cd fuzz-out
"$root/$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="./" "$name" "$root/$seed_dir" 2>&1 | tee "$name.log"
