#!/usr/bin/env bash
# The test command: installs what is missing, builds every preset and runs every test: the unit
# tests natively and under the sanitizers, every fuzz target for a minute, then the end-to-end
# tests of ostrel.scr under Wine and of the Linux screensaver under XScreenSaver, with its package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh native asan windows
jobs=$(nproc)
echo "== unit tests (native)"
ctest --preset native -j"$jobs"
echo "== unit tests (address and undefined-behaviour sanitizers)"
ctest --preset asan -j"$jobs"
scripts/fuzz.sh 60
echo "== end-to-end tests (the Windows build under Wine, in virtual X servers)"
python3 tests/e2e/run_e2e.py --windows-build build/windows --out out
echo "== end-to-end tests of the Linux screensaver (Xvfb, the XScreenSaver daemon, the Debian package)"
packaging/debian/build-deb.sh out build/native
python3 tests/e2e/xscreensaver_tests.py --native-build build/native --out out
echo "== all tests passed"
