"""Windows programs under Wine in a virtual X server: the prefix, the X server, input, screenshots and
relay traces. Shared by the end-to-end tests and scripts/show.sh; only the standard library."""

import contextlib
import os
import re
import select
import shutil
import signal
import subprocess
import time

from shipped_scenes import shipped_scene_names

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Xvfb:
    """A virtual X server of the given size on a free display number."""

    def __init__(self, width, height):
        self.size = (width, height)
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                self.stop()
                raise Failure("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def xdotool(display, *args, timeout=10):
    env = dict(os.environ, DISPLAY=display)
    result = subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True, timeout=timeout)
    return result.returncode, result.stdout


def find_window(display, title_pattern, timeout=20.0, process=None):
    """The newest X window whose title matches, waiting for it to appear."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        code, out = xdotool(display, "search", "--name", title_pattern)
        ids = out.split()
        if code == 0 and ids:
            return ids[-1]
        if process is not None and process.poll() is not None:
            raise Failure(f"the program ended with {process.returncode} before a window '{title_pattern}' appeared")
        time.sleep(0.1)
    raise Failure(f"no window '{title_pattern}' within {timeout} s")


def press(display, window, key):
    xdotool(display, "windowfocus", window)
    xdotool(display, "key", key)


def answer(display, window, key, process, timeout=20.0):
    """Presses a key on a dialog until its program ends: a window can exist before it takes keys."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        press(display, window, key)
        try:
            return process.wait(1.5)
        except subprocess.TimeoutExpired:
            pass
    raise Failure(f"the program did not end on {key} within {timeout} s")


def grab(display, path=None):
    """The whole screen as binary PPM, saved as PNG too when a path is given. Eight bits a channel,
    as bright_share reads it: import writes sixteen unless told."""
    env = dict(os.environ, DISPLAY=display)
    ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=env, capture_output=True,
                         timeout=30).stdout
    check(ppm.startswith(b"P6") and ppm.split(maxsplit=4)[3] == b"255", "no screenshot of 8 bits a channel")
    if path:
        subprocess.run(["convert", "ppm:-", path], input=ppm, capture_output=True, timeout=30)
    return ppm


def screenshot(display, path):
    """Saves the whole screen as PNG and returns the share of pixels that are not dark."""
    return bright_share(grab(display, path))


