# Shared by run.sh and test.sh: packages, builds, a virtual display, Wine.
# Sourced, not run.

ORLO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${ORLO_BUILD_DIR:-$ORLO_ROOT/build}
JOBS=$(nproc 2>/dev/null || echo 2)

ORLO_PACKAGES="cmake make g++ python3 g++-mingw-w64-x86-64-posix wine wine64 xvfb x11-utils
  imagemagick xdotool googletest libgtest-dev libbenchmark-dev zip clang libclang-rt-14-dev clang-format"

# The floors of the house from the top down: the folders of the layering
# table in docs/architecture.md, in its order.
orlo_floors() {
  awk '/^## Layering table/ { inside = 1; next }
       /^## / { inside = 0 }
       inside && /^\| `/ { split($0, cell, "|"); gsub(/[` ]/, "", cell[3]); split(cell[3], path, "/"); print path[1] }' \
    "$ORLO_ROOT/docs/architecture.md" | awk '!seen[$0]++'
}

# Installs the Debian packages that are missing (apt-get as root, else sudo).
orlo_install_packages() {
  local missing=()
  for p in $ORLO_PACKAGES; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

orlo_build_native() {
  cmake -S "$ORLO_ROOT" -B "$BUILD_DIR/native" -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build "$BUILD_DIR/native" -j"$JOBS"
}

# The unit tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
orlo_build_sanitize() {
  cmake -S "$ORLO_ROOT" -B "$BUILD_DIR/native-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLO_SANITIZE=ON >/dev/null &&
    cmake --build "$BUILD_DIR/native-sanitize" -j"$JOBS"
}

orlo_build_win64() {
  cmake -S "$ORLO_ROOT" -B "$BUILD_DIR/win64" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ORLO_ROOT/cmake/mingw-w64.cmake" >/dev/null &&
    cmake --build "$BUILD_DIR/win64" -j"$JOBS"
}

# Starts a virtual X display of our own and exports DISPLAY; stopped at exit.
orlo_start_xvfb() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  ORLO_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  trap 'orlo_stop' EXIT
}

# A Wine prefix inside the build folder, made on first use. On a display of
# our own there is no window manager: Wine is told not to wait for one (it
# would wait two seconds for each window it hides), and draws the frames itself.
orlo_wine_env() {
  export WINEPREFIX="$BUILD_DIR/wineprefix" WINEARCH=win64 WINEDEBUG=-all
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix (first run only)..."
    # No Mono or Gecko: their installers would wait for an answer nobody gives.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p  # stays up between the many short Wine runs of the tests
  local managed=Y
  [ -n "${ORLO_XVFB_PID:-}" ] && managed=N
  timeout 120 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d $managed /f >/dev/null 2>&1
  orlo_wine_dpi 96  # 100 %, whatever a run cut short left behind (tools/wine-dpi.sh)
}

# The display scale of the prefix in dots per inch, where Wine reads it; each
# Wine process reads it when it starts. Right after a `wineserver -k` (the end
# of a journey) a new Wine process can meet the server still going away: try
# again a moment later.
orlo_wine_dpi() {
  local key try out
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    for try in 1 2 3 4; do
      out=$(timeout 60 wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f 2>&1) && break
      [ $try -eq 4 ] && { echo "$out" | tail -5 >&2; return 1; }
      sleep 1
    done
  done
}

orlo_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  [ -n "${ORLO_XVFB_PID:-}" ] && kill "$ORLO_XVFB_PID" >/dev/null 2>&1
  return 0
}
