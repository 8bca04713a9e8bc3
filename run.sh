#!/usr/bin/env bash
# Builds the clock and starts it under Wine: on your display when there is
# one, otherwise on a virtual display of its own, with a screenshot saved to
# build/clock.png.   ./run.sh [--fr] [--for N]   (N: end it after N seconds)
set -u
. "$(dirname "$0")/tools/common.sh"

seconds=""
exe=orloclock.exe
while [ $# -gt 0 ]; do
  case "$1" in
    --for) seconds="$2"; shift 2 ;;
    --fr) exe=orloclock-fr.exe; shift ;;
    *) echo "usage: ./run.sh [--fr] [--for SECONDS]" >&2; exit 2 ;;
  esac
done

if [ "${OS:-}" = "Windows_NT" ]; then
  exec "$BUILD_DIR/win64/bin/$exe"   # built elsewhere; on Windows just start it
fi

orlo_install_packages || exit 1
orlo_build_win64 >/dev/null || { orlo_build_win64; exit 1; }

virtual=0
if [ -z "${DISPLAY:-}" ]; then
  orlo_start_xvfb
  virtual=1
fi
orlo_wine_env
trap 'orlo_stop' EXIT

wine "$BUILD_DIR/win64/bin/$exe" &
clock=$!

if [ $virtual -eq 1 ]; then
  for _ in $(seq 100); do
    xdotool search --name '^orlo clock$' >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 1
  # The clock and a margin around it.
  eval "$(xdotool search --onlyvisible --name '^orlo clock$' getwindowgeometry --shell 2>/dev/null | head -n 5)"
  crop=""
  [ -n "${WIDTH:-}" ] && crop="-crop $((WIDTH + 40))x$((HEIGHT + 40))+$((X > 20 ? X - 20 : 0))+$((Y > 20 ? Y - 20 : 0))"
  import -window root $crop "$BUILD_DIR/clock.png" && echo "Screenshot: $BUILD_DIR/clock.png"
  [ -z "$seconds" ] && echo "The clock runs on the virtual display $DISPLAY; Ctrl+C ends it."
fi

if [ -n "$seconds" ]; then
  sleep "$seconds"
  kill "$clock" >/dev/null 2>&1
else
  wait "$clock"
fi
