# Sourced by the tests that run the real program on an X server.

# run_inside_xvfb SCREEN TOOL... -- ARGUMENT...: skips the test (status 77) when a tool is
# missing, otherwise runs the calling script again on a fresh Xvfb screen as
# "SCRIPT --inside ARGUMENT... SCRATCH_FOLDER" and exits with its status.
run_inside_xvfb() {
  local screen=$1 tool
  shift
  while [ "$1" != "--" ]; do
    tool=$1
    shift
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
  shift
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  xvfb-run -a -s "-screen 0 ${screen}x24" bash "$0" --inside "$@" "$work"
  exit
}

# use_scratch_folders WORK: the program's settings, caches, registrations and runtime files go
# into WORK, and it runs on the X server (xcb); WORK/bin is made for stand-in programs.
use_scratch_folders() {
  export XDG_CONFIG_HOME=$1/config XDG_CACHE_HOME=$1/cache XDG_DATA_HOME=$1/data
  export XDG_RUNTIME_DIR=$1/runtime QT_QPA_PLATFORM=xcb
  mkdir -p "$1/bin" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# find_window TITLE SECONDS: the id of the first visible window whose title matches, waiting up
# to SECONDS. A search can fail with BadWindow when another window closes meanwhile (a dialog
# going away), so it is retried instead of trusted once.
find_window() {
  local found
  for _ in $(seq $(($2 * 20))); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [ -n "$found" ] && echo "$found" && return 0
    sleep 0.05
  done
  return 1
}

# ends_within PID SECONDS: whether the process has ended within SECONDS.
ends_within() {
  for _ in $(seq $(($2 * 10))); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# wait_idle PID: until the process has used no processor time for half a second (at most a
# minute), so that input made then finds it waiting for input, whatever the machine's load.
wait_idle() {
  local last= now
  for _ in $(seq 120); do
    now=$(awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null) || return 0
    [ "$now" = "$last" ] && return 0
    last=$now
    sleep 0.5
  done
}

# start_conversion MAIN_WINDOW INPUT: "PDF変換開始", then INPUT typed into the open dialog and
# the proposed name saved; fails when a dialog does not come.
start_conversion() {
  local open save
  xdotool mousemove --window "$1" 84 21 click 1
  open=$(find_window '開く' 20) || return 1
  xdotool windowfocus --sync "$open"
  sleep 0.5
  xdotool type --delay 20 "$2"
  xdotool key Return
  save=$(find_window '名前を付けて保存' 20) || return 1
  xdotool windowfocus --sync "$save"
  sleep 0.5
  xdotool key Return
}
