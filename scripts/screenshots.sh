#!/usr/bin/env bash
# Writes PNG pictures of the program's windows, drawn on an X server (Xvfb) as a user would see
# them: the main window in both modes, the three pages of "詳細設定", "レイヤーの色",
# "カスタム色設定", "設定のプロパティ" and "リスト編集" with a layer group pressed.
#   scripts/screenshots.sh [OUTPUT_FOLDER]    (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target kyrovane-screenshots
# Settings and registrations of this run stay out of the user's folders.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache XDG_DATA_HOME=$scratch/data \
  XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x768x24" build/tests/app/gui/kyrovane-screenshots "$out"
