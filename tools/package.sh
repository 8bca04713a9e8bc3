#!/usr/bin/env bash
# Makes the release package build/dist/orloclock-win64.zip from the Windows
# build, and beside it SHA256SUMS: the zip's checksum and that of every file
# in it (sha256sum -c SHA256SUMS in build/dist checks both). The zip holds one
# folder, orloclock\, with the six programs (English and French), README.txt
# made from docs/user-guide.md and LICENSE.txt.
set -euo pipefail
. "$(dirname "$0")/common.sh"
bin="$BUILD_DIR/win64/bin"
stage="$BUILD_DIR/dist/orloclock"
rm -rf "$stage" "$BUILD_DIR/dist/orloclock-win64.zip" "$BUILD_DIR/dist/SHA256SUMS"
mkdir -p "$stage"
for exe in orloclock.exe orloclock-fr.exe orlocalc.exe orlocalc-fr.exe orlodate.exe orlodate-fr.exe; do
  cp "$bin/$exe" "$stage/"
done

# Plain text for Notepad: Windows-1252 with Windows line ends.
windows_text() { iconv -f UTF-8 -t WINDOWS-1252 | sed 's/$/\r/'; }

# README.txt is docs/user-guide.md made plain: headings underlined, pictures
# left out, a link kept as its text and its address (docs/... for a page
# beside the guide), no Markdown marks. The guide is the one user text:
# README.txt is made from it here, never kept beside it.
plain_guide() {
  awk '
    /^!\[/ { next }
    /^```/ { next }
    {
      while (match($0, /\[[^]]*\]\([^)]*\)/)) {
        link = substr($0, RSTART, RLENGTH)
        text = link; sub(/\].*/, "", text); sub(/^\[/, "", text)
        url = link; sub(/^[^]]*\]\(/, "", url); sub(/\)$/, "", url)
        if (url ~ /^https?:/) text = text " (" url ")"
        else { sub(/#.*/, "", url); text = text " (docs/" url ")" }
        $0 = substr($0, 1, RSTART - 1) text substr($0, RSTART + RLENGTH)
      }
      gsub(/\*\*/, ""); gsub(/`/, "")
    }
    /^# / { sub(/^# /, ""); print; gsub(/./, "="); print; next }
    /^## / { sub(/^## /, ""); print; gsub(/./, "-"); print; next }
    /^### / { sub(/^### /, "") }
    { print }' "$ORLO_ROOT/docs/user-guide.md" | cat -s
}
plain_guide | windows_text > "$stage/README.txt"
windows_text < "$ORLO_ROOT/LICENSE" > "$stage/LICENSE.txt"
cd "$BUILD_DIR/dist"
zip -q -X -r orloclock-win64.zip orloclock
# Every file the zip holds (those staged), then the zip itself.
find orloclock -type f | LC_ALL=C sort | xargs sha256sum > SHA256SUMS
sha256sum orloclock-win64.zip >> SHA256SUMS
sha256sum --quiet -c SHA256SUMS
echo "Package: $BUILD_DIR/dist/orloclock-win64.zip and SHA256SUMS"
