#!/usr/bin/env bash
# Makes the release package build/dist/orloclock-win64.zip from the Windows build.
set -eu
. "$(dirname "$0")/common.sh"
bin="$BUILD_DIR/win64/bin"
stage="$BUILD_DIR/dist/orloclock"
rm -rf "$stage" "$BUILD_DIR/dist/orloclock-win64.zip"
mkdir -p "$stage"
for exe in orloclock.exe orloclock-fr.exe orlocalc.exe orlodate.exe; do
  cp "$bin/$exe" "$stage/"
done
sed 's/$/\r/' "$ORLO_ROOT/docs/userguide.txt" > "$stage/README.txt"   # Windows line ends
(cd "$BUILD_DIR/dist" && zip -q -r orloclock-win64.zip orloclock)
echo "Package: $BUILD_DIR/dist/orloclock-win64.zip"
