"""End-to-end tests of the setup program under Wine, in a fresh prefix of their own.

The setup program is built from the builds under test (packaging/windows/build-installer.sh), then
refused, installed, run, installed again, uninstalled and cut short, silently as an administrator
deploys it or through its pages as a user does; the release archive is checked against what it
installed. The tests run in order and share the prefix. The registry is read from the prefix's own
files (system.reg for HKLM, user.reg for HKCU) with its server stopped, since the server writes them
only then; a restart (wineboot -r) stands in for the reboot that finishes an uninstall.
"""

import contextlib
import functools
import hashlib
import os
import re
import stat
import subprocess
import zipfile

from winesession import Failure, WinePrefix, answer, check, find_window, press, screenshot, wait_exit, windows_path

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
OSTREL_ENTRY = UNINSTALL_KEY + r"\Ostrel"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
PREVIOUS_KEY = r"HKCU\Software\Ostrel\Previous Screensaver"
SCREENSAVER = r"C:\windows\ostrel.scr"
UNINSTALLER = r'"C:\Program Files\Ostrel\uninstall.exe"'
# The user's choice before Ostrel, which the uninstall gives back.
PREVIOUS = {"SCRNSAVE.EXE": r"C:\windows\system32\mystify.scr", "ScreenSaveActive": "0"}
# NSIS's exit code for an install its script ended.
SETUP_ABORTED = 2

# What Wine itself changes between two snapshots of a prefix, whatever ran in between.
WINE_OWN_CHANGES = [re.compile(pattern, re.I) for pattern in [
    # The registry's files, rewritten whenever the server stops; their keys are compared instead.
    r"^file (system|user|userdef)\.reg$",
    # Wine's record of the display hardware (adapters, monitors, their driver dates and video ids),
    # written anew at the start of every session and when a program changes the display mode.
    r"^HKLM\\System\\CurrentControlSet\\(Enum\\(Display|PCI)|"
    r"Control\\Class\\\{(4d36e968|4d36e96e)-e325-11ce-bfc1-08002be10318\})\\",
    # The uninstaller runs from a copy of itself in the user's Temp folder and asks for the copy and
    # its folder to be deleted at the next restart; Wine's restart deletes the copy and the request
    # but leaves the empty folder.
    r"^file drive_c/users/[^/]+/Temp/~nsu[^/]*\.tmp$",
]]


def list_files(root):
    """Every file, folder and link under root, with a file's size and time of change."""
    listing = {}
    for folder, folders, files in os.walk(root):
        for name in folders + files:
            path = os.path.join(folder, name)
            status = os.lstat(path)
            if stat.S_ISLNK(status.st_mode):
                entry = "link to " + os.readlink(path)
            elif stat.S_ISDIR(status.st_mode):
                entry = "folder"
            else:
                entry = f"{status.st_size} bytes of {status.st_mtime_ns}"
            listing[os.path.relpath(path, root)] = entry
    return listing


VALUE_LINE = re.compile(r'^(@|"(?:[^"\\]|\\.)*")=(.*)$')


def read_hive(path, root):
    """One of Wine's registry files as {key: {value name: stored text}}, names in lower case as
    Windows compares them, without the times Wine stamps on keys. A key that holds only other keys
    is not written to the file, but is there all the same."""
    keys = {}
    values = None
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read().replace("\\\n  ", "")
    for line in text.splitlines():
        if line.startswith("["):
            key = (root + "\\" + line[1:line.rindex("]")].replace("\\\\", "\\")).lower()
            values = keys.setdefault(key, {})
            while "\\" in key:
                key = key.rsplit("\\", 1)[0]
                keys.setdefault(key, {})
        elif values is not None and line and not line.startswith("#time="):
            match = VALUE_LINE.match(line)
            if match:
                values[match.group(1).lower()] = match.group(2)
            else:
                values[line] = ""
    return keys


def decode(stored):
    """A stored string or number as the program wrote it; anything else as stored."""
    if stored is None:
        return None
    if stored.startswith('"'):
        escapes = {"n": "\n", "r": "\r", "t": "\t", "0": "\0"}
        return re.sub(r"\\(.)", lambda m: escapes.get(m.group(1), m.group(1)), stored[1:-1])
    if stored.startswith("dword:"):
        return int(stored[6:], 16)
    return stored


