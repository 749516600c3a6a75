#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
program=build/src/app/gui/kyrovane
if [ -x "$program" ]; then
  exec "$program"
fi
echo "Kyrovane is built; its main window does not exist yet, so there is nothing to start."
