#!/usr/bin/env bash
# The run command: installs what is missing, builds, and shows what the system can show so far:
# a scene file checked by psftool.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh native windows
mkdir -p out
# The smallest well-formed scene file: the file tag and an empty root.
printf 'DHSP\0\0\0\0' > out/empty.psf
build/native/tools/psftool check out/empty.psf
