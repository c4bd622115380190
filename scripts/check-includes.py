#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Include circles between the units of the game (a unit is a header and its
source named alike). The tile and the turn cycle call each other, as the
tile's handler starts a shot, and may stay so; any other circle fails.
Prints one closing line "N passed, N failed"."""
import os
import re
import sys

FOLDERS = ["model", "formats", "audio", "widgets", "sound", "media", "screens"]
ALLOWED = [{"Karte1", "Spielablauf"}]

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
units, files = set(), []
for folder in FOLDERS:
    for directory, _, names in os.walk(os.path.join(root, folder)):
        for name in names:
            if name.endswith((".h", ".cpp")):
                unit = os.path.splitext(name)[0]
                units.add(unit)
                files.append((unit, os.path.join(directory, name)))

include = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
edges = {unit: set() for unit in units}
for unit, path in files:
    with open(path, encoding="utf-8", errors="replace") as source:
        for line in source:
            match = include.match(line)
            if match:
                target = os.path.splitext(os.path.basename(match.group(1)))[0]
                if target in units and target != unit:
                    edges[unit].add(target)

# Tarjan's strongly connected components: each of more than one unit is a circle.
index, low, stack, on_stack, circles = {}, {}, [], set(), []


def visit(unit):
    index[unit] = low[unit] = len(index)
    stack.append(unit)
    on_stack.add(unit)
    for other in edges[unit]:
        if other not in index:
            visit(other)
            low[unit] = min(low[unit], low[other])
        elif other in on_stack:
            low[unit] = min(low[unit], index[other])
    if low[unit] == index[unit]:
        component = set()
        while True:
            other = stack.pop()
            on_stack.discard(other)
            component.add(other)
            if other == unit:
                break
        if len(component) > 1:
            circles.append(component)


sys.setrecursionlimit(10000)
for unit in sorted(units):
    if unit not in index:
        visit(unit)

forbidden = [circle for circle in circles if circle not in ALLOWED]
print(f"{len(units)} units, {sum(len(e) for e in edges.values())} includes between them")
for circle in forbidden:
    print("include circle:", " <-> ".join(sorted(circle)))
    for unit in sorted(circle):
        print("   ", unit, "includes", ", ".join(sorted(edges[unit] & circle)))
print(f"{0 if forbidden else 1} passed, {1 if forbidden else 0} failed")
sys.exit(1 if forbidden else 0)
