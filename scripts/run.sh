#!/usr/bin/env bash
# The run command: installs what is missing, builds the screensaver and the scenes, and shows the
# screensaver under Wine: on $DISPLAY when there is one (a key, a click or a mouse move after
# three seconds ends it), else in its own Xvfb for a few seconds, with a screenshot and the chosen
# scene's name saved under out/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh native windows
mkdir -p out

# The shipped scenes and their textures, built with the native tools; until there are any, the
# end-to-end tests' own demo scene stands in for every scene name.
shopt -s nullglob
scenes=(build/native/scenes/*.psf)
if [ ${#scenes[@]} -gt 0 ]; then
  python3 scripts/show.py --out out build/native/scenes/*.psf build/native/scenes/*.tga build/native/scenes/*.bmp
else
  python3 tests/e2e/make_scene.py build/demo-scene
  python3 scripts/show.py --out out --everywhere build/demo-scene/fountain-demo.psf build/demo-scene/spark.tga
fi
