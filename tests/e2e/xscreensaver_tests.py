#!/usr/bin/env python3
"""End-to-end tests of ostrel, the Linux screensaver, in a virtual X server: drawing in its own
window, on the root window, in a window given by -window-id or by $XSCREENSAVER_WINDOW and
following its size; the ends of a run (signals, keys, the window manager's close, the window's
destruction) and the messages of a failed start; the real XScreenSaver daemon running the
packaged program; the Debian package's files, its lintian report and its installed program
drawing the installed scenes, with their frame rates.

Only the standard library (ctypes for the tests' own windows):
  tests/e2e/xscreensaver_tests.py --native-build build/native --deb out/ostrel_1.0b-1_amd64.deb
"""

import argparse
import os
import pwd
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "lib"))
import winesession  # noqa: E402 (after the path to scripts/lib)
from shipped_scenes import shipped_scene_names  # noqa: E402
from winesession import Failure, bright_share, check, find_window, grab, time_limit, wait_exit, xdotool  # noqa: E402
from xwindow import XConnection  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
HACK_IN_PACKAGE = "usr/libexec/xscreensaver/ostrel"
SCENES_IN_PACKAGE = "usr/share/ostrel/scenes"
TITLE = "^Ostrel Screensaver$"
# A scene file whose root object is none: the run shows only its fading black screen.
EMPTY_SCENE = b"DHSP" + b"\0\0\0\0"
BROKEN_SCENE = b"GIF89a\0\0\0\0"
# Lit pixels a drawn scene shows at least, and the most an undrawn area may show.
LIT = 0.01
DARK = 0.0005


