"""The Qt window as a screen reader reads it, through the Linux accessibility bus (AT-SPI).

Runs the real program on a temporary installation and checks what Orca would find: a name on
every control the keyboard reaches, no name shared by two controls (the rows of a list aside),
the missing folder said in words, the status bar as a status region. Then a keyboard-only run:
from the radio's name, Tab to the "Créer" of the second folder row and press Space; the folder
is made and its field is no longer described as missing. Keys go through the X server (XTest,
by the accessibility registry); no mouse event is sent.

Usage: screen_reader_e2e.py PATH/TO/tx3_setup
"""

import os
import pathlib
import subprocess
import sys
import tempfile
import time

import pyatspi

MISSING = "Dossier introuvable"
# The reading order from the radio's name to the "Créer" of the second folder row.
TAB_PATH = [
    "Nom de la Radio",
    "Nom des Stations 1",
    "Nom des Stations 2",
    "Nom des Stations 3",
    "Nom des Stations 4",
    "Nom des Stations 5",
    "Dossier Application",
    "Choisir le dossier Application",
    "Créer le dossier Application",
    "Dossier Config",
    "Choisir le dossier Config",
    "Créer le dossier Config",
]
KEY_TAB = 0xFF09  # X keysyms
KEY_SPACE = 0x20

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)


def wait_for(what, seconds=20.0):
    """Polls `what` until it answers something true; the last answer."""
    deadline = time.monotonic() + seconds
    answer = what()
    while not answer and time.monotonic() < deadline:
        time.sleep(0.2)
        answer = what()
    return answer


def find_application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid and app.childCount > 0:
                return app
        except Exception:  # an application leaving the bus while we look
            continue
    return None


def walk(node, inside_list=False):
    """Every accessible below `node`, with whether it is a row of a list."""
    for child in node:
        if child is None:
            continue
        yield child, inside_list
        role = child.getRole()
        yield from walk(child, inside_list or role in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX))


def focusable_controls(app):
    found = []
    for node, row in walk(app):
        states = node.getState()
        if states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
            found.append((node, row))
    return found


def by_name(app, name):
    for node, _ in walk(app):
        if node.name == name:
            return node
    return None


def focused_name(app):
    for node, _ in walk(app):
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node.name
    return None


def press(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)


def check_tree(app):
    controls = focusable_controls(app)
    check(len(controls) >= 50, f"only {len(controls)} focusable controls seen")
    seen = {}
    for node, row in controls:
        role = node.getRoleName()
        check(node.name != "", f"a focusable {role} has no name")
        if row or node.name == "":
            continue
        check(node.name not in seen, f'"{node.name}" names a {role} and a {seen.get(node.name)}')
        seen[node.name] = role

    missing = by_name(app, "Dossier Config")
    present = by_name(app, "Dossier Application")
    check(missing is not None, 'no control is named "Dossier Config"')
    check(present is not None, 'no control is named "Dossier Application"')
    if missing is not None and present is not None:
        check(missing.description == MISSING, "the missing folder's field is not described")
        check(present.description == "", "an existing folder's field is described as missing")

    link = by_name(app, "Codecs Audio")
    check(link is not None and link.getRole() == pyatspi.ROLE_LINK,
          '"Codecs Audio" is not read as a link')

    for name, value in (("Moteur de base de données", "Workgroup V12"),
                        ("Moteur de conversion des sons", "Version 15.3 (payante)")):
        combo = by_name(app, name)
        check(combo is not None and combo.getRole() == pyatspi.ROLE_COMBO_BOX,
              f'no drop-down list is named "{name}"')
        if combo is not None:
            shown = combo.queryText().getText(0, -1) if "Text" in pyatspi.listInterfaces(combo) else ""
            check(value in (shown, combo.name) or any(c is not None and c.name == value
                                                       for c, _ in walk(combo)),
                  f'the list "{name}" does not tell its current item "{value}"')

    frames = [child for child in app if child is not None]
    check(any(f.getRole() == pyatspi.ROLE_FRAME for f in frames),
          "the main window is not read as a frame: " + ", ".join(f.getRoleName() for f in frames))

    components = by_name(app, "Composants Tarvox")
    rows = [child for child in components] if components is not None else []
    check(len(rows) > 0 and all(r.getRole() == pyatspi.ROLE_CHECK_BOX and
                                r.getState().contains(pyatspi.STATE_CHECKED) for r in rows),
          "the component rows are not read as ticked check boxes")

    bars = [node for node, _ in walk(app) if node.getRole() == pyatspi.ROLE_STATUS_BAR]
    check(len(bars) == 1, f"{len(bars)} status bars instead of one")


def keyboard_run(app, config_folder):
    # Without a window manager nothing activates the window: the screen reader's own call does.
    by_name(app, TAB_PATH[0]).queryComponent().grabFocus()
    check(wait_for(lambda: focused_name(app) == TAB_PATH[0]),
          f"the window opens with the focus on {focused_name(app)!r}, not the radio's name")
    for expected in TAB_PATH[1:]:
        press(KEY_TAB)
        reached = wait_for(lambda: focused_name(app) == expected, 5.0)
        check(reached, f"Tab reached {focused_name(app)!r} instead of {expected!r}")
        if not reached:
            return
    press(KEY_SPACE)
    check(wait_for(config_folder.is_dir, 10.0), "Space on the focused button made no folder")
    created = "Dossier créé : C:\\Brennic\\Tarvox\\Config\\"
    check(wait_for(lambda: any(node.name == created for node, _ in walk(app)), 5.0),
          f'the status bar does not say "{created}"')
    check(wait_for(lambda: any(node.name == created and node.getRole() == pyatspi.ROLE_NOTIFICATION
                               and node.getState().contains(pyatspi.STATE_SHOWING)
                               for node, _ in walk(app)), 5.0),
          f'"{created}" is not a notification shown to the screen reader')
    field = by_name(app, "Dossier Config")
    check(wait_for(lambda: field.description == "", 5.0),
          "the field is still described as missing once its folder exists")


def main():
    program = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory(prefix="tx3-a11y-") as root:
        drives = os.path.join(root, "drives")
        os.makedirs(os.path.join(drives, "c:", "Brennic", "Tarvox"))
        env = dict(os.environ)
        for name, sub in (("HOME", "home"), ("XDG_STATE_HOME", "state"),
                          ("XDG_DATA_HOME", "data"), ("XDG_CONFIG_HOME", "config")):
            env[name] = os.path.join(root, sub)
        env.update(TX3_DRIVES=drives, TX3_LOG_FILE=os.path.join(root, "TX3_Setup.log"),
                   QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        program_run = subprocess.Popen([program], env=env)
        try:
            app = wait_for(lambda: program_run.poll() is not None or
                           find_application(program_run.pid), 60.0)
            if program_run.poll() is not None:
                print(f"FAIL: the program ended (status {program_run.returncode}) before its "
                      "window showed")
                return 1
            if app is None:
                print("FAIL: the window never appeared on the accessibility bus")
                return 1
            # The window is on the bus once its controls are: wait for the last of them.
            wait_for(lambda: by_name(app, "Quitter"))
            check_tree(app)
            keyboard_run(app, pathlib.Path(drives, "c:", "Brennic", "Tarvox", "Config"))
        finally:
            program_run.terminate()
            program_run.wait(30)
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
