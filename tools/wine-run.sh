#!/usr/bin/env bash
# Runs a Windows program under Wine with its exit code; ctest's emulator for
# the Windows build. The caller provides DISPLAY and WINEPREFIX (test.sh does).
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
exec wine "$@"
