#!/usr/bin/env bash
# Installs what is missing, builds the program and opens its main window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target kyrovane
exec build/src/app/gui/kyrovane
