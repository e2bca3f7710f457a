#!/usr/bin/env bash
# The timeline gallery: each shipped scene at 2 seconds, 30 seconds, 2 minutes and 5 minutes of a
# display at 60 frames a second (frames 120, 1800, 7200 and 18000), drawn by `psftool render`
# exactly as the screensaver draws them at 640x480 (camera and trails from the scene table), one
# row per scene, with captions. It shows at a glance whether a scene fills the screen at once and
# whether it goes on changing. Each frame's figures (lit share, mean grey, mean saturation) and
# each scene's frame rate are printed as they are drawn. README.md shows the sheet.
#
# usage: scripts/gallery.sh [--out OUT.png] [NAME...]
#   OUT.png defaults to scenes/gallery.png; the names default to every scene of scenes/shipped.txt.
#   Brings the native build's psftool and scenes up to date first. Each scene takes 18000 frames:
#   a few minutes on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
out=scenes/gallery.png
names=()
while [ $# -gt 0 ]; do
  case $1 in
    --out) [ $# -ge 2 ] || { echo "gallery.sh: --out needs a file" >&2; exit 1; }; out=$2; shift 2 ;;
    -h|--help) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "gallery.sh: unknown option '$1' (see --help)" >&2; exit 1 ;;
    *) names+=("$1"); shift ;;
  esac
done
[ ${#names[@]} -gt 0 ] || mapfile -t names < <(python3 scripts/lib/shipped_scenes.py)

build=build/native
psftool=$build/tools/psftool
frames=(120 1800 7200 18000)
captions=("2 s" "30 s" "2 min" "5 min")
# The frames shown are all multiples of this, so one run of each scene saves them all.
every=120

# The scenes as their sources stand now: the build recompiles a scene whose source changed.
if [ -f "$build/CMakeCache.txt" ]; then
  cmake --build "$build" --target shipped_scenes -j"$(nproc)" >/dev/null
else
  scripts/build.sh native
fi
for name in "${names[@]}"; do
  [ -f "$build/scenes/$name.psf" ] || { echo "gallery.sh: $name: not a shipped scene (scenes/shipped.txt)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
last=${frames[${#frames[@]}-1]}
tiles=()
for name in "${names[@]}"; do
  echo "== $name"
  "$psftool" render "$build/scenes/$name.psf" --seed 1 --frames "$last" --frames-dir "$work/$name" \
    --every $every --stats >"$work/$name.txt"
  for i in "${!frames[@]}"; do
    file=$(printf 'frame-%06d.png' "${frames[$i]}")
    echo "${captions[$i]} (frame ${frames[$i]}): $(grep "^$file: " "$work/$name.txt" | cut -d' ' -f2-)"
    mv "$work/$name/$file" "$work/$name-$file"
    tiles+=(-label "$name, ${captions[$i]}" "$work/$name-$file")
  done
  tail -n 1 "$work/$name.txt"
  rm -r "${work:?}/$name"
done

# Small tiles and a 128-colour palette keep the sheet small enough to live in the repository.
montage "${tiles[@]}" -tile 4x -geometry 192x144+3+3 -background black -fill '#c8c8c8' \
  -font DejaVu-Sans -pointsize 11 "$work/sheet.png"
convert "$work/sheet.png" -strip -colors 128 "PNG8:$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
