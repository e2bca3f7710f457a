#!/usr/bin/env python3
"""End-to-end tests of the real ostrel.scr under Wine, in virtual X servers.

One private Wine prefix is made per run and shared by its tests. Tests that need the display
switch to 640 x 480 to succeed run on a 640x480 Xvfb; the others on an 800x600 one, where it fails.
What a screenshot cannot show (message box texts and flags, display settings, the order of the
teardown calls, when a key arrived) is read from Wine's relay trace of the program's calls.

Only the standard library: run it as `tests/e2e/run_e2e.py --windows-build build/windows`.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# The Wine session and the list of shipped scenes are shared with scripts/show.sh.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "lib"))

import installer_tests  # noqa: E402
import make_scene  # noqa: E402
from shipped_scenes import shipped_scene_files  # noqa: E402
from winesession import (WINE, Failure, WinePrefix, Xvfb, answer, check, find_window, install_scenes,  # noqa: E402
                         press, screenshot, wait_exit, windows_path, xdotool)

SCREENSAVER_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers"

# The calls the relay trace shows; everything else stays quiet so that traces stay small.
RELAY_INCLUDE = ";".join([
    "kernel32.SetCurrentDirectoryA", "kernel32.LoadLibraryA", "kernel32.GetProcAddress",
    "kernel32.FreeLibrary", "user32.MessageBoxA", "user32.DialogBoxParamA",
    "user32.GetForegroundWindow", "user32.ChangeDisplaySettingsExA", "user32.ChangeDisplaySettingsA",
    "user32.CreateWindowExA", "user32.PostMessageA", "user32.PostQuitMessage", "user32.ShowCursor",
    "user32.ReleaseDC", "opengl32.wglDeleteContext", "opengl32.wglMakeCurrent", "winmm.timeGetTime",
])
# Counting frames: the buffer swaps alone.
RELAY_FRAMES = "gdi32.SwapBuffers"

WM_CLOSE = "00000010"
MB_ICONWARNING_OK = "00000030"

# A scene file with the file tag and no root object: the screensaver shows its fading black screen.
EMPTY_SCENE = b"DHSP" + b"\0\0\0\0"
# Not a scene file at all.
BROKEN_SCENE = b"GIF89a\0\0\0\0"


class Slow(Failure):
    """The machine was too slow for what the test needs to time; the test is tried once more."""


class Harness:
    def __init__(self, args):
        self.args = args
        self.root = tempfile.mkdtemp(prefix="ostrel-e2e-")
        self.out = os.path.abspath(args.out)
        os.makedirs(self.out, exist_ok=True)
        self.wine = WinePrefix(os.path.join(self.root, "prefix"), self.root)
        self.windows = self.wine.windows
        self.passed = 0
        self.failed = []

    @property
    def display(self):
        return self.wine.display

    def create_prefix(self, display):
        started = time.monotonic()
        self.wine.display = display
        self.wine.ensure(RELAY_INCLUDE)
        shutil.copy(self.args.screensaver, os.path.join(self.windows, "ostrel.scr"))
        shutil.copy(self.args.preview_host, os.path.join(self.wine.path, "drive_c", "preview_host.exe"))
        print(f"   prefix ready in {time.monotonic() - started:.1f} s", flush=True)

    def set_threshold(self, value):
        if value is None:
            self.wine.tool(["reg", "delete", SCREENSAVER_KEY, "/v", "Mouse Threshold", "/f"])
        else:
            self.wine.tool(["reg", "add", SCREENSAVER_KEY, "/v", "Mouse Threshold", "/t", "REG_DWORD",
                            "/d", str(value), "/f"])

    def screensaver(self, args, relay=True, extra_debug=""):
        return self.wine.start([r"C:\windows\ostrel.scr", *args], relay=relay, extra_debug=extra_debug)

    def install_scenes(self, content=None, files=()):
        """Empties the Windows directory of scenes, then installs content under every scene name
        and the given files under their own names."""
        install_scenes(self.windows, content, files)

    def install_one_scene_everywhere(self, scene, images):
        """The given scene under every name of the table, so that whatever is chosen shows it."""
        with open(scene, "rb") as f:
            self.install_scenes(f.read(), images)

    def run(self, test, timeout=90, tries=2):
        name = test.__name__[len("test_"):]
        started = time.monotonic()

        def expired(signum, frame):
            raise Failure(f"timed out after {timeout} s")

        signal.signal(signal.SIGALRM, expired)
        signal.alarm(timeout)
        try:
            test(self)
            self.passed += 1
            print(f"ok   {name} ({time.monotonic() - started:.1f} s)", flush=True)
        except Slow as failure:
            signal.alarm(0)
            self.wine.stop_processes()
            if tries > 1:
                print(f"     {name}: {failure}; trying again", flush=True)
                return self.run(test, timeout, tries - 1)
            self.failed.append(name)
            print(f"FAIL {name}: {failure}", flush=True)
        except Failure as failure:
            self.failed.append(name)
            print(f"FAIL {name}: {failure}", flush=True)
        finally:
            signal.alarm(0)
            self.wine.stop_processes()

    def close(self):
        try:
            self.wine.close()
        finally:
            if self.args.keep:
                print(f"   kept {self.root}")
            else:
                shutil.rmtree(self.root, ignore_errors=True)


def expect_running(process, what):
    check(process.poll() is None, f"the run ended ({process.returncode}) after {what}")


def expect_message_box(h, process, relay, text, caption="Exception"):
    """The program shows a warning box with the text; Enter closes it and the program ends with 255."""
    window = find_window(h.display, f"^{caption}$", process=process)
    code = answer(h.display, window, "Return", process)
    check(code == 255, f"exit code {code}, expected 255")
    boxes = relay.calls("user32.MessageBoxA")
    check(len(boxes) == 1, f"expected one message box, saw {boxes}")
    check(re.search(rf'\(00000000,[0-9a-f]+ "{re.escape(text)}",[0-9a-f]+ "{caption}",{MB_ICONWARNING_OK}\)', boxes[0]),
          f"message box call was {boxes[0]}")


# --- tests that need no scene -------------------------------------------------------------------


def test_resources(h):
    out = subprocess.run(["x86_64-w64-mingw32-windres", "-i", h.args.screensaver, "-O", "rc"], capture_output=True,
                         text=True, timeout=60).stdout
    dialog = re.search(r"^102 DIALOG 0, 0, 189, 95\nSTYLE (0x[0-9a-f]+)\nCAPTION \"Ostrel Screensaver\"\n"
                       r"FONT 8, \"MS Sans Serif\"\nBEGIN\n(.*?)\nEND", out, re.M | re.S)
    check(dialog, "dialog 102 with its size, caption and font")
    style = int(dialog.group(1), 16)
    check(style & 0x00C00000 == 0x00C00000 and style & 0x80 and not style & 0x00080000,
          f"dialog style {style:#x}: a caption and a modal frame, no system menu")
    controls = dialog.group(2)
    check(re.search(r"ICON 130, 65535, 7, 7, ", controls), "the icon at 7,7")
    check('LTEXT "Ostrel Screensaver v1.0b", 65535, 57, 7, 81, 8' in controls, "the product text")
    check('DEFPUSHBUTTON "&Close", 1, 132, 74, 50, 14' in controls, "the default Close button")
    check(re.search(r'STRINGTABLE\nBEGIN\n\s*1, "Ostrel Screensaver"\nEND', out), "string 1")
    check(re.search(r"^130 14 /\* RT_GROUP_ICON \*/", out, re.M), "icon group 130")
    check("FILEVERSION 3, 10, 0, 103" in out and "PRODUCTVERSION 3, 10, 0, 103" in out, "version numbers")
    check('BLOCK "040904e4"' in out, "string block for US English, code page 1252")
    expected = {"CompanyName": "vantu", "FileDescription": "Ostrel Screensaver", "FileVersion": "0.01",
                "OriginalFilename": "ostrel.scr", "ProductName": "Ostrel Screensaver", "ProductVersion": "1.0 beta"}
    values = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', out))
    for key, value in values.items():
        check(value == expected.get(key, ""), f"version string {key} is '{value}'")
    for key in expected:
        check(key in values, f"version string {key} missing")


def test_unknown_switches_end_at_once(h):
    for switch in ["/x", "/?"]:
        process, relay = h.screensaver([switch])
        code = wait_exit(process, 30)
        check(code == 0, f"{switch}: exit code {code}")
        check(any('"C:\\\\windows"' in line for line in relay.calls("KERNEL32.SetCurrentDirectoryA")),
              f"{switch}: the Windows directory is made current first")
        for shown in ["user32.DialogBoxParamA", "user32.CreateWindowExA", "user32.MessageBoxA"]:
            check(not relay.calls(shown), f"{switch}: {shown} was called")


def test_settings_dialog(h):
    for args, key in [([], "Return"), (["/c"], "Escape")]:
        process, relay = h.screensaver(args)
        window = find_window(h.display, "^Ostrel Screensaver$", process=process)
        expect_running(process, "the dialog appeared")
        code = answer(h.display, window, key, process)
        check(code == 0, f"{args}: exit code {code}")
        dialogs = relay.calls("user32.DialogBoxParamA")
        check(len(dialogs) == 1 and re.search(r"\([0-9a-f]+,00000066,", dialogs[0]), f"{args}: {dialogs}")
        foreground = relay.calls("user32.GetForegroundWindow")
        if args:
            check(foreground, f"{args}: the dialog's parent is the foreground window")
        else:
            check(",00000066,00000000," in dialogs[0] and not foreground, f"no parent: {dialogs[0]}")
    # A parent given by number is used as it stands; this one is no window, so no dialog can open.
    process, relay = h.screensaver(["-C:1234"])
    check(wait_exit(process, 20) == 0, "exit code")
    dialogs = relay.calls("user32.DialogBoxParamA")
    check(len(dialogs) == 1 and ",00000066,000004d2," in dialogs[0], f"parent 1234: {dialogs}")


def test_password_service_missing_ends_silently(h):
    process, relay = h.screensaver(["/a", "1234"])
    code = wait_exit(process, 30)
    check(code == 0, f"exit code {code}")
    check(any('"MPR.DLL"' in line for line in relay.calls("KERNEL32.LoadLibraryA")), "MPR.DLL loaded at run time")
    check(any('"PwdChangePasswordA"' in line for line in relay.calls("KERNEL32.GetProcAddress")),
          "PwdChangePasswordA looked up")
    check(not relay.calls("user32.MessageBoxA"), "no message box")


def test_preview_without_handle(h):
    h.install_scenes(EMPTY_SCENE)
    process, relay = h.screensaver(["/p"])
    expect_message_box(h, process, relay, "Window Creation Failed")


def test_missing_scene_restores_display_first(h):
    h.install_scenes(None)
    process, relay = h.screensaver(["/s"], extra_debug=",+system")
    expect_message_box(h, process, relay, "File Not Found")
    lines = relay.lines()
    switch = relay.index_of("Call user32.ChangeDisplaySettingsExA(00000000,", lines)
    check(switch >= 0 and ",00000000,00000004,00000000)" in lines[switch], "ChangeDisplaySettingsExA with CDS_FULLSCREEN")
    check("dmFields=BITSPERPEL,PELSWIDTH,PELSHEIGHT dmBitsPerPel=32 dmPelsWidth=640 dmPelsHeight=480 "
          in "\n".join(lines), "the display mode asked for: 640 x 480 x 32 and nothing else")
    check(relay.index_of("Ret  user32.ChangeDisplaySettingsExA() retval=00000000", lines) > switch, "the switch succeeded")
    check(relay.calls("user32.ShowCursor") and "(00000000)" in relay.calls("user32.ShowCursor")[0], "cursor hidden")
    window = relay.calls("user32.CreateWindowExA")
    check(window and re.search(r'\(00000008,[0-9a-f]+ "vtScreensaver",[0-9a-f]+ "vantu::Screensaver",86000000,'
                               r'00000000,00000000,00000280,000001e0,00000000,', window[0]),
          f"topmost 640 x 480 popup: {window}")
    restore = relay.index_of("Call user32.ChangeDisplaySettingsA(00000000,00000000)", lines)
    release = relay.index_of("Call user32.ReleaseDC(", lines)
    delete = relay.index_of("Call opengl32.wglDeleteContext(", lines)
    box = relay.index_of("Call user32.MessageBoxA(", lines)
    check(0 <= restore < delete < release < box, f"teardown order restore {restore}, context {delete}, "
          f"device context {release}, message {box}")


def test_broken_scene_file(h):
    h.install_scenes(BROKEN_SCENE)
    process, relay = h.screensaver(["/s"])
    expect_message_box(h, process, relay, "PSF File Load Failed")


def test_scene_root_of_another_class(h):
    # A well-formed emitter where the particle system belongs: nothing the frame could draw.
    h.install_scenes(make_scene.tag("PSHD") + make_scene.emitter())
    process, relay = h.screensaver(["/s"])
    expect_message_box(h, process, relay, "Illegal Particle ID")


def start_full_screen(h, pointer=(320, 240)):
    xdotool(h.display, "mousemove", str(pointer[0]), str(pointer[1]))
    process, relay = h.screensaver(["/s"])
    window = find_window(h.display, "^Ostrel Screensaver$", process=process)
    return process, relay, window, time.monotonic()


def wait_for_message(relay, message, count, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        times = relay.message_times(message)
        if len(times) >= count:
            return times
        time.sleep(0.1)
    raise Failure(f"{message} did not reach the window ({count} expected)")


def posted_closes(relay):
    return [line for line in relay.calls("user32.PostMessageA") if f",{WM_CLOSE},00000000,00000000)" in line]


def test_no_scene_shows_black_and_keys_count_after_three_seconds(h):
    h.install_scenes(EMPTY_SCENE)
    process, relay, window, shown = start_full_screen(h)
    press(h.display, window, "space")
    early = wait_for_message(relay, "WM_KEYDOWN", 1)
    if early[0] >= 3000:
        raise Slow(f"the first key arrived {early[0]} ms after the start")
    time.sleep(max(0.0, shown + 3.5 - time.monotonic()))
    expect_running(process, "a key in the first three seconds")
    check(not posted_closes(relay), "a key in the first three seconds posted WM_CLOSE")
    share = screenshot(h.display, os.path.join(h.out, "e2e-no-scene.png"))
    check(share < 0.001, f"{share:.1%} of the screen is lit without a scene")
    press(h.display, window, "space")
    code = wait_exit(process, 20)
    check(code == 0, f"exit code {code}")
    late = relay.message_times("WM_KEYDOWN")
    check(len(late) >= 2 and late[-1] >= 3000, f"the ending key arrived at {late}")
    check(len(posted_closes(relay)) >= 1, "the late key posted WM_CLOSE")
    check(relay.calls("user32.PostQuitMessage"), "the close became WM_QUIT")
    lines = relay.lines()
    check(0 <= relay.index_of("Call user32.ChangeDisplaySettingsA(00000000,00000000)", lines)
          < relay.index_of("Call opengl32.wglDeleteContext(", lines), "display restored, then the context deleted")


def mouse_threshold_case(h, threshold):
    h.set_threshold(threshold)
    try:
        h.install_scenes(EMPTY_SCENE)
        x, y = 300, 200
        process, relay, window, shown = start_full_screen(h, (x, y))
        limit = 50 if threshold is None else threshold
        # Far beyond the threshold, but in the grace period.
        xdotool(h.display, "mousemove", str(x + limit + 40), str(y))
        time.sleep(0.3)
        xdotool(h.display, "mousemove", str(x), str(y))
        time.sleep(max(0.0, shown + 3.5 - time.monotonic()))
        expect_running(process, "a mouse move in the first three seconds")
        moves = len(relay.message_times("WM_MOUSEMOVE"))
        for dx, dy in [(limit, 0), (0, limit), (-limit, -limit)]:
            xdotool(h.display, "mousemove", str(x + dx), str(y + dy))
            moves = len(wait_for_message(relay, "WM_MOUSEMOVE", moves + 1))
        time.sleep(0.5)
        expect_running(process, f"mouse moves of {limit} pixels")
        check(not posted_closes(relay), "a move within the threshold posted WM_CLOSE")
        xdotool(h.display, "mousemove", str(x), str(y + limit + 1))
        code = wait_exit(process, 20)
        check(code == 0, f"exit code {code}")
    finally:
        if threshold is not None:
            h.set_threshold(None)


def test_mouse_threshold_default(h):
    mouse_threshold_case(h, None)


def test_mouse_threshold_from_registry(h):
    mouse_threshold_case(h, 120)


def run_preview(h, seconds):
    log = os.path.join(h.root, "preview-host.log")
    process, relay = h.wine.start([r"C:\preview_host.exe", r"C:\windows\ostrel.scr", "Z:" + log.replace("/", "\\"),
                             str(seconds)], relay=True)

    def read_log():
        try:
            with open(log) as f:
                return f.read()
        except FileNotFoundError:
            return ""

    deadline = time.monotonic() + 30
    while "preview " not in read_log() and "error" not in read_log():
        check(time.monotonic() < deadline, "no preview window reported")
        check(process.poll() is None, f"the host ended early: {read_log()}")
        time.sleep(0.1)
    report = read_log()
    check("error" not in report, report)
    check(re.search(r"preview 320x240 child=1 text=Ostrel Screensaver", report), report)
    time.sleep(1.0)
    # Keys and clicks on the preview: none of them may end it.
    xdotool(h.display, "mousemove", "260", "200")
    for key in ["space", "Return", "a", "Escape"]:
        xdotool(h.display, "key", key)
    xdotool(h.display, "click", "1")
    xdotool(h.display, "mousemove", "120", "100")
    check(wait_exit(process, seconds + 40) == 0, read_log())
    report = read_log()
    check("alive=1" in report, f"the preview ended on input: {report}")
    check("exit 0" in report, f"the preview did not end with 0 when its parent went: {report}")
    return relay


def test_preview_without_scene_ignores_input(h):
    h.install_scenes(EMPTY_SCENE)
    relay = run_preview(h, 4)
    check(relay.message_times("WM_LBUTTONDOWN") or relay.message_times("WM_KEYDOWN"),
          "neither the keys nor the click reached the preview")


def test_missing_scene_when_the_display_cannot_switch(h):
    h.install_scenes(None)
    process, relay = h.screensaver(["/s"])
    expect_message_box(h, process, relay, "File Not Found")
    lines = relay.lines()
    check(relay.index_of("Ret  user32.ChangeDisplaySettingsExA() retval=00000000", lines) < 0, "the switch failed")
    check(not relay.calls("user32.ShowCursor"), "the cursor stays visible")
    check(not relay.calls("user32.ChangeDisplaySettingsA"), "nothing to restore")
    window = relay.calls("user32.CreateWindowExA")
    check(window and ",00000000,00000000,00000320,00000258," in window[0], f"a window of the screen's size: {window}")


# --- tests with a real scene --------------------------------------------------------------------


def frames_case(h, picture):
    h.install_one_scene_everywhere(h.args.scene, h.args.image)
    process, relay, window, shown = start_full_screen(h)
    time.sleep(max(0.0, shown + 4.0 - time.monotonic()))
    expect_running(process, "four seconds")
    share = screenshot(h.display, os.path.join(h.out, picture))
    check(share > 0.002, f"only {share:.2%} of the screen is lit")
    press(h.display, window, "space")
    check(wait_exit(process, 20) == 0, "exit code")
    return relay


def test_frames_show_particles(h):
    relay = frames_case(h, "e2e-frame-640x480.png")
    window = relay.calls("user32.CreateWindowExA")
    check(window and ",00000280,000001e0," in window[0], f"a 640 x 480 window: {window}")


def test_frames_on_a_screen_that_cannot_switch(h):
    relay = frames_case(h, "e2e-frame-800x600.png")
    window = relay.calls("user32.CreateWindowExA")
    check(window and ",00000320,00000258," in window[0], f"a window of the screen's size: {window}")


def test_preview_draws_particles(h):
    # Wine 8 shows no OpenGL drawing in a child of another process's window (the child gets no X
    # drawable of its own), so the frames are counted from the trace instead of a screenshot.
    h.install_one_scene_everywhere(h.args.scene, h.args.image)
    h.wine.set_relay(RELAY_INCLUDE + ";" + RELAY_FRAMES)
    try:
        relay = run_preview(h, 3)
    finally:
        h.wine.set_relay(RELAY_INCLUDE)
    check("Ret  opengl32.wglMakeCurrent() retval=00000001" in "\n".join(relay.lines()), "the context became current")
    frames = len(relay.calls("gdi32.SwapBuffers"))
    check(frames > 30, f"only {frames} frames drawn into the preview")
    check(not relay.calls("user32.MessageBoxA"), "a message box")


def measure_fps(h, scene, images, seconds, picture=None):
    """Frames per second from the count of buffer swaps in a window of the run, skipping the first
    seconds of start-up and of particles filling the scene; with picture, also a screenshot that
    must show particles."""
    h.install_one_scene_everywhere(scene, images)
    h.wine.set_relay(RELAY_FRAMES)
    try:
        process, relay, window, shown = start_full_screen(h)
        time.sleep(max(0.0, shown + 4.0 - time.monotonic()))
        first = len(relay.calls("gdi32.SwapBuffers"))
        begun = time.monotonic()
        time.sleep(seconds)
        frames = len(relay.calls("gdi32.SwapBuffers")) - first
        elapsed = time.monotonic() - begun
        expect_running(process, "the measurement")
        if picture:
            share = screenshot(h.display, picture)
            check(share > 0.002, f"{os.path.basename(scene)}: only {share:.2%} of the screen is lit")
        press(h.display, window, "space")
        wait_exit(process, 30)
        return frames / elapsed
    finally:
        h.wine.set_relay(RELAY_INCLUDE)


# --- the shipped scenes ------------------------------------------------------------------------


def shipped_scenes(h):
    """The file names of the listed scenes, which must all have been built, and the pictures beside them."""
    try:
        scenes = [os.path.basename(f) for f in shipped_scene_files(h.args.scenes)]
    except FileNotFoundError as e:
        raise Failure(str(e))
    images = sorted(os.path.join(h.args.scenes, f) for f in os.listdir(h.args.scenes) if f.endswith((".tga", ".bmp")))
    return scenes, images


def test_every_shipped_scene_draws(h):
    """Each shipped scene in turn, installed under every name of the table, drawn by the real
    screensaver: a screenshot shows its particles, and the frame rate is reported."""
    scenes, images = shipped_scenes(h)
    rates = []
    for name in scenes:
        fps = measure_fps(h, os.path.join(h.args.scenes, name), images, 3.0,
                          picture=os.path.join(h.out, f"e2e-{name[:-4]}.png"))
        rates.append(f"{name[:-4]} {fps:.0f}")
    print("   frames per second: " + ", ".join(rates), flush=True)


def test_simulation_is_the_same_on_windows(h):
    """The Windows build of psftool under Wine and the Linux build simulate every shipped scene to
    the same bytes: the engine owns its generator and its single-precision arithmetic."""
    scenes, _ = shipped_scenes(h)
    for name in scenes:
        scene = os.path.join(h.args.scenes, name)
        steps = ["--seed", "7", "--steps", "300", "--dump-every", "100"]
        linux = os.path.join(h.root, f"linux-{name}.csv")
        windows = os.path.join(h.root, f"windows-{name}.csv")
        subprocess.run([h.args.psftool, "simulate", scene, *steps, "--dump", linux], check=True,
                       stdout=subprocess.DEVNULL, timeout=60)
        code = h.wine.tool([windows_path(h.args.psftool_exe), "simulate", windows_path(scene), *steps,
                            "--dump", windows_path(windows)], timeout=60)
        check(code == 0, f"psftool.exe simulate {name} ended with {code}")
        with open(linux, "rb") as a, open(windows, "rb") as b:
            expected, actual = a.read(), b.read()
        rows = expected.count(b"\n")
        check(rows > 100, f"{name}: only {rows} rows")
        check(actual == expected, f"{name}: the Windows simulation differs from the Linux one")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--windows-build", default="build/windows", help="the windows preset's build folder")
    parser.add_argument("--scene", help="a scene file for the tests that draw particles (default: the demo scene of "
                        "make_scene.py)")
    parser.add_argument("--image", action="append", default=[], help="an image file the scene names")
    parser.add_argument("--scenes", default="build/native/scenes",
                        help="the shipped scenes and their images, as the native build makes them")
    parser.add_argument("--native-build", default="build/native", help="the native preset's build folder")
    parser.add_argument("--fps", action="append", default=[], metavar="SCENE",
                        help="measure the frame rate of a scene (images given with --image)")
    parser.add_argument("--fps-seconds", type=float, default=8.0)
    parser.add_argument("--only", action="append", default=[], help="run only the named tests")
    parser.add_argument("--out", default="out", help="folder for screenshots")
    parser.add_argument("--keep", action="store_true", help="keep the prefix and the traces")
    args = parser.parse_args()
    args.screensaver = os.path.join(args.windows_build, "shell", "ostrel.scr")
    args.preview_host = os.path.join(args.windows_build, "tests", "e2e", "preview_host.exe")
    args.psftool_exe = os.path.join(args.windows_build, "tools", "psftool.exe")
    args.psftool = os.path.join(args.native_build, "tools", "psftool")
    for path in [args.screensaver, args.preview_host, args.psftool_exe, args.psftool, args.scenes, WINE]:
        if not os.path.exists(path):
            print(f"missing {path}", file=sys.stderr)
            return 2

    switchable = [test_resources, test_unknown_switches_end_at_once, test_settings_dialog,
                  test_password_service_missing_ends_silently, test_preview_without_handle,
                  test_missing_scene_restores_display_first, test_broken_scene_file, test_scene_root_of_another_class,
                  test_no_scene_shows_black_and_keys_count_after_three_seconds, test_mouse_threshold_default,
                  test_mouse_threshold_from_registry, test_preview_without_scene_ignores_input]
    switchable += [test_frames_show_particles, test_preview_draws_particles, test_every_shipped_scene_draws,
                   test_simulation_is_the_same_on_windows]
    fixed = [test_missing_scene_when_the_display_cannot_switch, test_frames_on_a_screen_that_cannot_switch]
    installer = installer_tests.TESTS
    if args.only:
        switchable = [t for t in switchable if t.__name__[5:] in args.only]
        fixed = [t for t in fixed if t.__name__[5:] in args.only]
        installer = [t for t in installer if t.__name__[5:] in args.only]

    small = Xvfb(640, 480)
    try:
        large = Xvfb(800, 600)
    except Failure:
        small.stop()
        raise
    h = Harness(args)
    try:
        if not args.scene:
            demo = os.path.join(h.root, "scene")
            subprocess.run([sys.executable, os.path.join(os.path.dirname(os.path.abspath(__file__)), "make_scene.py"),
                            demo], check=True)
            args.scene = os.path.join(demo, "fountain-demo.psf")
            args.image = [os.path.join(demo, "spark.tga")]
        print(f"== end-to-end tests under Wine (Xvfb {small.display} 640x480, {large.display} 800x600)", flush=True)
        if switchable or fixed or args.fps:
            h.create_prefix(small.display)
        for test in switchable:
            h.run(test)
        if installer:
            installer_tests.run(h, installer, small.display)
        if fixed:
            h.wine.use_display(large.display)
            for test in fixed:
                h.run(test)
        if args.fps:
            h.wine.use_display(small.display)
            for scene in args.fps:
                fps = measure_fps(h, scene, args.image, args.fps_seconds)
                print(f"fps {os.path.basename(scene)}: {fps:.1f}", flush=True)
    finally:
        try:
            h.close()
        finally:
            small.stop()
            large.stop()
    print(f"{h.passed} passed, {len(h.failed)} failed")
    if h.failed:
        print("failed: " + ", ".join(h.failed))
    return 1 if h.failed else 0


if __name__ == "__main__":
    sys.exit(main())
