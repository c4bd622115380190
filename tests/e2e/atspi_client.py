#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# An assistive-technology client for the end-to-end tests: it reads the game's
# accessibility tree over AT-SPI with pyatspi, the library screen readers such
# as Orca are built on, and does actions on its elements. The test program
# starts it with the game's process id and writes one command a line; each
# answer is one line of JSON:
#   tree                 every element of the program, depth first: its path
#                        of child indexes, role, name, description, states,
#                        extents on the screen, actions and value
#   focused              the deepest showing element with the focused state,
#                        or null
#   do NAME|ACTION       does the action on the showing element of that name;
#                        true when it was found and the action done
#   events               the announcements heard since the last time (focus,
#                        changes of name, description and value), each with
#                        its kind and its element's role and name
# An element of the program that cannot be read is answered as an error,
# never by ending this client. Run it with Debian's /usr/bin/python3, where
# python3-pyatspi is installed.
import json
import sys

import pyatspi
from gi.repository import GLib

heard = []


def hear(event):
    try:
        source = event.source
        heard.append({"type": event.type, "role": source.getRoleName(), "name": source.name or ""})
    except Exception:  # the element is gone by now
        heard.append({"type": event.type, "role": "", "name": ""})


def listen():
    # A program sends announcements only while someone listens for them, as
    # a screen reader does.
    pyatspi.Registry.registerEventListener(hear, "focus:", "object:property-change:accessible-name",
                                           "object:property-change:accessible-description",
                                           "object:property-change:accessible-value")


def take_heard():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)
    taken = list(heard)
    heard.clear()
    return taken


def program(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def record(element, path):
    states = element.getState()
    entry = {
        "path": path,
        "role": element.getRoleName(),
        "name": element.name or "",
        "description": element.description or "",
        "showing": states.contains(pyatspi.STATE_SHOWING),
        "focused": states.contains(pyatspi.STATE_FOCUSED),
        "actions": [],
        "value": None,
    }
    try:
        extents = element.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        entry.update(x=extents.x, y=extents.y, width=extents.width, height=extents.height)
    except NotImplementedError:
        pass
    try:
        action = element.queryAction()
        entry["actions"] = [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        pass
    try:
        entry["value"] = element.queryValue().currentValue
    except NotImplementedError:
        pass
    return entry


def children(element):
    return [element.getChildAtIndex(i) for i in range(element.childCount)]


def walk(element, path, showing_only, visit):
    if showing_only and not element.getState().contains(pyatspi.STATE_SHOWING):
        return
    visit(element, path)
    for i, child in enumerate(children(element)):
        if child is not None:
            walk(child, path + [i], showing_only, visit)


def tree(app):
    entries = []
    for i, child in enumerate(children(app)):
        walk(child, [i], False, lambda e, p: entries.append(record(e, p)))
    return entries


def focused(app):
    found = []

    def visit(element, path):
        if element.getState().contains(pyatspi.STATE_FOCUSED):
            found.append((element, path))

    for i, child in enumerate(children(app)):
        walk(child, [i], True, visit)
    if not found:
        return None
    element, path = max(found, key=lambda f: len(f[1]))
    return record(element, path)


def do(app, name, action_name):
    matches = []

    def visit(element, path):
        if element.name == name:
            matches.append(element)

    for i, child in enumerate(children(app)):
        walk(child, [i], True, visit)
    for element in matches:
        try:
            action = element.queryAction()
        except NotImplementedError:
            continue
        for i in range(action.nActions):
            if action.getName(i) == action_name:
                return bool(action.doAction(i))
    return False


def main():
    pid = int(sys.argv[1])
    listen()
    for line in sys.stdin:
        command, _, argument = line.rstrip("\n").partition(" ")
        try:
            app = program(pid)
            if app is None:
                answer = {"error": "the program is not on the accessibility bus"}
            elif command == "tree":
                answer = tree(app)
            elif command == "focused":
                answer = focused(app)
            elif command == "events":
                answer = take_heard()
            elif command == "do":
                name, _, action_name = argument.partition("|")
                answer = do(app, name, action_name)
            else:
                answer = {"error": "unknown command " + command}
        except Exception as error:  # a call to the program failed
            answer = {"error": repr(error)}
        print(json.dumps(answer), flush=True)


if __name__ == "__main__":
    main()
