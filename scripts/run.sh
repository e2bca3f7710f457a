#!/usr/bin/env bash
# The run command: installs what is missing, builds the screensaver and the scenes, and shows the
# screensaver under Wine: on $DISPLAY when there is one (a key, a click or a mouse move after
# three seconds ends it), else in its own Xvfb for a few seconds, with a screenshot and the chosen
# scene's name saved under out/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh native windows

# The shipped scenes and their textures, as the native build made them.
scripts/show.sh --out out
