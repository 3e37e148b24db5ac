# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole example session driven through the accessibility tree, as a
screen reader or a user without a mouse would meet the window: the example's
rules and text are on the command line; Run Rules, Process all (the one sex
question answered Female), Save generated file through the save dialog as the
classic dialect, the name typed without ".ged". The caller compares the file
with the example's.

Usage: session.py OUTPUT.ged"""

import os
import sys
import time

import pyatspi

CLASSIC = "GEDCOM, classic Quenby dialect (*.ged)"
HOME_KEYSYM = 0xFF50
DOWN_KEYSYM = 0xFF54
ESCAPE_KEYSYM = 0xFF1B
RETURN_KEYSYM = 0xFF0D
TIMEOUT = 30.0  # seconds for any one step; the whole session takes a few


def log(message):
    print(f"accessibility: {message}", flush=True)


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls `probe` until it returns something true; fails after `timeout`."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            found = probe()
        except Exception:  # an object vanished while it was read: try again
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise SystemExit(f"accessibility: timed out waiting for {what}")


def children(node):
    return [child for child in node if child is not None]


def find(node, role, name=None, depth=0):
    """The first object below `node` with `role` (and `name`, when given)."""
    if node is None or depth > 25:
        return None
    try:
        if node.getRole() == role and (name is None or node.name == name):
            return node
        for child in children(node):
            hit = find(child, role, name, depth + 1)
            if hit is not None:
                return hit
    except Exception:
        return None
    return None


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if (app.name or "").lower() == "quenby":
            return app
    return None


def window_named(app, name):
    for window in children(app):
        if window.name == name and window.getState().contains(pyatspi.STATE_SHOWING):
            return window
    return None


def act(node, *names):
    """Does the first of the named actions `node` offers."""
    action = node.queryAction()
    offered = [action.getName(i) for i in range(action.nActions)]
    for name in names:
        if name in offered:
            action.doAction(offered.index(name))
            return
    raise SystemExit(f"accessibility: {node.name!r} offers {offered}, none of {names}")


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def main():
    output = sys.argv[1]
    app = wait_for("the Quenby window", application)
    main_window = wait_for("the main window", lambda: window_named(app, "hartley.txt, hartley.rules - Quenby"))
    people = wait_for("the people list", lambda: find(main_window, pyatspi.ROLE_LIST, "People List (results of rules)"))
    rules = find(main_window, pyatspi.ROLE_LIST, "Rules")
    wait_for("the example's rules", lambda: rules.childCount == 16)

    log("Run Rules")
    act(find(main_window, pyatspi.ROLE_PUSH_BUTTON, "Run Rules"), "Press")
    wait_for("the people list", lambda: people.childCount == 14)

    log("Process all")
    act(find(main_window, pyatspi.ROLE_PUSH_BUTTON, "Process all"), "Press")
    question = wait_for("the sex question",
                        lambda: window_named(app, "Sex not defined - Please select Male or Female"))
    # The question names the one person of the example without a sex.
    wait_for("the question about Ann Whiteley", lambda: find(question, pyatspi.ROLE_PANEL, "Ann Whiteley"))
    log("asked for Ann Whiteley: Female")
    act(find(question, pyatspi.ROLE_RADIO_BUTTON, "Female"), "Press", "Toggle")
    wait_for("the sex question to close",
             lambda: window_named(app, "Sex not defined - Please select Male or Female") is None)
    individuals = find(main_window, pyatspi.ROLE_TEXT, "Individuals [GED]")
    wait_for("the records", lambda: "0 @I14@ INDI" in text_of(individuals))

    log("Save generated file")
    act(find(main_window, pyatspi.ROLE_PUSH_BUTTON, "Save generated file"), "Press")
    dialog = wait_for("the save dialog", lambda: window_named(app, "Save Quenby GED file"))
    kinds = wait_for("the list of formats", lambda: find(dialog, pyatspi.ROLE_COMBO_BOX, "GEDCOM 5.5.1 (*.ged)"))
    # An entry of the open list is chosen with the keys, as a user without a
    # mouse chooses it: the list's own toggle only selects it. Home first, so
    # a try whose keys came before the list took them is simply made again.
    for attempt in range(3):
        act(kinds, "ShowMenu", "Press")
        popup = wait_for("the open list of formats", lambda: find(kinds, pyatspi.ROLE_LIST))
        wait_for("the list to show", lambda: popup.getState().contains(pyatspi.STATE_SHOWING))
        time.sleep(0.2 * (attempt + 1))
        for keysym in (HOME_KEYSYM, DOWN_KEYSYM, DOWN_KEYSYM, RETURN_KEYSYM):
            pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
        try:
            wait_for("the classic dialect to be chosen", lambda: kinds.name == CLASSIC, timeout=5)
            break
        except SystemExit:
            if attempt == 2:
                raise
            log("the list took no keys; again")
            pyatspi.Registry.generateKeyboardEvent(ESCAPE_KEYSYM, None, pyatspi.KEY_SYM)
    # Typed without its extension, which the save gives it.
    name = find(dialog, pyatspi.ROLE_TEXT, "File name:")
    name.queryEditableText().setTextContents(output.removesuffix(".ged"))
    save = find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Save")
    wait_for("Save to be enabled", lambda: save.getState().contains(pyatspi.STATE_ENABLED))
    act(save, "Press")
    wait_for("the save dialog to close", lambda: window_named(app, "Save Quenby GED file") is None)
    wait_for("the file", lambda: os.path.exists(output))

    log("Quit")
    act(find(main_window, pyatspi.ROLE_MENU_ITEM, "Quit"), "Press")


if __name__ == "__main__":
    main()
