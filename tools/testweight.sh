#!/usr/bin/env bash
# tools/testweight.sh: the weight of the tests against the product, in
# non-blank lines of the files git knows. Product: the C++, resource-script and
# template files (.c .cc .cpp .h .hpp .rc .in) of the product's folders (the
# floors of the README's layout table, and resources/). Tests: everything
# under tests/ and the fuzz targets in tools/fuzz, and of it the C++. Prints
# both shares and exits 1 when either is above its ceiling.
set -u
cd "$(dirname "$0")/.." || exit 2
. tools/common.sh
# The aim is 40 and 35 %; these ceilings are where the suite stands with one
# test for each behaviour (README, "Tests"): a new test makes room for itself.
TESTS_CEILING=45  # per cent of the product, all test code
CPP_CEILING=37    # per cent of the product, the C++ of it

files() { git ls-files --cached --others --exclude-standard "$@"; }
lines() { xargs -r cat | grep -c -v '^[[:space:]]*$'; }
product=$(files $(orlo_floors) resources | grep -E '\.(c|cc|cpp|h|hpp|rc|in)$' | lines)
tests=$(files tests tools/fuzz | lines)
cpp=$(files tests tools/fuzz | grep -E '\.(c|cc|cpp|h|hpp)$' | lines)
[ "$product" -gt 0 ] || { echo "testweight.sh: no product lines found"; exit 2; }
percent() { echo $(( (100 * $1 + $product - 1) / $product )); }  # rounded up
echo "Test weight: test code $tests lines, $(percent $tests) % of the product's $product (at most $TESTS_CEILING %);" \
  "C++ test code $cpp lines, $(percent $cpp) % (at most $CPP_CEILING %)"
[ "$(percent $tests)" -le $TESTS_CEILING ] && [ "$(percent $cpp)" -le $CPP_CEILING ]