class Xvfb(winesession.Xvfb):
    """A virtual X server of the given size with a black root window, kept up between clients
    (-noreset: a reset refuses connections for a moment), on a display number that no
    X server holds, by lock file or by socket: on a machine shared with other users' private /tmp
    folders, a server whose lock file is out of sight still owns its abstract socket."""

    def __init__(self, width, height):
        with open("/proc/net/unix") as f:
            sockets = f.read()
        number = next(n for n in range(50, 1000) if not os.path.exists(f"/tmp/.X{n}-lock") and
                      f"/tmp/.X11-unix/X{n}\n" not in sockets)
        self.display = f":{number}"
        self.process = subprocess.Popen(["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24", "-nolisten",
                                         "tcp", "-br", "-noreset"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
        deadline = time.monotonic() + 20
        while True:
            try:
                XConnection(self.display).close()
                return
            except Failure:
                if time.monotonic() > deadline or self.process.poll() is not None:
                    self.stop()
                    raise Failure(f"Xvfb {self.display} did not start")
                time.sleep(0.1)


def package_path():
    with open(os.path.join(ROOT, "packaging", "debian", "changelog")) as f:
        version = re.match(r"ostrel \(([^)]+)\)", f.readline()).group(1)
    arch = subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True, check=True).stdout.strip()
    return os.path.join(ROOT, "out", f"ostrel_{version}_{arch}.deb")


def lit_centre(ppm, region):
    """The mean position of the lit pixels within (x, y, w, h), as fractions of w and h."""
    fields = ppm.split(maxsplit=4)
    width = int(fields[1])
    pixels = fields[4]
    x0, y0, w, h = region
    total = sx = sy = 0
    for y in range(y0, y0 + h):
        row = pixels[(y * width + x0) * 3:(y * width + x0 + w) * 3]
        for i in range(0, len(row), 3):
            if max(row[i], row[i + 1], row[i + 2]) > 40:
                total += 1
                sx += i // 3
                sy += y - y0
    check(total > 0, f"nothing lit in {region}")
    return sx / total / w, sy / total / h


class Harness:
    def __init__(self, args, display):
        self.args = args
        self.display = display
        self.root = tempfile.mkdtemp(prefix="ostrel-x11-")
        # The daemon's user reads the unpacked package from here.
        os.chmod(self.root, 0o755)
        self.out = os.path.abspath(args.out)
        os.makedirs(self.out, exist_ok=True)
        self.processes = []
        self.passed = 0
        self.failed = []
        self.rates = []
        self.scratch = None

    def start(self, args, env=None, display=None, stdout=subprocess.PIPE, stderr=subprocess.PIPE, **kwargs):
        environment = dict(os.environ, DISPLAY=display or self.display)
        environment.pop("XSCREENSAVER_WINDOW", None)
        environment.update(env or {})
        process = subprocess.Popen(args, env=environment, stdin=subprocess.DEVNULL, stdout=stdout, stderr=stderr, text=True, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def hack(self, *args, env=None, display=None, program=None, cwd=None):
        return self.start([program or self.args.hack, *args], env=env, display=display, cwd=cwd)

    def stop_processes(self):
        for process in self.processes:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            for stream in (process.stdout, process.stderr):
                if stream:
                    stream.close()
        self.processes = []

    def run(self, test, timeout=60):
        """One test on a freshly cleared root window; what it started is ended after it."""
        name = test.__name__[len("test_"):]
        started = time.monotonic()
        try:
            with time_limit(timeout):
                connection = XConnection(self.display)
                connection.clear_root()
                connection.close()
                test(self)
            self.passed += 1
            print(f"ok   {name} ({time.monotonic() - started:.1f} s)", flush=True)
        except Failure as failure:
            self.failed.append(name)
            print(f"FAIL {name}: {failure}", flush=True)
        finally:
            self.stop_processes()

    def unpacked(self):
        """The package unpacked into a scratch root, as dpkg would install it under /."""
        if self.scratch is None:
            scratch = os.path.join(self.root, "scratch")
            subprocess.run(["dpkg-deb", "-x", self.args.deb, scratch], check=True, timeout=60)
            os.chmod(scratch, 0o755)
            self.scratch = scratch
        return self.scratch

    def close(self):
        self.stop_processes()
        shutil.rmtree(self.root, ignore_errors=True)

    def summary(self):
        """The closing line the test runner is read by; the exit code."""
        failed = f"\nfailed: {', '.join(self.failed)}" if self.failed else ""
        print(f"{self.passed} passed, {len(self.failed)} failed{failed}")
        return 1 if self.failed else 0


def ends_within(process, seconds, what):
    """The run ends with 0 within the time after what was done."""
    code = wait_exit(process, seconds)
    err = process.stderr.read()
    check(code == 0, f"exit code {code} after {what}, expected 0; stderr: {err.strip()}")


def own_window(h, process):
    """The program's own window, once it is there; a program that ended says why."""
    try:
        return find_window(h.display, TITLE, process=process)
    except Failure as failure:
        raise Failure(f"{failure}: {process.stderr.read().strip() if process.poll() is not None else ''}")


def running_after(process, seconds):
    try:
        process.wait(seconds)
    except subprocess.TimeoutExpired:
        return
    raise Failure(f"the run ended ({process.returncode}) early: {process.stderr.read().strip()}")


def expect_failure(h, args, message, env=None):
    process = h.hack(*args, env=env)
    code = wait_exit(process, 20)
    err = process.stderr.read()
    check(code == 1, f"{args}: exit code {code}, expected 1")
    check(err.startswith(message), f"{args}: stderr {err!r}, expected it to start with {message!r}")


# --- the program itself ---------------------------------------------------------------------------


def frame_rate(name, out):
    """The run's frames and average rate, as -fps prints them when the run ends."""
    rate = re.search(rf"^ostrel: {name}: (\d+) frames at 640x480, ([0-9.]+) frames per second$", out, re.MULTILINE)
    check(rate, f"{name}: no frame rate in {out!r}")
    return int(rate.group(1)), float(rate.group(2))


def test_own_window_draws_and_ends_on_a_key(h):
    """Also: the run keeps the 60 frames a second the scenes are made for, however fast it could draw."""
    process = h.hack("-scene", "waterfall", "-seed", "1", "-fps")
    window = own_window(h, process)
    running_after(process, 2.5)
    share = bright_share(grab(h.display))
    check(share > LIT, f"only {share:.4f} of the screen lit")
    xdotool(h.display, "key", "--window", window, "space")
    ends_within(process, 2, "a key press")
    frames, rate = frame_rate("waterfall", process.stdout.read())
    check(frames > 0 and rate < 61, f"{frames} frames at {rate} frames per second, beyond the pace of 60")


def test_own_window_ends_on_the_window_managers_close(h):
    process = h.hack("-scene", "rain")
    window = int(own_window(h, process))
    running_after(process, 1.0)
    connection = XConnection(h.display)
    try:
        connection.ask_to_close(window)
        ends_within(process, 2, "WM_DELETE_WINDOW")
    finally:
        connection.close()


def test_window_id_draws_inside_only_and_follows_its_size(h):
    """Particles only inside the given window (hex id), and the picture keeps its place in the
    window when the window grows: the viewport follows the size. Rain fills its frame alike from
    its first second on, so where its light is centred follows the viewport, not the moment (the
    waterfall's curtain is still falling and its sheets move down it)."""
    connection = XConnection(h.display)
    try:
        window = connection.make_window(0, 0, 320, 240)
        process = h.hack("-window-id", hex(window), "-scene", "rain", "-seed", "3")
        running_after(process, 2.5)
        before = grab(h.display)
        inside = bright_share(before, (0, 0, 320, 240))
        outside = bright_share(before, (320, 0, 320, 480)) + bright_share(before, (0, 240, 320, 240))
        check(inside > LIT and outside < DARK, f"lit inside {inside:.4f}, outside {outside:.4f}")
        centre = lit_centre(before, (0, 0, 320, 240))
        connection.resize(window, 480, 360)
        running_after(process, 2.5)
        after = lit_centre(grab(h.display), (0, 0, 480, 360))
        check(abs(after[0] - centre[0]) < 0.08 and abs(after[1] - centre[1]) < 0.08,
              f"the picture's centre moved from {centre} to {after} of the window")
        os.kill(process.pid, signal.SIGTERM)
        ends_within(process, 1, "SIGTERM")
    finally:
        connection.close()


def test_root_window_draws_and_sigterm_ends_with_zero(h):
    """Also: a scenes folder named relative to the current directory."""
    scenes = os.path.relpath(os.path.join(h.args.native_build, "scenes"), h.root)
    process = h.hack("-root", "-scene", "fountain", "-seed", "5", "-scenes-dir", scenes, cwd=h.root)
    running_after(process, 2.5)
    share = bright_share(grab(h.display))
    check(share > LIT, f"only {share:.4f} of the root window lit")
    os.kill(process.pid, signal.SIGTERM)
    ends_within(process, 1, "SIGTERM")


def test_xscreensaver_window_is_drawn_in_even_with_root(h):
    """As the daemon starts its programs: "--root" with the window in the environment (decimal)."""
    connection = XConnection(h.display)
    try:
        window = connection.make_window(320, 240, 320, 240)
        process = h.hack("--root", "--scene", "waterfall", env={"XSCREENSAVER_WINDOW": str(window)})
        running_after(process, 2.5)
        screen = grab(h.display)
        inside = bright_share(screen, (320, 240, 320, 240))
        outside = bright_share(screen, (0, 0, 640, 240)) + bright_share(screen, (0, 240, 320, 240))
        check(inside > LIT and outside < DARK, f"lit inside {inside:.4f}, outside {outside:.4f}")
        os.kill(process.pid, signal.SIGINT)
        ends_within(process, 1, "SIGINT")
    finally:
        connection.close()


def test_destroying_the_window_ends_the_run(h):
    connection = XConnection(h.display)
    try:
        window = connection.make_window(0, 0, 200, 150)
        process = h.hack("-window-id", str(window), "-scene", "swarm")
        running_after(process, 1.5)
        connection.destroy(window)
        ends_within(process, 2, "the window's destruction")
    finally:
        connection.close()


def test_failed_starts_say_why_and_exit_1(h):
    empty = os.path.join(h.root, "no-scenes")
    os.makedirs(empty, exist_ok=True)
    expect_failure(h, ["-scenes-dir", empty, "-scene", "tube"], f"ostrel: {empty}/tube.psf: File Not Found\n")
    broken = os.path.join(h.root, "broken.psf")
    with open(broken, "wb") as f:
        f.write(BROKEN_SCENE)
    expect_failure(h, ["-scene-file", broken], f"ostrel: {broken}: PSF File Load Failed\n")
    expect_failure(h, ["-scene", "lava"], "ostrel: no scene named 'lava'\nusage: ostrel")
    expect_failure(h, ["-frobnicate"], "ostrel: unknown option '-frobnicate'\nusage: ostrel")
    expect_failure(h, ["-window-id", "0x3ffffff"], "ostrel: Window Creation Failed\n")
    expect_failure(h, ["-scene", "tube"], "ostrel: Window Creation Failed\n", env={"DISPLAY": ":9999"})


def test_a_scene_without_root_object_shows_a_black_screen(h):
    empty = os.path.join(h.root, "empty.psf")
    with open(empty, "wb") as f:
        f.write(EMPTY_SCENE)
    process = h.hack("-root", "-scene-file", empty)
    running_after(process, 1.5)
    share = bright_share(grab(h.display))
    check(share < DARK, f"{share:.4f} of an empty scene's screen lit")
    os.kill(process.pid, signal.SIGTERM)
    ends_within(process, 1, "SIGTERM")


# --- the Debian package ---------------------------------------------------------------------------


def picture_names(h, scene):
    """The pictures a scene names, as psftool check reports them."""
    summary = subprocess.run([os.path.join(h.args.native_build, "tools", "psftool"), "check", scene],
                             capture_output=True, text=True, check=True).stdout
    return set(re.findall(r'^image .*?"([^"]+)"', summary, re.MULTILINE))


def test_package_holds_the_program_the_shipped_scenes_and_their_pictures(h):
    listing = subprocess.run(["dpkg-deb", "-c", h.args.deb], capture_output=True, text=True, check=True).stdout
    files = {line.split()[-1][2:] for line in listing.splitlines() if not line.startswith("d")}
    scenes = {f"{SCENES_IN_PACKAGE}/{name}.psf" for name in shipped_scene_names()}
    scratch = h.unpacked()
    pictures = set()
    for scene in sorted(scenes):
        pictures |= {f"{SCENES_IN_PACKAGE}/{name}" for name in picture_names(h, os.path.join(scratch, scene))}
    expected = {HACK_IN_PACKAGE, "usr/bin/psftool", "usr/share/xscreensaver/config/ostrel.xml",
                "usr/share/man/man6/ostrel.6.gz", "usr/share/man/man1/psftool.1.gz",
                "usr/share/doc/ostrel/copyright", "usr/share/doc/ostrel/changelog.Debian.gz"} | scenes | pictures
    check(files == expected, f"missing {sorted(expected - files)}, unexpected {sorted(files - expected)}")
    fields = subprocess.run(["dpkg-deb", "-f", h.args.deb, "Package", "Architecture", "Depends"],
                            capture_output=True, text=True, check=True).stdout
    for library in ("libc6", "libx11-6", "libglx0", "libgle3", "zlib1g"):
        check(re.search(rf"^Depends:.*\b{library}\b", fields, re.MULTILINE), f"Depends lacks {library}: {fields}")


def test_package_settings_file_offers_every_scene(h):
    tree = ElementTree.parse(os.path.join(h.unpacked(), "usr/share/xscreensaver/config/ostrel.xml"))
    saver = tree.getroot()
    check(saver.tag == "screensaver" and saver.get("name") == "ostrel" and saver.get("_label") == "Ostrel",
          f"root element {saver.tag} {saver.attrib}")
    check(saver.find("command").get("arg") == "--root", "the command does not pass --root")
    options = [(o.get("id"), o.get("arg-set")) for o in saver.iter("option")]
    check(options == [("random", None)] + [(n, f"--scene {n}") for n in shipped_scene_names()], f"menu {options}")
    check(saver.find("boolean").get("arg-set") == "--fps", "no frame-rate checkbox")


def test_lintian_reports_no_errors(h):
    result = subprocess.run(["lintian", "--fail-on", "error", "--pedantic", "-I", h.args.deb], capture_output=True,
                            text=True, timeout=180)
    report = [line for line in result.stdout.splitlines() if re.match(r"^[EWIPX]: ", line)]
    print("     lintian: " + ("; ".join(report) if report else "no tags"), flush=True)
    check(result.returncode == 0 and not any(line.startswith("E: ") for line in report),
          f"lintian exit code {result.returncode}: {result.stdout}{result.stderr}")


def test_installed_program_draws_the_installed_scenes(h):
    """The unpacked package's program finds its own scenes (no -scenes-dir) and draws each; -fps
    gives each one's frame rate in a 640x480 window, drawn as fast as it can (-delay 0)."""
    program = os.path.join(h.unpacked(), HACK_IN_PACKAGE)
    for name in shipped_scene_names():
        process = h.hack("-scene", name, "-seed", "1", "-fps", "-delay", "0", program=program)
        own_window(h, process)
        running_after(process, h.args.fps_seconds)
        share = bright_share(grab(h.display))
        os.kill(process.pid, signal.SIGTERM)
        ends_within(process, 2, "SIGTERM")
        _, rate = frame_rate(name, process.stdout.read())
        check(share > DARK * 4, f"{name}: only {share:.4f} of the screen lit")
        h.rates.append(f"{name} {rate:.0f} ({share:.3f} lit)")
    print("     frames per second, installed program at 640x480 under Xvfb: " + ", ".join(h.rates), flush=True)


# --- the XScreenSaver daemon ----------------------------------------------------------------------


def daemon_user():
    """XScreenSaver runs no programs as root: as root, the tests run it as nobody."""
    if os.geteuid() != 0:
        return {}
    nobody = pwd.getpwnam("nobody")
    return {"user": nobody.pw_uid, "group": nobody.pw_gid, "extra_groups": []}


def test_daemon_runs_the_packaged_program_and_ends_it(h):
    """A home whose .xscreensaver lists only Ostrel; -activate starts it on the daemon's window,
    -deactivate ends it within a second."""
    program = os.path.join(h.unpacked(), HACK_IN_PACKAGE)
    home = os.path.join(h.root, "home")
    os.makedirs(home)
    with open(os.path.join(home, ".xscreensaver"), "w") as f:
        f.write("timeout: 1:00:00\nlock: False\nfade: False\nunfade: False\nsplash: False\nmode: one\n"
                f"selected: 0\nprograms: \\\n  \"Ostrel\" {program} --root --scene waterfall \\n\\\n\n")
    user = daemon_user()
    if user:
        for path in (home, os.path.join(home, ".xscreensaver")):
            os.chown(path, user["user"], user["group"])
    xvfb = Xvfb(640, 480)
    env = {"HOME": home, "DISPLAY": xvfb.display}
    log_path = os.path.join(h.root, "xscreensaver.log")
    try:
        with open(log_path, "w") as log:
            daemon = h.start(["xscreensaver", "-no-splash", "-verbose"], env=env, display=xvfb.display, stdout=log,
                             stderr=subprocess.STDOUT, cwd=home, **user)

        def daemon_log():
            """What the daemon, its helpers and ostrel have printed so far."""
            with open(log_path, errors="replace") as f:
                return f.read()

        def command(*args):
            return subprocess.run(["xscreensaver-command", *args], env=dict(os.environ, **env), capture_output=True,
                                  text=True, timeout=10, cwd=home, **user)

        deadline = time.monotonic() + 15
        while command("-time").returncode != 0:
            check(time.monotonic() < deadline and daemon.poll() is None,
                  f"the daemon did not come up:\n{daemon_log()}")
            time.sleep(0.2)
        check(command("-activate").returncode == 0, "xscreensaver-command -activate failed")
        pid = None
        deadline = time.monotonic() + 15
        while pid is None:
            check(time.monotonic() < deadline, "the daemon started no ostrel")
            time.sleep(0.2)
            log_text = daemon_log()
            found = re.search(r'forked "[^"]*/ostrel --root[^"]*" in pid (\d+)', log_text)
            pid = int(found.group(1)) if found else None
        time.sleep(3)
        check(alive(pid), f"ostrel (pid {pid}) ended while the screen was blanked:\n{daemon_log()}")
        share = bright_share(grab(xvfb.display, os.path.join(h.out, "xscreensaver-daemon.png")))
        print(f"     daemon's run: ostrel pid {pid}, {share:.3f} of the screen lit "
              f"(saved {os.path.join(h.out, 'xscreensaver-daemon.png')})", flush=True)
        check(share > LIT, f"only {share:.4f} of the blanked screen lit")
        check(command("-deactivate").returncode == 0, "xscreensaver-command -deactivate failed")
        ended = time.monotonic()
        while alive(pid):
            check(time.monotonic() - ended < 1.0, f"ostrel (pid {pid}) still running a second after -deactivate")
            time.sleep(0.05)
        print(f"     ostrel gone {time.monotonic() - ended:.2f} s after -deactivate", flush=True)
        command("-exit")
        wait_exit(daemon, 10)
    finally:
        xvfb.stop()


def alive(pid):
    """Running and not yet a zombie waiting for its parent."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--native-build", default=os.path.join(ROOT, "build", "native"))
    parser.add_argument("--deb", default=package_path(), help="the Debian package (packaging/debian/build-deb.sh)")
    parser.add_argument("--fps-seconds", type=float, default=2.0, help="how long each installed scene is drawn")
    parser.add_argument("--only", action="append", default=[], help="run only the named tests")
    parser.add_argument("--out", default=os.path.join(ROOT, "out"), help="folder for screenshots")
    args = parser.parse_args()
    # Tests start programs from other folders than this one.
    args.native_build = os.path.abspath(args.native_build)
    args.hack = os.path.join(args.native_build, "shell", "ostrel")
    for path in [args.hack, args.deb, shutil.which("xscreensaver"), shutil.which("lintian")]:
        if not path or not os.path.exists(path):
            print(f"missing {path}", file=sys.stderr)
            return 2

    tests = [test_own_window_draws_and_ends_on_a_key, test_own_window_ends_on_the_window_managers_close,
             test_window_id_draws_inside_only_and_follows_its_size, test_root_window_draws_and_sigterm_ends_with_zero,
             test_xscreensaver_window_is_drawn_in_even_with_root, test_destroying_the_window_ends_the_run,
             test_failed_starts_say_why_and_exit_1, test_a_scene_without_root_object_shows_a_black_screen,
             test_package_holds_the_program_the_shipped_scenes_and_their_pictures,
             test_package_settings_file_offers_every_scene, test_lintian_reports_no_errors,
             test_installed_program_draws_the_installed_scenes, test_daemon_runs_the_packaged_program_and_ends_it]
    if args.only:
        tests = [t for t in tests if t.__name__[5:] in args.only]

    xvfb = Xvfb(640, 480)
    h = Harness(args, xvfb.display)
    print(f"== end-to-end tests of the Linux screensaver (Xvfb {xvfb.display} 640x480)", flush=True)
    try:
        for test in tests:
            h.run(test)
    finally:
        h.close()
        xvfb.stop()
    return h.summary()


if __name__ == "__main__":
    sys.exit(main())
