# SPDX-License-Identifier: GPL-3.0-or-later
"""Walks the wizard's accessible tree on the AT-SPI bus, as a screen reader does: every page and
the dialogs of the Options menu. Prints one line per fault and exits 1 when there is any."""
import re
import sys
import time

import pyatspi

faults = []
KEY_DOWN = 0xFF54
KEY_RETURN = 0xFF0D


def fail(text):
    print("FAIL: " + text)
    faults.append(text)


def states(node):
    return node.getState()


def walk(node, found=None):
    """The showing objects below node."""
    found = [] if found is None else found
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is None:
            continue
        if states(child).contains(pyatspi.STATE_SHOWING):
            found.append(child)
            walk(child, found)
    return found


def wait_for(what, find, limit=30.0):
    """find() once it gives something; a fault when it never does."""
    end = time.monotonic() + limit
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    fail("never found: " + what)
    return None


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == name:
            return app
    return None


def windows(app):
    return [app.getChildAtIndex(i) for i in range(app.childCount) if app.getChildAtIndex(i)]


def shown_dialogs(app):
    return [w for w in windows(app) if w.getRole() == pyatspi.ROLE_DIALOG and
            states(w).contains(pyatspi.STATE_SHOWING)]


def press(node):
    action = node.queryAction()
    for index in range(action.nActions):
        if action.getName(index) in ("Press", "press", "click"):
            action.doAction(index)
            return
    fail("no press action on " + describe(node))


def describe(node):
    return "%s %r" % (node.getRoleName(), node.name)


def focusable(window):
    return [n for n in walk(window) if states(n).contains(pyatspi.STATE_FOCUSABLE)]


def check_names(window, where):
    """Every focusable object has a name, said without an access key's mark ("(F)")."""
    for node in focusable(window):
        if not node.name.strip():
            fail("%s: a focusable %s without a name, in %s" %
                 (where, node.getRoleName(), describe(node.parent)))
        elif re.search(r"\([A-Z]\)|&", node.name):
            fail("%s: %s says its access key" % (where, describe(node)))


def named(window, name, role=None):
    for node in walk(window):
        if node.name == name and (role is None or node.getRole() == role):
            return node
    return None


def main(texts):
    # A loaded machine may take a while to start the wizard and its bridge to the bus.
    app = wait_for("the wizard on the bus", lambda: application(texts["app"]), 120.0)
    if app is None:
        desktop = pyatspi.Registry.getDesktop(0)
        print("on the bus:", [desktop.getChildAtIndex(i).name for i in range(desktop.childCount)])
        return 1
    shown = wait_for("the wizard's window", lambda: shown_dialogs(app))
    if shown is None:
        return 1
    wizard = shown[0]
    nxt = named(wizard, texts["next"], pyatspi.ROLE_PUSH_BUTTON)
    for page in range(5):
        where = "page %d" % page
        check_names(wizard, where)
        if page == 1:
            browse = [n for n in focusable(wizard) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and
                      n.name in (texts["folder"], texts["file"])]
            if len(browse) != 2:
                fail("%s: %d named browse buttons" % (where, len(browse)))
        if page == 3:
            colours = [n for n in focusable(wizard) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and
                       "#" in n.name]
            if len(colours) != 4:
                fail("%s: %d named focusable colour controls: %s" %
                     (where, len(colours), [n.name for n in colours]))
        if page < 4:
            said = nxt.description
            press(nxt)
            wait_for("page %d announced" % (page + 1), lambda: nxt.description != said)

    options = named(wizard, texts["options"], pyatspi.ROLE_PUSH_BUTTON)
    if options is None:
        fail("no Options button among %s" % [describe(n) for n in walk(wizard)
                                             if n.getRole() == pyatspi.ROLE_PUSH_BUTTON])
        return 1
    shown = states(options)
    if not (shown.contains(pyatspi.STATE_HAS_POPUP) or shown.contains(pyatspi.STATE_EXPANDABLE)):
        fail("the Options button does not say it opens a menu")
    # The menu opens on its first item: Down moves to the next, Enter opens the dialog.
    for item, downs, closers in texts["dialogs"]:
        press(options)
        if not wait_for("the Options menu open",
                        lambda: states(options).contains(pyatspi.STATE_EXPANDED)):
            return 1
        for key in [KEY_DOWN] * downs + [KEY_RETURN]:
            pyatspi.Registry.generateKeyboardEvent(key, None, pyatspi.KEY_SYM)
        dialog = wait_for(item, lambda: [w for w in shown_dialogs(app) if w != wizard])
        if not dialog:
            return 1
        # A window that works first (the link check) shows its Close button once it is done.
        closer = wait_for(item + ": a button to close it", lambda: next(
            (node for node in (named(dialog[0], name, pyatspi.ROLE_PUSH_BUTTON)
                               for name in closers) if node is not None), None))
        if closer is None:
            return 1
        check_names(dialog[0], item)
        press(closer)
        wait_for("the wizard alone after " + item, lambda: shown_dialogs(app) == [wizard])
    return 1 if faults else 0


if __name__ == "__main__":
    CHINESE = {
        "app": "Linkshelf",
        "next": "继续",
        "options": "选项",
        "folder": "浏览文件夹...",
        "file": "浏览文件...",
        "dialogs": [("ignored folders", 0, ["取消", "关闭"]), ("import", 1, ["取消", "关闭"]),
                    ("link check", 2, ["关闭"]), ("refresh", 4, ["取消", "关闭"])],
    }
    ENGLISH = {
        "app": "Linkshelf",
        "next": "Next",
        "options": "Options",
        "folder": "Browse for folder...",
        "file": "Browse for file...",
        "dialogs": [("ignored folders", 0, ["Cancel", "Close"]),
                    ("import", 1, ["Cancel", "Close"]), ("link check", 2, ["Close"]),
                    ("refresh", 4, ["Cancel", "Close"])],
    }
    sys.exit(main(ENGLISH if sys.argv[1:] == ["en"] else CHINESE))
