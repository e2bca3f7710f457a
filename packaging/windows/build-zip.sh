#!/usr/bin/env bash
# Builds the archive OUT_DIR/ostrel-VERSION.zip, for those who install by hand and for scene
# authors: what the setup program installs, psftool.exe, a README for Windows users (CRLF line
# endings, for Notepad) and SHA256SUMS of all of them; prints its path.
set -euo pipefail
source "$(dirname "$0")/payload.sh"
psftool_exe=$windows_build/tools/psftool.exe
archive=$out/ostrel-$version.zip
[ -f "$psftool_exe" ] || fail "$psftool_exe: missing; build the windows preset's psftool target"
command -v zip >/dev/null || fail "zip: not installed (Debian package zip)"

scenes=()
for file in "${payload[@]}"; do
  [[ $file == *.psf ]] && scenes+=("$(basename "$file" .psf)")
done
numbers=(no one two three four five six seven eight nine ten eleven twelve)
count=${numbers[${#scenes[@]}]:-${#scenes[@]}}
names=$(printf '%s, ' "${scenes[@]}")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "${payload[@]}" "$psftool_exe" "$work/"
sed -e "s/@VERSION@/$version/g" -e "s/@SCENE_COUNT@/$count/g" -e "s/@SCENE_NAMES@/${names%, }/g" -e 's/$/\r/' \
  "$root/packaging/windows/readme.txt" >"$work/README.txt"
(cd "$work" && sha256sum -- * >SHA256SUMS)

mkdir -p "$out"
rm -f "$archive"
(cd "$work" && zip -q -X "$archive" -- *) || fail "$archive: zip failed"
echo "$archive"