def bright_share(ppm, region=None):
    """Share of pixels with a channel above 40 in a binary PPM, optionally within (x, y, w, h)."""
    fields = []
    position = 0
    while len(fields) < 4:
        while ppm[position:position + 1].isspace():
            position += 1
        if ppm[position:position + 1] == b"#":
            position = ppm.index(b"\n", position) + 1
            continue
        end = position
        while not ppm[end:end + 1].isspace():
            end += 1
        fields.append(ppm[position:end])
        position = end
    check(fields[0] == b"P6", "screenshot is not a binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = ppm[position + 1:]
    x0, y0, w, h = region or (0, 0, width, height)
    bright = 0
    for y in range(y0, y0 + h):
        row = pixels[(y * width + x0) * 3:(y * width + x0 + w) * 3]
        bright += sum(1 for i in range(0, len(row), 3) if max(row[i], row[i + 1], row[i + 2]) > 40)
    return bright / float(w * h)


class Relay:
    """A relay trace written by one run."""

    def __init__(self, path):
        self.path = path

    def lines(self):
        with open(self.path, "r", errors="replace") as f:
            return f.read().splitlines()

    def calls(self, function):
        return [line for line in self.lines() if f"Call {function}(" in line]

    def index_of(self, text, lines=None):
        for i, line in enumerate(lines if lines is not None else self.lines()):
            if text in line:
                return i
        return -1

    def message_times(self, message):
        """Milliseconds since the start at which the window procedure was called with a message:
        the first timeGetTime is the start, each window procedure call reads the clock once."""
        lines = self.lines()
        start = None
        times = []
        pending = False
        for line in lines:
            value = re.search(r"Ret  winmm\.timeGetTime\(\) retval=([0-9a-f]+)", line)
            if value:
                now = int(value.group(1), 16)
                if start is None:
                    start = now
                elif pending:
                    times.append((now - start) & 0xFFFFFFFF)
                    pending = False
            elif "Call window proc" in line and f"msg={message}," in line:
                pending = True
        return times


def wait_exit(process, timeout):
    try:
        return process.wait(timeout)
    except subprocess.TimeoutExpired:
        raise Failure(f"the program did not end within {timeout} s")


@contextlib.contextmanager
def time_limit(seconds):
    """Raises Failure inside the block once the seconds are over, so that no test hangs."""

    def expired(signum, frame):
        raise Failure(f"timed out after {seconds} s")

    previous = signal.signal(signal.SIGALRM, expired)
    signal.alarm(seconds)
    try:
        yield
    finally:
        signal.alarm(0)
        signal.signal(signal.SIGALRM, previous)


class WinePrefix:
    """A private Wine prefix on one X display. Its drive_c/windows is the Windows directory, where the
    screensaver looks for its scenes."""

    def __init__(self, path, logs):
        self.path = path
        self.logs = logs
        self.windows = os.path.join(path, "drive_c", "windows")
        self.display = None
        self.processes = []
        self.log_number = 0
        # A persistent server keeps running between programs; a prefix whose registry files are
        # read needs one that stops, as the server writes them only then.
        self.persistent = False

    def env(self, debug="-all"):
        env = dict(os.environ)
        # No Mono or Gecko installers on first start.
        env.update(WINEPREFIX=self.path, WINEDEBUG=debug, WINEDLLOVERRIDES="mscoree,mshtml=")
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("DISPLAY", None)
        if self.display:
            env["DISPLAY"] = self.display
        return env

    def start(self, args, relay=False, extra_debug=""):
        """Starts a Windows program; with relay or other debug channels (extra_debug, as ",+msgbox"),
        its trace goes to a new log file."""
        debug = ("-all,+relay" if relay else "-all") + extra_debug
        log = None
        if debug != "-all":
            self.log_number += 1
            log = os.path.join(self.logs, f"relay-{self.log_number}.log")
        stderr = open(log, "w") if log else subprocess.DEVNULL
        process = subprocess.Popen([WINE, *args], env=self.env(debug), stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=stderr, start_new_session=True)
        if log:
            stderr.close()
        self.processes.append(process)
        return process, (Relay(log) if log else None)

    def tool(self, args, timeout=60):
        process, _ = self.start(args)
        return wait_exit(process, timeout)

    def server(self, *args, timeout=60):
        subprocess.run([WINESERVER, *args], env=self.env(), timeout=timeout, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def use_display(self, display):
        """Moves the prefix to an X display: nothing started on another one may keep running."""
        self.server("-k")
        self.server("-w")
        self.display = display
        # A persistent server keeps the desktop process between one program and the next.
        self.server("-p")

    def create(self):
        """Creates the prefix if it is not there yet (10 to 20 seconds)."""
        if not os.path.isdir(self.windows):
            self.tool(["wineboot", "-i"], timeout=180)
            self.server("-w", timeout=180)

    def ensure(self, relay_include):
        """Creates the prefix if needed and starts its persistent server."""
        self.create()
        self.persistent = True
        self.server("-p")
        self.set_relay(relay_include)

    def set_relay(self, functions):
        self.tool(["reg", "add", r"HKCU\Software\Wine\Debug", "/v", "RelayInclude", "/t", "REG_SZ", "/d", functions,
                   "/f"])

    def stop_processes(self):
        """Kills what is still running; True if anything was."""
        leftover = False
        for process in self.processes:
            if process.poll() is None:
                leftover = True
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        self.processes = []
        if leftover:
            # A program killed from outside can leave others waiting on it.
            self.server("-k")
            self.server("-w")
            if self.persistent:
                self.server("-p")
        return leftover

    def close(self):
        self.stop_processes()
        self.server("-k", timeout=30)


def windows_path(path):
    """A Linux path as Wine's programs see it, on drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def install_scenes(windows, content=None, files=()):
    """Empties a Windows directory of scenes and images, then installs content under the name of
    every shipped scene and the given files under their own names. The screensaver's table names
    only shipped scenes (a unit test holds it to the list), so whatever it chooses is content."""
    for name in os.listdir(windows):
        if name.lower().endswith((".psf", ".tga", ".bmp")):
            os.remove(os.path.join(windows, name))
    if content is not None:
        for name in shipped_scene_names():
            with open(os.path.join(windows, name + ".psf"), "wb") as f:
                f.write(content)
    for path in files:
        shutil.copy(path, os.path.join(windows, os.path.basename(path)))
