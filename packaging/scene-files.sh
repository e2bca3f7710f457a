#!/usr/bin/env bash
# Prints the files every package ships beside its screensaver, one path a line: the scenes listed
# in scenes/shipped.txt as the native build compiled them, then the pictures they name, each once.
# The pictures come from the scenes themselves (psftool check), so a package never carries a
# picture no scene uses nor misses one a scene needs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native_build=$(realpath "${1:-$root/build/native}")
scenes_dir=$native_build/scenes
psftool=$native_build/tools/psftool

fail() {
  echo "scene-files.sh: $*" >&2
  exit 1
}

[ -x "$psftool" ] || fail "$psftool: missing; build the native preset first"
names=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$root/scenes/shipped.txt")
[ -n "$names" ] || fail "$root/scenes/shipped.txt: lists no scene"

# Printed only once every scene has been checked, so that a caller never takes half a list.
scenes=()
pictures=()
for name in $names; do
  scene=$scenes_dir/$name.psf
  [ -f "$scene" ] || fail "$scene: missing; build the native preset's shipped_scenes target"
  scenes+=("$scene")
  summary=$("$psftool" check "$scene") || fail "$scene: psftool check failed"
  picture=$(sed -n 's/^image  *[A-Z]* ([A-Z]*) "\(.*\)", .*/\1/p' <<<"$summary")
  if [ -n "$picture" ] && [[ " ${pictures[*]} " != *" $picture "* ]]; then
    pictures+=("$picture")
  fi
done
printf '%s\n' "${scenes[@]}" "${pictures[@]/#/$scenes_dir/}"
