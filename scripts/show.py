#!/usr/bin/env python3
"""Shows the screensaver as a user would see it: ostrel.scr /s under Wine, with the given scenes and
images in the Windows directory of a Wine prefix kept under build/.

With $DISPLAY set it runs there until the user ends it. Without one it starts its own 640x480
Xvfb, lets the screensaver run for a few seconds, saves a screenshot and the chosen scene's name
under the output folder, ends the run with a key press as a user would, and reports the exit code.
"""

import argparse
import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from winesession import Failure, WinePrefix, Xvfb, find_window, install_scenes, press, screenshot, wait_exit  # noqa: E402

# The scene file the run opens shows which row of its table it chose.
RELAY_OPEN = "KERNEL32.CreateFileA;KERNEL32.CreateFileW"


def chosen_scene(relay):
    for line in relay.lines():
        found = re.search(r'Call KERNEL32\.CreateFile[AW]\([0-9a-f]+ L?"(?:[^"]*\\\\)?([^"\\]+\.psf)"', line,
                          re.IGNORECASE)
        if found:
            return found.group(1)
    return "(none)"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--screensaver", default="build/windows/shell/ostrel.scr")
    parser.add_argument("--prefix", default="build/wine-prefix", help="the Wine prefix, made on first use")
    parser.add_argument("--out", default="out", help="where the screenshot goes without a display")
    parser.add_argument("--seconds", type=float, default=8.0, help="how long the run goes on without a display")
    parser.add_argument("--everywhere", action="store_true",
                        help="install the one scene given under every name of the screensaver's table")
    parser.add_argument("files", nargs="+", help="scene files and the images they name")
    args = parser.parse_args()

    prefix = os.path.abspath(args.prefix)
    logs = prefix + "-logs"
    os.makedirs(logs, exist_ok=True)
    wine = WinePrefix(prefix, logs)
    display = os.environ.get("DISPLAY")
    xvfb = None if display else Xvfb(640, 480)
    try:
        wine.use_display(display or xvfb.display)
        print("== preparing the Wine prefix (the first time takes a while)", flush=True)
        wine.ensure(RELAY_OPEN)
        shutil.copy(args.screensaver, os.path.join(wine.windows, "ostrel.scr"))
        scenes = [f for f in args.files if f.lower().endswith(".psf")]
        images = [f for f in args.files if not f.lower().endswith(".psf")]
        if args.everywhere:
            if len(scenes) != 1:
                raise Failure("--everywhere takes exactly one scene file")
            with open(scenes[0], "rb") as f:
                install_scenes(wine.windows, f.read(), images)
            print(f"   scene: {os.path.basename(scenes[0])} under every scene name", flush=True)
        else:
            install_scenes(wine.windows, None, args.files)
            print(f"   scenes: {', '.join(os.path.basename(s) for s in scenes)}", flush=True)

        process, relay = wine.start([r"C:\windows\ostrel.scr", "/s"], relay=True)
        if display:
            print(f"== ostrel.scr /s on {display}: a key, a click or a mouse move after three seconds ends it",
                  flush=True)
            code = process.wait()
            print(f"   scene: {chosen_scene(relay)}; exit code {code}")
            return 0 if code == 0 else 1

        print(f"== ostrel.scr /s in Xvfb {xvfb.display} (640x480) for {args.seconds:.0f} s", flush=True)
        window = find_window(xvfb.display, "^Ostrel Screensaver$", timeout=60, process=process)
        time.sleep(args.seconds)
        os.makedirs(args.out, exist_ok=True)
        picture = os.path.join(args.out, "screensaver.png")
        lit = screenshot(xvfb.display, picture)
        scene = chosen_scene(relay)
        with open(os.path.join(args.out, "screensaver-scene.txt"), "w") as f:
            f.write(scene + "\n")
        press(xvfb.display, window, "space")
        code = wait_exit(process, 30)
        print(f"   scene: {scene} (images: {', '.join(os.path.basename(i) for i in images) or 'none'})")
        print(f"   screenshot: {picture} ({lit:.1%} of the screen lit)")
        print(f"   ended by a key press with exit code {code}")
        return 0 if code == 0 else 1
    except Failure as failure:
        print(f"show: {failure}", file=sys.stderr)
        return 1
    finally:
        try:
            wine.close()
        finally:
            if xvfb:
                xvfb.stop()


if __name__ == "__main__":
    sys.exit(main())
