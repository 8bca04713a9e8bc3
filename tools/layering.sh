#!/usr/bin/env bash
# tools/layering.sh: each folder of the product includes only its own files
# and those of the folders below it. The floors, from the top down, are the
# folders of the layering table in docs/architecture.md, in its order. Prints
# every include that reaches up (or out of the product) and exits 1 if any.
set -u
cd "$(dirname "$0")/.." || exit 2

. tools/common.sh
floors=$(orlo_floors)
if [ "$(echo "$floors" | wc -w)" -lt 2 ]; then
  echo "layering.sh: no floors found in docs/architecture.md's \"Layering table\""
  exit 2
fi

breaches=0
below=" $(echo $floors) "
for floor in $floors; do
  below=${below/ $floor / }  # the floors under this one
  while IFS=: read -r file line include; do
    target=${include#*\"}
    target=${target%%/*}
    [ "$target" = "$floor" ] && continue
    case "$below" in *" $target "*) continue ;; esac
    echo "$file:$line: $floor/ includes $target/, which is not below it"
    breaches=$((breaches + 1))
  done < <(git ls-files --cached --others --exclude-standard "$floor" | grep -E '\.(c|cc|cpp|h|hpp)$' | xargs -r grep -n -H -E '^\s*#\s*include\s+"[^"/]+/')
done
[ $breaches -eq 0 ] && echo "layering.sh: every include stands on a floor below ($(echo $floors | sed 's/ / > /g'))"
[ $breaches -eq 0 ]
