#!/usr/bin/env bash
# Builds the setup program OUT_DIR/ostrel-setup-VERSION.exe with NSIS from the windows and native
# builds (default build/windows and build/native) and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 OUT_DIR [WINDOWS_BUILD [NATIVE_BUILD]]" >&2; exit 2; }
out=$(realpath "$1")
windows_build=$(realpath "${2:-$root/build/windows}")
native_build=$(realpath "${3:-$root/build/native}")
version=$(cat "$root/packaging/VERSION")
setup=$out/ostrel-setup-$version.exe

fail() {
  echo "build-installer.sh: $*" >&2
  exit 1
}

for file in "$windows_build/shell/ostrel.scr" "$windows_build/shell/ostrel.ico"; do
  [ -f "$file" ] || fail "$file: missing; build the windows preset's ostrel target"
done
command -v makensis >/dev/null || fail "makensis: not installed (Debian package nsis)"
payload=("$windows_build/shell/ostrel.scr")
scene_files=$("$root/packaging/scene-files.sh" "$native_build")
mapfile -t -O 1 payload <<<"$scene_files"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# What is installed and what is removed come from the one list.
{
  echo '!macro InstallFiles'
  printf '  File "%s"\n' "${payload[@]}"
  echo '!macroend'
  echo '!macro RemoveFiles'
  for file in "${payload[@]}"; do
    printf '  Delete /REBOOTOK "$WINDIR\\%s"\n' "$(basename "$file")"
  done
  echo '!macroend'
} >"$work/files.nsh"

mkdir -p "$out"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$setup" -DICON="$windows_build/shell/ostrel.ico" \
  -DFILES="$work/files.nsh" "$root/packaging/windows/ostrel.nsi" >&2 || fail "makensis failed"
echo "$setup"
