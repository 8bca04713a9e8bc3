#!/usr/bin/env bash
# resources.sh OBJDUMP BIN: the resources of every executable, read from the
# files by objdump as type/name/language: the clocks' icons, and in every
# program its version block and, as resource 1, its manifest, both in the
# language of the build; the version block as Explorer reads it (1.4.0.0, the
# About box's 1.4, in the build's language block and code page 1252). And the
# clock's imports: the DLLs that only a dialog needs (comdlg32, version) are
# loaded when it opens, not at every start; its two exported procedures.
objdump=$1 bin=$2 failed=0
fail() { echo "$exe.exe: $*"; failed=1; }
for exe in orloclock orloclock-fr orlocalc orlocalc-fr orlodate orlodate-fr; do
  if [[ $exe == *-fr ]]; then lang=0x00040c block=0C; else lang=0x000409 block=09; fi
  want="0x000010/0x000001/$lang 0x000018/0x000001/$lang"
  [[ $exe == orloclock* ]] && want="0x000003 0x00000e $want"
  dump=$("$objdump" -p "$bin/$exe.exe")
  got=$(sed -n '/Resource Directory section/,/^ Resources start/p' <<<"$dump" | awk '
    $2 == "Entry:" && match($0, /^[0-9a-f]+ +/) {
      depth = RLENGTH; id = $4; sub(/,$/, "", id)
      if (depth == 6) type = id; else if (depth == 8) name = id; else print type "/" name "/" id
    }' | sort -u)
  for w in $want; do grep -q "^$w" <<<"$got" || fail "no resource $w in: $got"; done
  [ "$(cut -d/ -f1 <<<"$got" | sort -u | xargs)" = "$(tr ' ' '\n' <<<"$want" | cut -d/ -f1 | sort -u | xargs)" ] ||
    fail "resource types not exactly those of $want: $got"
  strings=$(strings -el "$bin/$exe.exe" | paste -sd'|')
  [[ $strings == *"|04${block}04E4|FileDescription|"?*"|FileVersion|1.4.0.0|"*"|OriginalFilename|$exe.exe|ProductName|orlo clock|ProductVersion|1.4.0.0|"* ]] &&
    LC_ALL=C grep -qaP '\xBD\x04\xEF\xFE\x00\x00\x01\x00\x04\x00\x01\x00\x00\x00\x00\x00' "$bin/$exe.exe" &&
    LC_ALL=C grep -qaP "T\x00r\x00a\x00n\x00s\x00l\x00a\x00t\x00i\x00o\x00n\x00\x00\x00(\x00\x00)?\x$block\x04\xE4\x04" "$bin/$exe.exe" ||
    fail "version block $strings"
  [[ $exe != orloclock* ]] && continue
  ! grep -iE 'DLL Name: (comdlg32|version)\.dll' <<<"$dump" || fail "imports a DLL that only a dialog needs"
  [ "$(grep -cE '^\s\[ +[0-9]+\] (GETSYSFILEVER|INITCOMCTL32)$' <<<"$dump")" = 2 ] ||
    fail "does not export GETSYSFILEVER and INITCOMCTL32"
done
exit $failed
