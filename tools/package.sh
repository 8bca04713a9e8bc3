#!/usr/bin/env bash
# Makes the release package build/dist/orloclock-win64.zip from the Windows
# build, and beside it SHA256SUMS: the zip's checksum and that of every file
# in it (sha256sum -c SHA256SUMS in build/dist checks both).
set -eu
. "$(dirname "$0")/common.sh"
bin="$BUILD_DIR/win64/bin"
stage="$BUILD_DIR/dist/orloclock"
rm -rf "$stage" "$BUILD_DIR/dist/orloclock-win64.zip" "$BUILD_DIR/dist/SHA256SUMS"
mkdir -p "$stage"
for exe in orloclock.exe orloclock-fr.exe orlocalc.exe orlodate.exe; do
  cp "$bin/$exe" "$stage/"
done
sed 's/$/\r/' "$ORLO_ROOT/docs/userguide.txt" > "$stage/README.txt"   # Windows line ends
cd "$BUILD_DIR/dist"
zip -q -X -r orloclock-win64.zip orloclock
# Every file the zip holds (those staged), then the zip itself.
find orloclock -type f | LC_ALL=C sort | xargs sha256sum > SHA256SUMS
sha256sum orloclock-win64.zip >> SHA256SUMS
sha256sum --quiet -c SHA256SUMS
echo "Package: $BUILD_DIR/dist/orloclock-win64.zip and SHA256SUMS"
