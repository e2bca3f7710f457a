# Sourced by the Windows package scripts, with their arguments OUT_DIR [WINDOWS_BUILD [NATIVE_BUILD]]
# (the builds default to build/windows and build/native). Sets root, out, windows_build,
# native_build, version and payload: the files an install puts into the Windows directory, where
# the screensaver looks for them (the screensaver, the shipped scenes and their pictures).

fail() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

[ $# -ge 1 ] && [ $# -le 3 ] || { echo "usage: $0 OUT_DIR [WINDOWS_BUILD [NATIVE_BUILD]]" >&2; exit 2; }
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=$(realpath -m "$1")
windows_build=$(realpath -m "${2:-$root/build/windows}")
native_build=$(realpath -m "${3:-$root/build/native}")
version=$(cat "$root/packaging/VERSION")

screensaver=$windows_build/shell/ostrel.scr
[ -f "$screensaver" ] || fail "$screensaver: missing; build the windows preset's ostrel target"
scene_files=$("$root/packaging/scene-files.sh" "$native_build")
payload=("$screensaver")
mapfile -t -O 1 payload <<<"$scene_files"
