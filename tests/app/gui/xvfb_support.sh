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
