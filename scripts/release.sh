#!/usr/bin/env bash
# Builds the release under out/: the Windows setup program, the archive for those who install by
# hand, the Debian package, and SHA256SUMS of every released file. Builds only what the release holds, so a built tree
# releases in seconds. Each package is made by its own script, which prints the files it wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs" --target ostrel psftool
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs" --target shipped_scenes ostrel hack_settings psftool

out=out
mkdir -p "$out"
released=()
released+=("$(packaging/windows/build-installer.sh "$out")")
released+=("$(packaging/windows/build-zip.sh "$out")")
released+=("$(packaging/debian/build-deb.sh "$out")")
names=("${released[@]##*/}")
(cd "$out" && sha256sum -- "${names[@]}" >SHA256SUMS)
for name in "${names[@]}" SHA256SUMS; do
  echo "$out/$name: $(stat -c %s "$out/$name") bytes"
done