class Snapshot:
    """The prefix's files and registry at one moment; its server is stopped to take it."""

    def __init__(self, session):
        session.stop_server()
        path = session.wine.path
        self.files = list_files(path)
        self.registry = read_hive(os.path.join(path, "system.reg"), "HKLM")
        self.registry.update(read_hive(os.path.join(path, "user.reg"), "HKCU"))

    def value(self, key, name):
        return decode(self.registry.get(key.lower(), {}).get(f'"{name.lower()}"'))


def differences(before, after):
    """What changed between two snapshots, but for what Wine itself changes."""
    found = []
    for path in sorted(set(before.files) | set(after.files)):
        if before.files.get(path) != after.files.get(path):
            found.append((f"file {path}", before.files.get(path), after.files.get(path)))
    for key in sorted(set(before.registry) | set(after.registry)):
        old, new = before.registry.get(key), after.registry.get(key)
        if old is None or new is None:
            found.append((key, old is not None and "present", new is not None and "present"))
            continue
        for name in sorted(set(old) | set(new)):
            if old.get(name) != new.get(name):
                found.append((f"{key}: {name}", old.get(name), new.get(name)))
    return [f"{item}: {old} -> {new}" for item, old, new in found
            if not any(pattern.search(item) for pattern in WINE_OWN_CHANGES)]


def tells_session(trace, active):
    """Whether the trace holds SPI_SETSCREENSAVEACTIVE (0x11) with the switch and SPIF_SENDCHANGE
    only, so that the running session takes the choice at once and the registry is left to setup."""
    wanted = re.compile(rf"Call user32\.SystemParametersInfoW\(0*11,0*{int(active)},0+,0*2\)")
    return any(wanted.search(line) for line in trace.lines())


def expect_unchanged(before, after, what):
    changes = differences(before, after)
    check(not changes, f"{what} changed the prefix: " + "; ".join(changes[:12]))


@contextlib.contextmanager
def read_only(folder):
    """Nobody may add a file to the folder: root, who ignores permission bits, is kept out by the
    immutable attribute, anyone else by the permission bits."""
    mode = os.stat(folder).st_mode
    if os.geteuid() == 0:
        subprocess.run(["chattr", "+i", folder], check=True, capture_output=True)
    else:
        os.chmod(folder, mode & ~0o222)
    try:
        probe = os.path.join(folder, "ostrel-probe")
        try:
            open(probe, "x").close()
            os.remove(probe)
            raise Failure(f"{folder} could not be made read-only here")
        except PermissionError:
            pass
        yield
    finally:
        if os.geteuid() == 0:
            subprocess.run(["chattr", "-i", folder], check=True, capture_output=True)
        else:
            os.chmod(folder, mode)


def shipped_scene_names():
    with open(os.path.join(ROOT, "scenes", "shipped.txt")) as f:
        return [line.split("#")[0].strip() for line in f if line.split("#")[0].strip()]


def version_strings(program):
    """The string values of a program's version resources."""
    text = subprocess.run(["x86_64-w64-mingw32-windres", "-i", program, "-O", "rc"], capture_output=True, text=True,
                          timeout=60).stdout
    return dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', text))


