#!/usr/bin/env bash
# The gallery: one frame of each shipped scene, drawn by `psftool render` exactly as the
# screensaver draws it at 640x480 (its camera and trails from the scene table), put together in one
# contact sheet with the scene names as captions. README.md shows the result.
#
# usage: scripts/gallery.sh [OUT.png]      (default scenes/gallery.png; builds the native preset
#                                           first when its psftool or scenes are missing)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-scenes/gallery.png}
build=build/native
psftool=$build/tools/psftool

# The frame shown of each scene: past its first particle lives, so it has settled, and at an angle
# of the orbiting camera that shows the scene's shape.
shots=(tube:1250 fountain:1200 swarm:1200 melt:1250 waterfall:1200 rain:1200 snow:1200)

missing=0
[ -x "$psftool" ] || missing=1
for shot in "${shots[@]}"; do
  [ -f "$build/scenes/${shot%%:*}.psf" ] || missing=1
done
if [ $missing -eq 1 ]; then
  scripts/build.sh native
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tiles=()
for shot in "${shots[@]}"; do
  name=${shot%%:*}
  frame=${shot#*:}
  "$psftool" render "$build/scenes/$name.psf" --seed 1 --frames "$frame" --out "$work/$name.png"
  tiles+=(-label "$name (frame $frame)" "$work/$name.png")
done

# Half-size tiles and a 256-colour palette keep the sheet small enough to live in the repository.
montage "${tiles[@]}" -tile 4x2 -geometry 320x240+6+6 -background black -fill '#c8c8c8' \
  -font DejaVu-Sans -pointsize 13 "$work/sheet.png"
convert "$work/sheet.png" -strip -colors 256 "PNG8:$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
