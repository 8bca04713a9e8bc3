#!/usr/bin/env bash
# wine-dpi.sh DPI COMMAND...
# Runs COMMAND with Wine's display scale at DPI dots per inch (96 is 100 %) in
# the current prefix, with ORLO_DPI=DPI in its environment, and puts 96 back
# afterwards.
. "$(dirname "$0")/common.sh"
dpi=$1
shift
orlo_wine_dpi "$dpi" || { echo "wine-dpi.sh: could not set the display scale to $dpi dpi"; exit 1; }
trap 'orlo_wine_dpi 96' EXIT
ORLO_DPI=$dpi "$@"