class Session:
    """The installer tests' prefix and setup program, made on first use."""

    def __init__(self, h, display):
        self.h = h
        self.wine = WinePrefix(os.path.join(h.root, "installer-prefix"), h.root)
        self.wine.display = display
        self.setup = None
        # The prefix before the first install, which the uninstall must give back, and the files
        # that install put into the Windows directory.
        self.before_install = None
        self.installed = []

    def prepare(self):
        if self.setup is not None:
            return
        setup = self.package("build-installer.sh")
        self.wine.create()
        # Also the prefix's first session, in which Wine settles keys of its own.
        for name, value in PREVIOUS.items():
            self.reg("add", DESKTOP_KEY, "/v", name, "/t", "REG_SZ", "/d", value, "/f")
        # What setup tells the running session shows in the relay trace of its calls.
        self.reg("add", r"HKCU\Software\Wine\Debug", "/v", "RelayInclude", "/t", "REG_SZ", "/d",
                 "user32.SystemParametersInfoW", "/f")
        self.setup = windows_path(setup)

    def package(self, script):
        """Builds a Windows package from the builds under test and returns its path."""
        built = subprocess.run([os.path.join(ROOT, "packaging", "windows", script), self.h.root,
                                self.h.args.windows_build, self.h.args.native_build], capture_output=True, text=True,
                               timeout=120)
        check(built.returncode == 0, f"{script} failed: {built.stderr.strip()}")
        return built.stdout.strip()

    def stop_server(self, programs_at_work=False):
        """Stops the prefix's server, which writes the registry's files as it ends. Killing what still
        runs (Wine's own services and desktop) is quicker than waiting for it to end, unless a
        program that one of ours started may still be at work."""
        try:
            if not programs_at_work:
                self.wine.server("-k")
            self.wine.server("-w")
        except subprocess.TimeoutExpired:
            raise Failure("the prefix's programs did not end within a minute")

    def run(self, args, timeout=60, programs_at_work=False):
        """Runs a Windows program to its end, stops the server and returns the program's exit code."""
        return self.run_traced(args, timeout, programs_at_work)[0]

    def run_traced(self, args, timeout=60, programs_at_work=False, relay=False):
        """As run, and with relay the trace of the program's (and its children's) calls."""
        process, trace = self.wine.start(args, relay=relay)
        code = wait_exit(process, timeout)
        self.stop_server(programs_at_work)
        return code, trace

    def reg(self, *args):
        check(self.run(["reg", *args]) == 0, f"reg {' '.join(args)} failed")

    def uninstall(self):
        """Uninstalls as an administrator's tools do, with the entry's quiet command, then restarts."""
        command = Snapshot(self).value(OSTREL_ENTRY, "QuietUninstallString")
        check(command == UNINSTALLER + " /S", f"quiet uninstall command {command!r}")
        # The uninstaller hands its work to a copy of itself and ends at once.
        code, trace = self.run_traced([UNINSTALLER.strip('"'), "/S"], programs_at_work=True, relay=True)
        check(code == 0, f"the uninstaller ended with {code}")
        self.run(["wineboot", "-r"])
        return trace

    def close(self):
        self.wine.close()


def test_setup_refuses_a_read_only_windows_directory(h, s):
    before = Snapshot(s)
    with read_only(s.wine.windows):
        code = s.run([s.setup, "/S"])
        check(code == SETUP_ABORTED, f"silent setup ended with {code}")
        process, trace = s.wine.start([s.setup], extra_debug=",+msgbox")
        window = find_window(s.wine.display, "^Ostrel Screensaver Setup$", process=process)
        code = answer(s.wine.display, window, "Return", process)
        check(code == SETUP_ABORTED, f"setup ended with {code} after its message")
        messages = [line for line in trace.lines() if "MSGBOX_OnInit" in line]
        check(len(messages) == 1 and 'L"Setup cannot write to the Windows folder (C:\\\\windows), where the '
              'screensaver has to go. Nothing was installed.\\r\\n\\r\\nRun setup again as an administrator."'
              in messages[0], f"the message shown: {messages}")
    expect_unchanged(before, Snapshot(s), "the refused install")


