#!/usr/bin/env bash
# resources.sh OBJDUMP BIN: the resources of every executable, read from the
# files by objdump as type/name/language: the clocks' icons, and in every
# program its version block and, as resource 1, its manifest, both in the
# language of the build. And the clock's imports: the DLLs that only a dialog
# needs (comdlg32, version) are loaded when it opens, not at every start.
objdump=$1 bin=$2 failed=0
listing() {
  "$objdump" -p "$1" | sed -n '/Resource Directory section/,/^ Resources start/p' | awk '
    $2 == "Entry:" && match($0, /^[0-9a-f]+ +/) {
      depth = RLENGTH; id = $4; sub(/,$/, "", id)
      if (depth == 6) type = id; else if (depth == 8) name = id; else print type "/" name "/" id
    }' | sort -u
}
for exe in orloclock orloclock-fr orlocalc orlocalc-fr orlodate orlodate-fr; do
  lang=0x000409
  [[ $exe == *-fr ]] && lang=0x00040c
  want="0x000010/0x000001/$lang 0x000018/0x000001/$lang"
  [[ $exe == orloclock* ]] && want="0x000003 0x00000e $want"
  got=$(listing "$bin/$exe.exe")
  for w in $want; do
    grep -q "^$w" <<<"$got" || { echo "$exe.exe: no resource $w in:"; echo "$got"; failed=1; }
  done
  types=$(cut -d/ -f1 <<<"$got" | sort -u | xargs)
  [ "$types" = "$(tr ' ' '\n' <<<"$want" | cut -d/ -f1 | sort -u | xargs)" ] ||
    { echo "$exe.exe: resource types $types"; failed=1; }
  if [[ $exe == orloclock* ]] && "$objdump" -p "$bin/$exe.exe" | grep -iE 'DLL Name: (comdlg32|version)\.dll'; then
    echo "$exe.exe: imports a DLL that only a dialog needs"
    failed=1
  fi
done
exit $failed
