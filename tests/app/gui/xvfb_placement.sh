#!/usr/bin/env bash
# The real program under an X server with a window manager (openbox): where the main window
# starts from the place and state the last session stored. A window closed minimised starts
# minimised and stays so wherever it was, also near the screen's edges and on a screen that
# is gone; restored, and started normally, it lies on the screen. A panel takes the top of the
# screen: the main window at its first start, the list window and the settings dialogs open in
# the middle of the rest, the work area, frame included, the dialogs at every opening.
#   xvfb_placement.sh PROGRAM
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  . "${0%/*}/xvfb_support.sh"
  run_inside_xvfb 1280x900 xvfb-run openbox xdotool xprop xwininfo python3 -- "$1"
fi

here=$(cd "${0%/*}" && pwd)
program=$2
work=$3
export QT_QPA_PLATFORM=xcb
# The window manager keeps the top 40 pixels free, as for a panel.
cat >"$work/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>40</top><bottom>0</bottom><left>0</left><right>0</right></margins>
</openbox_config>
EOF
openbox --config-file "$work/rc.xml" >"$work/openbox.log" 2>&1 &
openbox_pid=$!
pid=
trap 'kill $pid $openbox_pid 2>/dev/null || true' EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

# Runs the command until it succeeds, for at most SECONDS; fails when it never does. The
# deadlines are many times what an idle machine needs, so that a busy one passes too.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

wm_running() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}
wait_for 30 wm_running || fail "the window manager did not start"
work_area() {
  xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= 0, 40, 1280, 860'
}
wait_for 30 work_area || fail "the window manager kept no room for a panel"

# The window's state as the window manager keeps it: Iconic or Normal.
state() {
  xprop -id "$window" WM_STATE 2>/dev/null | sed -n 's/.*window state: *//p'
}

# Sets $frame to "x y width height" of the window with the frame that openbox puts round it.
framed() {
  local x y w h left right top bottom
  read -r x y w h left right top bottom <<<"$(xwininfo -id "$1" |
    sed -n -e 's/^ *Absolute upper-left [XY]: *//p' -e 's/^ *\(Width\|Height\): *//p' |
    tr '\n' ' ') $(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ',')"
  [ -n "$bottom" ] || return 1
  frame="$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# Whether the framed window lies on the 1280x900 screen.
on_screen() {
  local x y w h
  framed "$window" || return 1
  read -r x y w h <<<"$frame"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 900 ]
}

# Starts the program with an ini file holding the place and state, and the layout (Mode=1 for
# the detail one, 0 by default); sets $pid and $window.
start() {
  local config=$work/$1
  mkdir -p "$config/Kyrovane" "$work/runtime"
  chmod 700 "$work/runtime"
  printf '[Environment]\r\nSave=1\r\nTop=%s\r\nLeft=%s\r\nIcon=%s\r\nMode=%s\r\n' \
    "$2" "$3" "$4" "${5:-0}" >"$config/Kyrovane/Kyrovane.ini"
  XDG_CONFIG_HOME=$config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data \
    XDG_RUNTIME_DIR=$work/runtime "$program" &
  pid=$!
  wait_for 30 main_window_up || fail "the main window did not come up (Top=$2 Left=$3 Icon=$4)"
}

# Sets $window to this run's main window (not one of a run just stopped) once the window
# manager has given it a state.
main_window_up() {
  window=$(xdotool search --all --pid "$pid" --name '^Kyrovane Ver' 2>/dev/null | head -n 1) ||
    true
  [ -n "$window" ] && [ -n "$(state)" ]
}

stop() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# The state over three seconds, long enough for any settling move to have happened.
stays_iconic() {
  for step in $(seq 12); do
    [ "$(state)" = "Iconic" ] || fail "$1: not minimised after $((step * 250)) ms"
    sleep 0.25
  done
}

# Near the bottom right corner, with the frame reaching past the edges.
start near-edge 743 981 1
stays_iconic "near the edges"
restored() {
  xdotool windowactivate "$window" 2>/dev/null || true
  [ "$(state)" = "Normal" ]
}
wait_for 30 restored || fail "the minimised window could not be restored"
# Restored, the window moves onto the screen once its place has settled.
wait_for 30 on_screen || fail "restored off the screen: $frame"
stop

