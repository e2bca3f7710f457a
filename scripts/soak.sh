#!/usr/bin/env bash
# The soak run: each scene simulated for 1,000,000 steps (update and particle walk, as the
# screensaver runs it) with its live count and the process's memory sampled every 10,000 steps;
# fails when memory grows after the particle count has settled. Without scenes named it soaks the
# shipped scenes (scenes/shipped.txt) as the native build compiled them, and scenes made for the
# purpose that use every stored class. A run takes minutes per scene.
#   scripts/soak.sh [--steps N] [--every K] [SCENE.psf...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh native >/dev/null
options=()
scenes=()
while [ $# -gt 0 ]; do
  case $1 in
    --steps | --every) options+=("$1" "$2"); shift 2 ;;
    *) scenes+=("$1"); shift ;;
  esac
done
if [ ${#scenes[@]} -eq 0 ]; then
  build/native/tests/soak/soak_scenes build/soak-scenes
  shipped=$(python3 scripts/lib/shipped_scenes.py --dir build/native/scenes)
  mapfile -t scenes <<<"$shipped"
  scenes+=(build/soak-scenes/*.psf)
fi
exec build/native/tools/scene_soak "${options[@]}" "${scenes[@]}"
