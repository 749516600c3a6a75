#!/usr/bin/env bash
# The real program under an X server: the main window closed by the window manager while a
# list conversion runs, on a desktop with no application for PDF files. The program completes
# the PDF, tells that it cannot open it, and ends once that message is answered.
#   xvfb_close_during_conversion.sh PROGRAM DRAWING.jww
set -euo pipefail
here=$(cd "${0%/*}" && pwd)

. "$here/xvfb_support.sh"
if [ "${1:-}" != "--inside" ]; then
  run_inside_xvfb 1024x768 xvfb-run xdotool python3 qpdf -- "$1" "$2"
fi

program=$2
work=$4
use_scratch_folders "$work"
cp "$3" "$work/drawing.jww"
# Long enough for the progress window to be seen before the list is done.
for _ in $(seq 3000); do printf '%s\r\n' "$work/drawing.jww"; done >"$work/plans.lst"
pid=

fail() {
  echo "FAIL: $*"
  [ -n "$pid" ] && kill -CONT "$pid" 2>/dev/null && kill "$pid" 2>/dev/null
  exit 1
}

# No desktop opener on the path: the PDF cannot be opened.
PATH=$work/bin "$program" &
pid=$!
main=$(find_window '^Kyrovane Ver' 30) || fail "the main window did not show"
start_conversion "$main" "$work/plans.lst" || fail "no file dialogs"

# The close is asked for while the program is stopped inside the conversion, so it certainly
# comes before the conversion's end and its message.
find_window '変換処理中' 60 >/dev/null || fail "no progress window"
kill -STOP "$pid"
xdotool search --onlyvisible --name '変換処理中' >/dev/null ||
  fail "the list was converted before the close could be asked for"
python3 "$here/close_window.py" "$main"
kill -CONT "$pid"

message=$(find_window '^Kyrovane$' 60) || fail "no message that the PDF cannot be opened"
qpdf --check "$work/plans.pdf" >/dev/null || fail "the PDF is not complete"
xdotool search --onlyvisible --name '^Kyrovane Ver' >/dev/null ||
  fail "the main window closed before the message was answered"
xdotool windowfocus --sync "$message" key Return
ends_within "$pid" 10 || fail "the program did not end after the message"
wait "$pid" || fail "the program quit with status $?"
echo "PASS: the close asked for during the conversion ended the program after its message"