# A place on a screen that is no longer there.
start gone-screen 5000 5000 1
stays_iconic "from a screen that is gone"
stop

# Not minimised, the same place near the edges: shown, and snapped onto the screen.
start near-edge-normal 743 981 0
shown() {
  [ "$(state)" = "Normal" ] && on_screen
}
if ! wait_for 30 shown; then
  [ "$(state)" = "Normal" ] || fail "the window did not show"
  fail "shown off the screen: $frame"
fi
stop

# The dialogs, each opened by a click at its button in the window OWNER (X Y in client
# coordinates) and closed by the window manager.
opened() {
  dialog=$(xdotool search --all --pid "$pid" --onlyvisible --name "^$1\$" 2>/dev/null |
    head -n 1) || true
  [ -n "$dialog" ] && framed "$dialog"
}
# Whether the framed window (with "client", its client area) lies in the middle of the work
# area (0 40 1280 860), within the pixel that halving an odd size leaves.
centred() {
  local x y w h
  if [ "${2:-}" = client ]; then
    framed "$1" || return 1
    frame=$(xwininfo -id "$1" |
      sed -n -e 's/^ *Absolute upper-left [XY]: *//p' -e 's/^ *\(Width\|Height\): *//p' |
      tr '\n' ' ')
  else
    framed "$1" || return 1
  fi
  read -r x y w h <<<"$frame"
  [ $((2 * x + w - 1280)) -ge -1 ] && [ $((2 * x + w - 1280)) -le 1 ] &&
    [ $((2 * (y - 40) + h - 860)) -ge -1 ] && [ $((2 * (y - 40) + h - 860)) -le 1 ]
}
closed() {
  ! xwininfo -id "$dialog" 2>/dev/null | grep -q 'Map State: IsViewable'
}
# open_centred CAPTION OWNER X Y: the frame is centred on the screen and exactly where it was
# at the dialog's opening before; sets $dialog.
declare -A placed
open_centred() {
  xdotool mousemove --window "$2" "$3" "$4" click 1
  wait_for 30 opened "$1" || fail "\"$1\" did not open"
  wait_for 10 centred "$dialog" || fail "\"$1\" opened off the middle: $frame"
  [ "${placed[$1]:-$frame}" = "$frame" ] ||
    fail "\"$1\" opened at $frame, the time before at ${placed[$1]}"
  placed[$1]=$frame
}
close_dialog() {
  python3 "$here/close_window.py" "$dialog"
  wait_for 30 closed || fail "a dialog did not close"
}
twice_centred() {
  open_centred "$@"
  close_dialog
  open_centred "$@"
  close_dialog
}

# No stored place: the main window is centred in the layout it shows, here the narrower basic
# one, by its client area (no window of the program tells its frame before it is shown); the
# list window frame included, once its own frame is known.
start first -1 -1 0 0
wait_for 30 on_screen || fail "the main window did not show"
wait_for 10 centred "$window" client || fail "the main window started off the middle: $frame"
xdotool mousemove --window "$window" 50 118 click 1
wait_for 30 opened "リスト編集" || fail "\"リスト編集\" did not open"
close_dialog
open_centred "リスト編集" "$window" 50 118
close_dialog
stop

start dialogs -1 -1 0 1
wait_for 30 on_screen || fail "the main window did not show"
main_width=$(xwininfo -id "$window" | sed -n 's/^ *Width: *//p')
twice_centred "詳細設定" "$window" $((main_width - 30)) 118
open_centred "詳細設定" "$window" $((main_width - 30)) 118
detail=$dialog
twice_centred "レイヤーの色" "$detail" 175 307
twice_centred "カスタム色設定" "$detail" 262 307
twice_centred "設定のプロパティ" "$detail" 150 354
stop

echo "PASS: minimised starts stay minimised; shown windows lie on the screen; the main window" \
  "and the dialogs open centred in the work area, the dialogs every time"
