#!/usr/bin/env python3
"""The shipped scenes, as scenes/shipped.txt lists them: the one list of the project's scenes, which
the build compiles and every script and test reads. Only the standard library.

usage: shipped_scenes.py [--dir DIR]   (prints one name per line, or with --dir the path of each
                                        scene file DIR/NAME.psf)
"""

import argparse
import os
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
LIST = os.path.join(ROOT, "scenes", "shipped.txt")


def shipped_scene_names():
    """The names in the order listed: lines neither empty nor comments, as the build reads them
    (it refuses a name that is not plain, so a line is taken as it stands)."""
    with open(LIST) as f:
        return [line.rstrip("\n") for line in f if line.strip() and not line.startswith("#")]


def shipped_scene_files(folder):
    """NAME.psf in the folder for every listed name; a missing one is an error, never skipped."""
    files = [os.path.join(folder, name + ".psf") for name in shipped_scene_names()]
    missing = [f for f in files if not os.path.isfile(f)]
    if missing:
        raise FileNotFoundError(f"shipped scenes not built: {', '.join(missing)} (build the native preset)")
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dir", help="print the scene files in this folder instead of the names")
    args = parser.parse_args()
    try:
        lines = shipped_scene_files(args.dir) if args.dir else shipped_scene_names()
    except FileNotFoundError as e:
        print(f"shipped_scenes: {e}", file=sys.stderr)
        return 1
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
