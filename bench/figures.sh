#!/usr/bin/env bash
# The figures of the page-content compression and of the memory manager, each measured the
# same way every time. Run as root (the byte comparisons fake the number of online cores in a
# mount namespace) on a machine with nothing else running.
#
#   bench/figures.sh BUILD [BASE_BUILD]
#
# BUILD is an optimised build of this tree with the benchmarks (bench_libharu_lines needs
# libhpdf-dev); BASE_BUILD, optional, one of the code to compare with, for the one-thread
# figure and the bytes before and after. RUNS (default 5) sets the runs of each timing; the
# median is reported.
set -euo pipefail
build=$(realpath "$1")
base=${2:+$(realpath "$2")}
runs=${RUNS:-5}
drawings=${DRAWINGS:-$(dirname "$0")/../../shared/testdata}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

lines=$build/bench/printer_lines/bench_printer_lines
haru=$build/bench/libharu_lines/bench_libharu_lines
mix=$build/bench/memory_manager/bench_allocation_mix_pool
convert=$build/tests/tools/convert-drawing

seconds() { "$@" | awk '$1 == "seconds" { print $2 }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# The file with the dates of its document information, which follow the clock, made equal.
digest() { perl -0777 -pe 's/D:\d{14}/D:00000000000000/g' "$1" | md5sum | cut -c1-32; }
# Runs a command seeing the given number of cores online, so that it starts as many deflate
# threads.
with_cores() {
  local cores=$1
  shift
  echo "0-$((cores - 1))" >"$tmp/online"
  # shellcheck disable=SC2016  # expanded by the inner shell
  unshare -m sh -c 'mount --bind "$0" /sys/devices/system/cpu/online && exec "$@"' \
    "$tmp/online" "$@"
}

echo "== 1,000,000 lines on all cores against libharu (paired runs, alternating)"
for _ in $(seq "$runs"); do
  ours=$(seconds "$lines" 1000000 0 "$tmp/ours.pdf")
  theirs=$(seconds "$haru" 1000000 "$tmp/haru.pdf")
  awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.3f s, libharu %.3f s: %.3f\n", a, b, a / b }'
done | tee "$tmp/pairs"
echo "median ratio $(awk '{ print $NF }' "$tmp/pairs" | median) (at most 0.25)"

if [ -n "$base" ]; then
  echo "== 1,000,000 lines on one thread, this build against the base (alternating)"
  for _ in $(seq "$runs"); do
    now=$(seconds "$lines" 1000000 1 "$tmp/one.pdf")
    before=$(seconds "$base/bench/printer_lines/bench_printer_lines" 1000000 1 "$tmp/one-base.pdf")
    awk -v a="$now" -v b="$before" 'BEGIN { printf "%.3f s, base %.3f s: %.3f\n", a, b, a / b }'
  done | tee "$tmp/single"
  echo "median ratio $(awk '{ print $NF }' "$tmp/single" | median) (at most 1.5)"
fi

echo "== peak memory (maximum resident set) on all cores"
for n in 1000000 4000000; do
  /usr/bin/time -f "%M" -o "$tmp/rss-$n" "$lines" "$n" 0 "$tmp/rss.pdf" >/dev/null
  echo "$n lines: $(($(cat "$tmp/rss-$n") / 1024)) MiB"
done
echo "4M - 1M: $((($(cat "$tmp/rss-4000000") - $(cat "$tmp/rss-1000000")) / 1024)) MiB (at most 16)"

echo "== bench_allocation_mix_pool, 8 threads against 1 (alternating)"
for _ in $(seq "$runs"); do
  one=$(seconds "$mix" 1)
  eight=$(seconds "$mix" 8)
  awk -v a="$eight" -v b="$one" 'BEGIN { printf "8 threads %.3f s, 1 thread %.3f s: %.2f\n", a, b, a / b }'
done | tee "$tmp/mix"
echo "median ratio $(awk '{ print $NF }' "$tmp/mix" | median) (at most 2)"

echo "== bytes of the line benchmark (100,000 lines) on 1, 2 and 8 threads, and before"
for threads in 1 2 8; do
  "$lines" 100000 "$threads" "$tmp/t$threads.pdf" >/dev/null
  echo "$threads threads: $(digest "$tmp/t$threads.pdf")"
done
if [ -n "$base" ]; then
  "$base/bench/printer_lines/bench_printer_lines" 100000 1 "$tmp/tb.pdf" >/dev/null
  echo "base:      $(digest "$tmp/tb.pdf")"
fi

echo "== bytes of every drawing of $drawings on 1, 2 and 8 cores, and before"
same=0
differ=0
for drawing in "$drawings"/*/*; do
  case "$drawing" in *.md) continue ;; esac
  for options in "" "--tiles 16" "--rotation 90 --tiles 4"; do
    digests=""
    for cores in 1 2 8; do
      # shellcheck disable=SC2086
      if with_cores "$cores" "$convert" "$drawing" "$tmp/d.pdf" $options >/dev/null 2>&1; then
        digests="$digests $(digest "$tmp/d.pdf")"
      else
        digests="$digests failed"
      fi
    done
    # shellcheck disable=SC2086
    if [ -n "$base" ] && "$base/tests/tools/convert-drawing" "$drawing" "$tmp/d.pdf" $options \
      >/dev/null 2>&1; then
      digests="$digests $(digest "$tmp/d.pdf")"
    elif [ -n "$base" ]; then
      digests="$digests failed"
    fi
    if [ "$(echo "$digests" | tr ' ' '\n' | sed '/^$/d' | sort -u | wc -l)" = 1 ]; then
      same=$((same + 1))
    else
      differ=$((differ + 1))
      echo "differ: $(basename "$drawing") [$options]:$digests"
    fi
  done
done
echo "$same conversions the same everywhere, $differ not"
