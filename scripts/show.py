#!/usr/bin/env python3
"""Shows the screensaver as a user would see it: ostrel.scr /s under Wine, in a Wine prefix kept under
build/. Given a scene, that scene stands under the name of every shipped scene, so whatever the
screensaver chooses shows it, with the pictures that lie beside it; without one, the shipped scenes
(scenes/shipped.txt) as the native build made them, with their pictures.

With $DISPLAY set it runs there until the user ends it. Without one it starts its own 640x480
Xvfb, lets the screensaver run for a few seconds, saves a screenshot and the chosen scene's name
under the output folder, ends the run with a key press as a user would, and reports the exit code.
Run it as scripts/show.sh, which builds what is missing first.
"""

import argparse
import glob
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(ROOT, "scripts", "lib"))

from shipped_scenes import shipped_scene_files  # noqa: E402
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


def check_scene(psftool, path):
    """psftool's check first: a scene that does not load says why here rather than in a message box."""
    result = subprocess.run([psftool, "check", path], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0:
        raise Failure(result.stderr.strip())


def pictures_beside(scene):
    """The pictures a scene may name: they are looked up in the folder the scene lies in."""
    folder = os.path.dirname(os.path.abspath(scene))
    return sorted(f for f in glob.glob(os.path.join(folder, "*")) if f.lower().endswith((".tga", ".bmp")))


def told(chosen, scene):
    """The scene the screensaver chose, and what stood under its name when a scene was given."""
    return f"{chosen} (holding {os.path.basename(scene)})" if scene else chosen


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--screensaver", default=os.path.join(ROOT, "build/windows/shell/ostrel.scr"))
    parser.add_argument("--psftool", default=os.path.join(ROOT, "build/native/tools/psftool"),
                        help="checks SCENE before it is shown")
    parser.add_argument("--prefix", default=os.path.join(ROOT, "build/wine-prefix"),
                        help="the Wine prefix, made on first use")
    parser.add_argument("--out", default="out", help="where the screenshot goes without a display")
    parser.add_argument("--seconds", type=float, default=8.0, help="how long the run goes on without a display")
    parser.add_argument("--scenes", default=os.path.join(ROOT, "build/native/scenes"),
                        help="where the shipped scenes and their pictures are, without SCENE")
    parser.add_argument("scene", nargs="?", help="a scene file to show whatever the screensaver chooses")
    args = parser.parse_args()
    try:
        if args.scene:
            check_scene(args.psftool, args.scene)
            scenes = [args.scene]
        else:
            scenes = shipped_scene_files(args.scenes)
    except (Failure, FileNotFoundError) as failure:
        print(f"show: {failure}", file=sys.stderr)
        return 1
    images = pictures_beside(scenes[0])

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
        if args.scene:
            with open(args.scene, "rb") as f:
                install_scenes(wine.windows, f.read(), images)
            print(f"   scene: {args.scene} under every scene name", flush=True)
        else:
            install_scenes(wine.windows, None, scenes + images)
            print(f"   scenes: {', '.join(os.path.basename(s) for s in scenes)}", flush=True)

        process, relay = wine.start([r"C:\windows\ostrel.scr", "/s"], relay=True)
        if display:
            print(f"== ostrel.scr /s on {display}: a key, a click or a mouse move after three seconds ends it",
                  flush=True)
            code = process.wait()
            print(f"   scene: {told(chosen_scene(relay), args.scene)}; exit code {code}")
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
        pictures = ", ".join(os.path.basename(i) for i in images) or "none"
        print(f"   scene: {told(scene, args.scene)} (images: {pictures})")
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
