#!/usr/bin/env bash
# The real program under an X server (xcb, not offscreen): it starts, shows its main window,
# converts a drawing chosen through its buttons and the file dialogs, opens the PDF through
# the desktop's opener and quits cleanly when its window is closed.
#   xvfb_smoke.sh PROGRAM DRAWING.jww
set -euo pipefail
here=$(cd "${0%/*}" && pwd)

. "$here/xvfb_support.sh"
if [ "${1:-}" != "--inside" ]; then
  run_inside_xvfb 1024x768 xvfb-run xdotool python3 -- "$1" "$2"
fi

program=$2
work=$4
use_scratch_folders "$work"
# The desktop's opener, recording what it is asked to open.
printf '#!/bin/sh\necho "$1" >> "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH
cp "$3" "$work/drawing.jww"

fail() {
  echo "FAIL: $*"
  kill "$pid" 2>/dev/null || true
  exit 1
}

"$program" &
pid=$!
main=$(find_window '^Kyrovane Ver' 30) || fail "the main window did not show"
echo "main window $main"

start_conversion "$main" "$work/drawing.jww" || fail "no file dialogs"

for _ in $(seq 100); do
  [ -s "$work/opened" ] && break
  sleep 0.2
done
[ -s "$work/drawing.pdf" ] || fail "no PDF was written"
grep -q "drawing.pdf" "$work/opened" || fail "the PDF was not opened"
qpdf --check "$work/drawing.pdf" >/dev/null || fail "qpdf refuses the PDF"
pdfinfo "$work/drawing.pdf" | grep -q '^Pages: *1$' || fail "the PDF has not one page"

python3 "$here/close_window.py" "$main"
ends_within "$pid" 10 || fail "the program did not quit"
wait "$pid" || fail "the program quit with status $?"
echo "PASS: started, converted, opened the PDF and quit"
