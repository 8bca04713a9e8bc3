#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, then the
# Windows build's tests under Wine on a virtual X display of their own.
set -u
. "$(dirname "$0")/tools/common.sh"
orlo_install_packages || exit 1

orlo_build_native || exit 1
orlo_build_win64 || exit 1

failed=0
(cd "$BUILD_DIR/native" && ctest --output-on-failure) || failed=1

unset DISPLAY
orlo_start_xvfb
orlo_wine_env
(cd "$BUILD_DIR/win64" && ctest --output-on-failure --timeout 300) || failed=1

if [ $failed -ne 0 ]; then
  echo "test.sh: some tests FAILED"
  exit 1
fi
echo "test.sh: all tests passed"
