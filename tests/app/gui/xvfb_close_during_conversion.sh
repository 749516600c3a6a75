#!/usr/bin/env bash
# The real program under an X server, while a long list converts: input made during the
# conversion never acts after it, and a close of the main window asked for during it ends the
# program once the conversion and all its messages are done, wherever they come.
#   xvfb_close_during_conversion.sh PROGRAM DRAWING.jww
set -euo pipefail
here=$(cd "${0%/*}" && pwd)

. "$here/xvfb_support.sh"
if [ "${1:-}" != "--inside" ]; then
  run_inside_xvfb 1024x768 xvfb-run xdotool python3 qpdf -- "$1" "$2"
fi

program=$2
drawing=$3
scratch=$4
pid=

fail() {
  echo "FAIL: $*"
  [ -n "$pid" ] && kill -CONT "$pid" 2>/dev/null && kill "$pid" 2>/dev/null
  exit 1
}

# start CASE [opener]: the program in fresh folders of its own, with a list long enough for
# the progress window to be seen before it is done, whose line 3001 is no drawing. With
# "opener", the desktop opens PDF files by leaving WORK/opened; without, nothing opens them.
start() {
  work=$scratch/$1
  use_scratch_folders "$work"
  cp "$drawing" "$work/drawing.jww"
  echo "no drawing" >"$work/bad.jww"
  { for _ in $(seq 3000); do printf '%s\r\n' "$work/drawing.jww"; done
    [ "$1" = mid-list ] && printf '%s\r\n' "$work/bad.jww"
    for _ in $(seq 300); do printf '%s\r\n' "$work/drawing.jww"; done; } >"$work/plans.lst"
  if [ "${2:-}" = opener ]; then
    printf '#!/bin/sh\n: >"%s/opened"\n' "$work" >"$work/bin/xdg-open"
    chmod +x "$work/bin/xdg-open"
  fi
  PATH=$work/bin "$program" &
  pid=$!
  main=$(find_window '^Kyrovane Ver' 30) || fail "$1: the main window did not show"
}

# while_converting ACTION...: ACTION runs while the program is stopped inside the conversion,
# so that what it does certainly comes before the conversion's end and its messages.
while_converting() {
  find_window '変換処理中' 60 >/dev/null || fail "no progress window"
  kill -STOP "$pid"
  xdotool search --onlyvisible --name '変換処理中' >/dev/null ||
    fail "the list was converted before anything could be done during it"
  "$@"
  kill -CONT "$pid"
}

answer_message() {
  local message
  message=$(find_window '^Kyrovane$' 60) || fail "no message $1"
  xdotool search --onlyvisible --name '^Kyrovane Ver' >/dev/null ||
    fail "the main window closed before the message $1 was answered"
  xdotool windowfocus --sync "$message" key Return
  # The next message, if any, comes in place of this one.
  for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --name '^Kyrovane$' 2>/dev/null | head -n 1)" != "$message" ] &&
      return 0
    sleep 0.05
  done
  fail "the message $1 stayed"
}

ended() {
  ends_within "$pid" 10 || fail "$1: the program did not end"
  wait "$pid" || fail "$1: the program quit with status $?"
  pid=
}

# A drawing that is no drawing amid the list, and no application for the PDF: the close waits
# for both messages.
start mid-list
start_conversion "$main" "$work/plans.lst" || fail "mid-list: no file dialogs"
while_converting python3 "$here/close_window.py" "$main"
answer_message "that the drawing is invalid"
answer_message "that the PDF cannot be opened"
qpdf --check "$work/plans.pdf" >/dev/null || fail "mid-list: the PDF is not complete"
ended mid-list

# A second click on "PDF変換開始" made during the conversion starts nothing afterwards: the
# program, closed once the PDF is opened, ends instead of showing a second open dialog.
start second-click opener
start_conversion "$main" "$work/plans.lst" || fail "second click: no file dialogs"
while_converting xdotool mousemove --window "$main" 84 21 click 1
for _ in $(seq 600); do [ -e "$work/opened" ] && break; sleep 0.1; done
[ -e "$work/opened" ] || fail "second click: the PDF was not opened"
python3 "$here/close_window.py" "$main"
ended "second click (a second conversion started)"

# The list window's conversion, with no message at all: the list window closes, then the
# program ends.
start list-window opener
xdotool mousemove --window "$main" 50 118 click 1
list=$(find_window '^リスト編集$' 20) || fail "list window: it did not open"
xdotool mousemove --window "$list" 660 204 click 1  # "lst読み込み"
open=$(find_window '^開く$' 20) || fail "list window: no open dialog"
xdotool windowfocus --sync "$open"
sleep 0.5
xdotool type --delay 20 "$work/plans.lst"
xdotool key Return
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^開く$' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^開く$' >/dev/null 2>&1 && fail "list window: the list was not chosen"
wait_idle "$pid"  # the list's 3301 drawings are read
xdotool mousemove --window "$list" 660 394 click 1  # "変換開始"
save=$(find_window '名前を付けて保存' 60) || fail "list window: no save dialog"
xdotool windowfocus --sync "$save"
sleep 0.5
xdotool key Return
while_converting python3 "$here/close_window.py" "$main"
ended "list window"
[ -e "$work/opened" ] || fail "list window: the PDF was not opened"
echo "PASS: input during a conversion never acts after it; a close asked for then ends the program after the conversion and its messages"
