#!/usr/bin/env bash
# The test command: installs what is missing, builds every preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh native asan windows
jobs=$(nproc)
echo "== unit tests (native)"
ctest --preset native -j"$jobs"
echo "== unit tests (address and undefined-behaviour sanitizers)"
ctest --preset asan -j"$jobs"
echo "== all tests passed"
