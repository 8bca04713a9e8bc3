#!/usr/bin/env bash
# Builds everything and runs every test: the format, layering and link checks, the
# native unit tests, the same with the sanitizers, a few seconds of each fuzz
# target, then the Windows build's tests under Wine on a virtual X display of
# their own (the windows in-process, at five display scales, and the user's
# journey with real X input; screenshots in build/screenshots). Then makes the
# release package build/dist/orloclock-win64.zip and its SHA256SUMS, and ends
# with the tests' weight against the product, which has a ceiling too.
set -u
. "$(dirname "$0")/tools/common.sh"
orlo_install_packages || exit 1

orlo_build_native || exit 1
orlo_build_sanitize || exit 1
orlo_build_win64 || exit 1

failed=0
# The sources keep the project's format (.clang-format); clang-format is one of
# the packages installed above, and its absence fails the run rather than skip the check.
if ! command -v clang-format >/dev/null; then
  echo "test.sh: clang-format is missing, so the format check cannot run"; failed=1
else
  (cd "$ORLO_ROOT" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror) || {
    echo "test.sh: sources not in the project's format (clang-format -i)"; failed=1; }
fi
# Each folder includes only the floors below it, in docs/architecture.md's order.
"$ORLO_ROOT/tools/layering.sh" || failed=1
# Every relative link in the README, CONTRIBUTING.md, CHANGELOG.md and docs/ resolves.
"$ORLO_ROOT/tools/links.sh" || failed=1
(cd "$BUILD_DIR/native" && ctest --output-on-failure) || failed=1
# A sanitizer's report aborts the test that made it.
(cd "$BUILD_DIR/native-sanitize" && ctest --output-on-failure) || failed=1
# Each fuzz target for a few seconds: they build and run (tools/fuzz/run.sh SECONDS runs them longer).
"$ORLO_ROOT/tools/fuzz/run.sh" 3 || failed=1

unset DISPLAY
orlo_start_xvfb
orlo_wine_env
(cd "$BUILD_DIR/win64" && ctest --output-on-failure --timeout 300) || failed=1

"$ORLO_ROOT/tools/package.sh" || failed=1

"$ORLO_ROOT/tools/testweight.sh" || failed=1

if [ $failed -ne 0 ]; then
  echo "test.sh: some tests FAILED"
  exit 1
fi
echo "test.sh: all tests passed"
