#!/usr/bin/env bash
# The native suite on a Windows PC or runner, in an MSYS2 MINGW64 shell: installs the packages the
# README names, then configures, builds and runs the tests with the windows presets. Tests that would
# change the PC's settings or open its browser, and tests of the Linux side, are listed as not run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
packages=(mingw-w64-x86_64-gcc mingw-w64-x86_64-cmake mingw-w64-x86_64-ninja mingw-w64-x86_64-libpng
          mingw-w64-x86_64-gtest)
if command -v pacman >/dev/null; then
  pacman -S --needed --noconfirm "${packages[@]}"
else
  echo "windows-suite: no pacman: run this in an MSYS2 MINGW64 shell" >&2
  exit 1
fi
cmake --preset windows
status=0
ctest --preset windows || status=$?
# Among the figures: the Windows build the tests saw, and which of Corvane's branches it takes.
figures=build/windows/test-artifacts/figures.log
if [ -f "$figures" ]; then
  echo "windows-suite: figures the tests measured"
  cat "$figures"
fi
exit $status
