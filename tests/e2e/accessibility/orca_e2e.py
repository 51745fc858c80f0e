"""The Qt window as Orca says it: the real screen reader runs beside the program, and its debug
log holds every line it would speak ("SPEECH OUTPUT: '...'", speech itself being off).

One keyboard-only walk, keys sent through the X server by the accessibility registry: the
folder fields up to a missing path typed in one, the "Créer" of a missing folder, the first step,
both drop-down lists and a component row ticked off and on again. After each key the test
waits for the line Orca should say, and fails when it never comes.

Exits 77 (skipped) only when Orca refuses to start because another Orca of this user is
running: `orca --replace` would kill every Orca of the user, and those are not this test's.

Usage: orca_e2e.py PATH/TO/tx3_setup
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

import screen_reader_e2e as bus  # the accessibility-bus helpers of the sibling test

# A said line: its text between quotes (quotes inside it included), then Orca's voice settings.
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?(?:\{.*\}|None)?$", re.M)
KEY_END = 0xFF57
KEY_BACKSPACE = 0xFF08
KEY_X = 0x78
# Orca's prefs dir runs this at start: its debug log is written line by line, so a line it says
# can be read at once instead of when its buffer fills.
CUSTOMIZATIONS = "from orca import debug\ndebug.debugFile.reconfigure(line_buffering=True)\n"

failures = []


class Orca:
    """One Orca process and what it has said so far."""

    def __init__(self, root, env):
        self.log = os.path.join(root, "orca-debug.log")
        prefs = os.path.join(root, "orca-prefs")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "orca-customizations.py"), "w", encoding="utf-8") as f:
            f.write(CUSTOMIZATIONS)
        self.output = os.path.join(root, "orca-output.txt")
        with open(self.output, "w", encoding="utf-8") as output:
            self.process = subprocess.Popen(
                ["orca", "-u", prefs, "-d", "speech", "-d", "braille", f"--debug-file={self.log}"],
                env=env, stdout=output, stderr=subprocess.STDOUT)
        self.read_from = 0

    def text(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def spoken(self):
        """Every line said since the last mark."""
        return [m.group(1) for m in SPOKEN.finditer(self.text()[self.read_from:])]

    def mark(self):
        self.read_from = len(self.text())

    def said(self, wanted, seconds=60.0):
        """Waits until Orca says a line that contains `wanted` (or that `wanted` accepts),
        after the last mark."""
        accepts = wanted if callable(wanted) else lambda line: wanted in line
        return bus.wait_for(lambda: any(accepts(line) for line in self.spoken()), seconds)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(30)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def expect(orca, wanted, after, what=None):
    ok = orca.said(wanted)
    if not ok:
        heard = " | ".join(orca.spoken()[-8:])
        failures.append(after)
        print(f"FAIL: after {after}, Orca did not say {what or wanted!r}; it said: {heard}",
              flush=True)
    return ok


def ticked(line):
    return "checked" in line and "not checked" not in line


def focused(app):
    """The focused control's name; None while the tree changes under the walk."""
    try:
        return bus.focused_name(app)
    except Exception:  # a window or row leaving the bus while it is read
        return None


def key(orca, keysym):
    orca.mark()
    bus.press(keysym)


def tab_to(app, orca, name, limit=80):
    """Tab until `name` has the focus; Orca must then say it."""
    for _ in range(limit):
        before = focused(app)
        key(orca, bus.KEY_TAB)
        reached = bus.wait_for(lambda: focused(app) not in (None, before) and focused(app), 60.0)
        if not reached:
            break
        if reached == name:
            return expect(orca, name, f"Tab to {name!r}")
    failures.append(name)
    print(f"FAIL: Tab never reached {name!r} (last: {focused(app)!r})", flush=True)
    return False


def start_orca(root, env):
    orca = Orca(root, env)
    ready = bus.wait_for(lambda: orca.process.poll() is not None or
                         "ORCA: Starting registry" in orca.text(), 120.0)
    if orca.process.poll() is not None:
        with open(orca.output, encoding="utf-8", errors="replace") as output:
            said = output.read()
        if "Another screen reader" in said:
            print("skipped: another Orca of this user is running (this test does not end it)")
            sys.exit(77)
        print(f"FAIL: Orca ended (status {orca.process.returncode}): {said}")
        sys.exit(1)
    if not ready:
        orca.stop()
        print("FAIL: Orca did not start within 120 s")
        sys.exit(1)
    return orca


def main_window_id(pid):
    """The X window of the program's main window: the only one it shows when it starts."""
    search = ["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", "."]
    found = subprocess.run(search, capture_output=True, text=True, check=False).stdout.split()
    return found[0] if len(found) == 1 else None


