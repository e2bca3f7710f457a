#!/usr/bin/env bash
# Shows the screensaver under Wine as a user sees it: with SCENE.psf, that scene whatever the
# screensaver chooses (with the pictures beside it), else the shipped scenes. On $DISPLAY until a
# key, a click or a mouse move after three seconds ends it; without a display in its own Xvfb for
# a few seconds, with a screenshot and the chosen scene's name saved under out/.
#   scripts/show.sh [SCENE.psf] [--seconds S] [--out DIR]      (scripts/show.py --help for more)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Builds what is missing; an existing build is taken as it stands, so showing a scene is quick.
case " $* " in *" -h "* | *" --help "*) exec python3 "$root/scripts/show.py" --help ;; esac
[ -x "$root/build/windows/shell/ostrel.scr" ] || (cd "$root" && scripts/build.sh windows)
if [ ! -x "$root/build/native/tools/psftool" ] || [ ! -d "$root/build/native/scenes" ]; then
  (cd "$root" && scripts/build.sh native)
fi
exec python3 "$root/scripts/show.py" "$@"
