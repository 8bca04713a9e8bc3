#!/usr/bin/env bash
# tools/testweight.sh [--by-file]: the weight of the tests against the product,
# in tokens (tools/testweight.py counts them; comments and layout are free), of
# the files git knows, untracked ones included. Product: the C++, resource-script
# and template files (.c .cc .cpp .h .hpp .rc .in) of the floors (orlo_floors)
# and resources/. Tests: everything under tests/ and tools/fuzz but the fuzz
# seeds, which are data. Prints the shares and exits 1 above the ceiling.
set -u
cd "$(dirname "$0")/.." || exit 2
. tools/common.sh
# Per cent of the product: every costly fault has a test, a glance at the clock covers the rest.
# The aim is 45; what stands above it (about 1 200 tokens) is tests that are the
# only owners of costly faults: every save's way into the file (AppearanceWindow.
# ChosenSettingsComeBackAndEverySaveEndsInTheFile, 877), damaged places, the
# defaults of missing keys and the auto-save (AppearanceWindow.DamagedPlaces
# MissingKeysAndTheAutoSave, 568), a window kept reachable (WindowModes.
# KeptReachableOnTheScreen, 502). The ceiling is the figure reached (49.2 %),
# with a little room for the token count's own rounding.
TESTS_CEILING=49.5

files() { git ls-files --cached --others --exclude-standard "$@"; }
mapfile -t product < <(files $(orlo_floors) resources | grep -E '\.(c|cc|cpp|h|hpp|rc|in)$')
mapfile -t tests < <(files tests tools/fuzz | grep -v '^tools/fuzz/seeds/')
python3 tools/testweight.py --ceiling "$TESTS_CEILING" "$@" "${product[@]}" -- "${tests[@]}"