def give_back_focus(app, window):
    """What the window manager does once a message box closes: its owner gets the X focus again.

    Xvfb has no window manager, so the test does it; the window itself must then put the focus
    back on the control that opened the message box.
    """
    def alert_open():
        try:
            return any(node is not None and node.getRole() == bus.pyatspi.ROLE_ALERT
                       for node in app)
        except Exception:  # the message box leaving the bus while it is read
            return True

    gone = bus.wait_for(lambda: not alert_open(), 60.0)
    if not gone:
        failures.append("message box")
        print("FAIL: the message box did not close on Space", flush=True)
        return
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False, timeout=60)


def walk(app, orca, window):
    # Orca was marked before the program started: the window may take the focus by itself.
    bus.by_name(app, "Nom de la Radio").queryComponent().grabFocus()
    expect(orca, "Nom de la Radio", "the window's first focus")
    # A path that does not exist typed at the end of an existing folder's field.
    if tab_to(app, orca, "Dossier Application"):
        key(orca, KEY_END)
        key(orca, KEY_X)
        expect(orca, bus.MISSING, 'typing a missing path in "Dossier Application"')
        key(orca, KEY_BACKSPACE)
    if tab_to(app, orca, "Créer le dossier Config"):
        key(orca, bus.KEY_SPACE)
        expect(orca, "Dossier créé : C:\\Brennic\\Tarvox\\Config\\", 'Space on its "Créer"')
    if tab_to(app, orca, "Créer les dossiers"):
        key(orca, bus.KEY_SPACE)
        # The status line shows each folder as it is made: the last one stays while the
        # message box is open.
        expect(orca, "C:\\TX_Redist\\", "the first step's button")
        expect(orca, "Dossiers créés", "the first step's end")
        key(orca, bus.KEY_SPACE)  # the message box's button
        give_back_focus(app, window)
        expect(orca, "Créer les dossiers", "closing the message box")
    for name in ("Moteur de base de données", "Moteur de conversion des sons"):
        tab_to(app, orca, name)
    toggle_component(app, orca)


def toggle_component(app, orca):
    """Tab into the component list: Orca says its first row, ticked; Space unticks it, Space
    ticks it again (Orca's own words: "checked", "not checked")."""
    rows = [row for row in bus.by_name(app, "Composants Tarvox") or []]
    if not rows:
        failures.append("component rows")
        print("FAIL: the component list has no rows", flush=True)
        return
    row = rows[0].name
    if not tab_to(app, orca, "Composants Tarvox"):
        return
    expect(orca, lambda line: row in line and ticked(line), "Tab into the component list",
           f"{row!r}, checked")
    key(orca, bus.KEY_SPACE)
    expect(orca, "not checked", f"Space on the ticked row {row!r}")
    key(orca, bus.KEY_SPACE)
    expect(orca, ticked, f"Space again on {row!r}", "checked")


def private_env(root):
    env = dict(os.environ)
    for name, sub in (("HOME", "home"), ("XDG_STATE_HOME", "state"), ("XDG_DATA_HOME", "data"),
                      ("XDG_CONFIG_HOME", "config"), ("XDG_CACHE_HOME", "cache"),
                      ("XDG_RUNTIME_DIR", "runtime")):
        env[name] = os.path.join(root, sub)
        os.makedirs(env[name], mode=0o700, exist_ok=True)
    # Orca's own words in English, whatever the machine's language; the window's stay French.
    env.update(LANG="C.UTF-8", LANGUAGE="", LC_ALL="C.UTF-8", GSETTINGS_BACKEND="memory")
    return env


def main():
    program = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory(prefix="tx3-orca-") as root:
        env = private_env(root)
        drives = os.path.join(root, "drives")
        os.makedirs(os.path.join(drives, "c:", "Brennic", "Tarvox"))
        orca = start_orca(root, env)
        program_env = dict(env, TX3_DRIVES=drives, TX3_LOG_FILE=os.path.join(root, "TX3.log"),
                           QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        orca.mark()
        program_run = subprocess.Popen([program], env=program_env)
        try:
            app = bus.wait_for(lambda: program_run.poll() is not None or
                               bus.find_application(program_run.pid), 60.0)
            if program_run.poll() is not None or app is None:
                print("FAIL: the window never appeared on the accessibility bus")
                return 1
            bus.wait_for(lambda: bus.by_name(app, "Quitter"), 60.0)
            window = bus.wait_for(lambda: main_window_id(program_run.pid), 60.0)
            if window is None:
                print("FAIL: no single X window of the program found")
                return 1
            walk(app, orca, window)
        finally:
            program_run.terminate()
            program_run.wait(30)
            orca.stop()
            if failures:
                kept = os.path.abspath("orca-e2e-debug.log")
                shutil.copyfile(orca.log, kept)
                print(f"Orca's debug log: {kept}")
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
