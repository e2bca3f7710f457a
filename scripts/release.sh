#!/usr/bin/env bash
# Builds the release archive: the screensaver, the seven scenes and their pictures, and a README
# for Windows users, as out/ostrel-VERSION.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh native windows
version=1.0b
archive=out/ostrel-$version.zip
mkdir -p out
python3 - "$archive" <<'PY'
import glob, os, sys, zipfile
archive = sys.argv[1]
files = ["build/windows/shell/ostrel.scr"]
files += sorted(glob.glob("build/native/scenes/*.psf"))
files += sorted(glob.glob("build/native/scenes/*.tga") + glob.glob("build/native/scenes/*.bmp"))
scenes = [f for f in files if f.endswith(".psf")]
if len(scenes) != 7:
    sys.exit(f"release: expected the seven scenes in build/native/scenes, found {len(scenes)}")
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as out:
    for path in files:
        out.write(path, os.path.basename(path))
    out.write("scripts/windows-readme.txt", "README.txt")
print(f"{archive}: {len(files) + 1} files")
PY
