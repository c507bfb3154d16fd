# Shared by the screenshot tests (source it): photographs a program's windows on a real display.

# use_display_prefix PREFIX: runs Wine in the X11 prefix PREFIX and makes a temporary folder `work`,
# removed at exit; without the prefix the test is skipped (exit code 77).
use_display_prefix() {
  if [ ! -d "$1" ]; then
    echo "no X11 Wine prefix at $1 (tools/setup --gui makes it)"
    exit 77
  fi
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES=mshtml=
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}

# photograph EXE WORK [ARGS...]: runs EXE under Xvfb with Wine's X11 driver (the prefix in
# WINEPREFIX), passing ARGS and "/rects WORK/rects.txt /quit WORK/quit"; once the program has
# written its rectangles, photographs the screen into WORK/shot.ppm and lets the program close.
# Fails when the program reports nothing.
photograph() {
  local exe=$1 work=$2
  shift 2
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    work=$1 exe=$2
    shift 2
    /usr/lib/wine/wine64 "$exe" "$@" /rects "Z:$work/rects.txt" /quit "Z:$work/quit" &
    program=$!
    for _ in $(seq 1 600); do [ -s "$work/rects.txt" ] && break; sleep 0.1; done
    sleep 1
    import -window root "$work/shot.png"
    touch "$work/quit"
    wait $program
  ' _ "$work" "$exe" "$@"
  [ -s "$work/rects.txt" ] || { echo "the program reported no windows"; return 1; }
  convert "$work/shot.png" "$work/shot.ppm"
}
