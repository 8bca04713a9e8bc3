#!/usr/bin/env bash
# tools/scales.sh [DPI ...]: the real clock's first start at each display
# scale (default 96 144 192), each in a folder of its own, on a virtual
# display; a screenshot of each window in build/screenshots/scale-DPI.png and
# all of them side by side in build/screenshots/scales.png (docs/scaling.png).
set -u
. "$(dirname "$0")/common.sh"
orlo_build_win64 >/dev/null || { orlo_build_win64; exit 1; }
unset DISPLAY
orlo_start_xvfb
orlo_wine_env
shots="$BUILD_DIR/screenshots"
mkdir -p "$shots"
dpis=("$@")
[ ${#dpis[@]} -gt 0 ] || dpis=(96 144 192)
pictures=()
for dpi in "${dpis[@]}"; do
  orlo_wine_dpi "$dpi" || exit 1
  folder="$BUILD_DIR/scales/$dpi"
  rm -rf "$folder" && mkdir -p "$folder" && cp "$BUILD_DIR/win64/bin/orloclock.exe" "$folder/"
  wine "$folder/orloclock.exe" &
  clock=$!
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^orlo clock$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "scales.sh: no clock at $dpi dpi"; exit 1; }
  sleep 1  # its first paint
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shots/scale-$dpi.png"
  kill "$clock"
  wait "$clock" 2>/dev/null
  # Side by side, bottoms aligned, 12 white columns between.
  if [ ${#pictures[@]} -eq 0 ]; then
    pictures=("$shots/scale-$dpi.png")
  else
    pictures+=("(" "$shots/scale-$dpi.png" -gravity west -splice 12x0 ")")
  fi
done
orlo_wine_dpi 96
convert -background white "${pictures[@]}" -gravity south +append +repage "$shots/scales.png"
echo "Screenshots: $shots/scale-{$(IFS=,; echo "${dpis[*]}")}.png and $shots/scales.png"