def test_silent_install(h, s):
    # A scene of the user's own, which neither the install nor the uninstall may touch.
    with open(os.path.join(s.wine.windows, "mine.psf"), "wb") as f:
        f.write(b"DHSP\0\0\0\0")
    s.before_install = Snapshot(s)
    code, trace = s.run_traced([s.setup, "/S"], relay=True)
    check(code == 0, f"setup ended with {code}")
    after = Snapshot(s)
    check(tells_session(trace, active=True), "setup did not tell the session that the screensaver is on")

    built = [h.args.screensaver] + [os.path.join(h.args.scenes, f"{name}.psf") for name in shipped_scene_names()]
    for path in built:
        with open(path, "rb") as a, open(os.path.join(s.wine.windows, os.path.basename(path)), "rb") as b:
            check(a.read() == b.read(), f"{os.path.basename(path)} differs from the build's")
    # Each scene loads whole from the Windows directory, so the pictures it names are there too.
    for name in shipped_scene_names():
        scene = os.path.join(s.wine.windows, f"{name}.psf")
        checked = subprocess.run([h.args.psftool, "check", scene], capture_output=True, text=True, timeout=60)
        check(checked.returncode == 0, f"{name}.psf does not load as installed: {checked.stderr.strip()}")

    check(after.value(DESKTOP_KEY, "SCRNSAVE.EXE") == SCREENSAVER, "Ostrel is not the chosen screensaver")
    check(after.value(DESKTOP_KEY, "ScreenSaveActive") == "1", "the screensaver is not active")
    for name, value in PREVIOUS.items():
        check(after.value(PREVIOUS_KEY, name) == value, f"the previous {name} is not remembered")

    resources = version_strings(h.args.screensaver)
    with open(os.path.join(ROOT, "packaging", "VERSION")) as f:
        version = f.read().strip()
    expected = {"DisplayName": resources["ProductName"], "Publisher": resources["CompanyName"],
                "DisplayVersion": version, "DisplayIcon": SCREENSAVER + ",0", "UninstallString": UNINSTALLER,
                "QuietUninstallString": UNINSTALLER + " /S", "NoModify": 1, "NoRepair": 1}
    for name, value in expected.items():
        check(after.value(OSTREL_ENTRY, name) == value, f"uninstall entry {name}: {after.value(OSTREL_ENTRY, name)!r}")
    check(os.path.isfile(os.path.join(s.wine.path, "drive_c", "Program Files", "Ostrel", "uninstall.exe")),
          "no uninstaller where the entry says")
    # Windows shows the size in KiB; NSIS counts every file's last KiB whole.
    added = [path for path in after.files if path.startswith("drive_c/windows/") and path not in s.before_install.files]
    s.installed = sorted(os.path.basename(path) for path in added)
    size = sum(-(-os.path.getsize(os.path.join(s.wine.path, path)) // 1024) for path in added)
    check(after.value(OSTREL_ENTRY, "EstimatedSize") == size,
          f"estimated size {after.value(OSTREL_ENTRY, 'EstimatedSize')} KiB, the installed files take {size} KiB")


NUMBERS = "no one two three four five six seven eight nine ten eleven twelve".split()


def test_archive_holds_what_setup_installs(h, s):
    """The archive for those who copy by hand: the files the setup program installed, psftool.exe,
    a README in Windows line endings and checksums that hold."""
    check(s.installed, "needs silent_install first")
    with zipfile.ZipFile(s.package("build-zip.sh")) as archive:
        names = sorted(archive.namelist())
        check(names == sorted(s.installed + ["psftool.exe", "README.txt", "SHA256SUMS"]), f"the archive holds {names}")
        readme = archive.read("README.txt")
        check(readme.endswith(b"\r\n") and b"\n" not in readme.replace(b"\r\n", b""), "a README line without CRLF")
        text = " ".join(readme.decode().split())
        scenes = shipped_scene_names()
        check(f"one of its {NUMBERS[len(scenes)]} scenes ({', '.join(scenes)})" in text, "the README's scenes")
        check("Copying there needs administrator rights" in text, "the README does not say who may copy")
        lines = archive.read("SHA256SUMS").decode().splitlines()
        sums = {name: digest for digest, name in (line.split("  ", 1) for line in lines)}
        check(sorted(sums) == [name for name in names if name != "SHA256SUMS"], f"SHA256SUMS lists {sorted(sums)}")
        for name, digest in sums.items():
            check(hashlib.sha256(archive.read(name)).hexdigest() == digest, f"{name}: wrong checksum")


def expect_running_for(process, seconds):
    try:
        code = process.wait(seconds)
    except subprocess.TimeoutExpired:
        return
    raise Failure(f"the screensaver ended with {code} at once")


def test_installed_screensaver_draws(h, s):
    """Started as Windows starts a screensaver: the chosen program with /s."""
    command = Snapshot(s).value(DESKTOP_KEY, "SCRNSAVE.EXE")
    check(command == SCREENSAVER, f"the chosen screensaver is {command!r}")
    process, _ = s.wine.start([command, "/s"])
    window = find_window(s.wine.display, "^Ostrel Screensaver$", process=process)
    # Past the grace period, in which a key would not end the run.
    expect_running_for(process, 4.0)
    share = screenshot(s.wine.display, os.path.join(h.out, "e2e-installed.png"))
    check(share > 0.002, f"only {share:.2%} of the screen is lit")
    press(s.wine.display, window, "space")
    code = wait_exit(process, 20)
    check(code == 0, f"the screensaver ended with {code}")
    s.stop_server()


def test_upgrade_through_the_pages_keeps_one_entry(h, s):
    """Setup run over the install as a user runs it: Install on the welcome page, then Finish with
    the screensaver's preview ticked."""
    process, _ = s.wine.start([s.setup])
    window = find_window(s.wine.display, "^Ostrel Screensaver Setup$", process=process)
    # Keys pressed while it installs find no button; those after it ends fall in the preview's
    # grace period.
    code = answer(s.wine.display, window, "Return", process)
    check(code == 0, f"setup over the install ended with {code}")
    find_window(s.wine.display, "^Ostrel Screensaver$")
    after = Snapshot(s)
    entries = [key for key, values in after.registry.items()
               if key.startswith(UNINSTALL_KEY.lower() + "\\") and decode(values.get('"displayname"')) ==
               after.value(OSTREL_ENTRY, "DisplayName")]
    check(entries == [OSTREL_ENTRY.lower()], f"uninstall entries {entries}")
    for name, value in PREVIOUS.items():
        check(after.value(PREVIOUS_KEY, name) == value, f"the upgrade remembered {name} "
              f"{after.value(PREVIOUS_KEY, name)!r} instead of the choice before Ostrel")


def test_silent_uninstall_restores_the_prefix(h, s):
    check(s.before_install is not None, "needs silent_install first")
    # A scene the user changed by hand is still one of ours, by its name.
    with open(os.path.join(s.wine.windows, shipped_scene_names()[0] + ".psf"), "ab") as f:
        f.write(b"changed by hand")
    trace = s.uninstall()
    expect_unchanged(s.before_install, Snapshot(s), "install and uninstall")
    check(tells_session(trace, active=PREVIOUS["ScreenSaveActive"] == "1"),
          "the uninstaller did not tell the session the previous screensaver switch")


def test_interrupted_install_can_be_uninstalled(h, s):
    # A folder where a scene goes: the install writes what it can, then stops before choosing Ostrel.
    obstacle = os.path.join(s.wine.windows, shipped_scene_names()[-1] + ".psf")
    os.mkdir(obstacle)
    try:
        before = Snapshot(s)
        code = s.run([s.setup, "/S"])
        check(code == SETUP_ABORTED, f"setup ended with {code}")
        cut = Snapshot(s)
        check("drive_c/windows/ostrel.scr" in cut.files, "nothing was installed")
        check(cut.value(DESKTOP_KEY, "SCRNSAVE.EXE") == PREVIOUS["SCRNSAVE.EXE"], "Ostrel was chosen all the same")
        s.uninstall()
        expect_unchanged(before, Snapshot(s), "the cut install and its uninstall")
    finally:
        os.rmdir(obstacle)


TESTS = [test_setup_refuses_a_read_only_windows_directory, test_silent_install, test_archive_holds_what_setup_installs,
         test_installed_screensaver_draws, test_upgrade_through_the_pages_keeps_one_entry,
         test_silent_uninstall_restores_the_prefix, test_interrupted_install_can_be_uninstalled]


def run(h, tests, display):
    """Runs the tests in order through the harness, in a prefix of their own on the display."""
    session = Session(h, display)

    def bound(test):
        @functools.wraps(test)
        def call(harness):
            try:
                session.prepare()
                test(harness, session)
            finally:
                session.wine.stop_processes()
        return call

    try:
        for test in tests:
            h.run(bound(test))
    finally:
        session.close()
