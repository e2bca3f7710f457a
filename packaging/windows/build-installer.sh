#!/usr/bin/env bash
# Builds the setup program OUT_DIR/ostrel-setup-VERSION.exe with NSIS and prints its path.
set -euo pipefail
source "$(dirname "$0")/payload.sh"
icon=$windows_build/shell/ostrel.ico
setup=$out/ostrel-setup-$version.exe
[ -f "$icon" ] || fail "$icon: missing; build the windows preset's ostrel target"
command -v makensis >/dev/null || fail "makensis: not installed (Debian package nsis)"

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
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$setup" -DICON="$icon" -DFILES="$work/files.nsh" \
  "$root/packaging/windows/ostrel.nsi" >&2 || fail "makensis failed"
echo "$setup"
