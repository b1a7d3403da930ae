#!/usr/bin/env python3
"""Prints the include graph between the product's folders and checks it against the layering.

Every `#include "..."` line of the C++ files under the product folders is an edge from the including file's folder
to the included file's folder (an include without a folder names a file beside the includer). The script prints the
edges with their number of include lines, then fails (exit 1) when the graph has a cycle or an edge the table below
does not allow, naming the include lines behind each fault. Exit 0 otherwise.

The table matches the libraries of CMakeLists.txt, where the build enforces the same layers by linking.
Usage: tools/include-graph.py [--root DIR]
"""

import argparse
import os
import re
import sys
from collections import defaultdict

# Each folder and the folders it may include from (besides itself). res/ holds the resource identifiers, plain
# macros: the folders that have or will have dialogs and menus may read them; the data layers do not.
ALLOWED = {
    "model/base": set(),
    "media": {"model/base", "res"},
    "imdb": {"model/base", "res"},
    "skin": {"model/base", "res"},
    "model": {"model/base", "media", "imdb"},
    "exchange": {"model/base", "media", "imdb", "model", "res"},
    "ui": {"model/base", "media", "imdb", "skin", "model", "exchange", "res"},
    "app": {"model/base", "media", "imdb", "skin", "model", "exchange", "ui", "res"},
    "res": set(),
}

PRODUCT_ROOTS = ["app", "ui", "model", "media", "imdb", "skin", "exchange", "res"]
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def scan(root):
    """Returns {(from, to): [(file, line), ...]} for the include lines between folders, and the folders seen."""
    edges = defaultdict(list)
    folders = set()
    for top in PRODUCT_ROOTS:
        for directory, subdirs, files in os.walk(os.path.join(root, top)):
            subdirs.sort()
            folder = os.path.relpath(directory, root).replace(os.sep, "/")
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                folders.add(folder)
                path = os.path.join(directory, name)
                with open(path, encoding="utf-8", errors="replace") as source:
                    for number, text in enumerate(source, 1):
                        match = INCLUDE.match(text)
                        if not match:
                            continue
                        included = match.group(1)
                        target = os.path.dirname(included) if "/" in included else folder
                        if target != folder:
                            edges[(folder, target)].append((f"{folder}/{name}", number))
    return edges, folders


def cycles(edges):
    """The strongly connected components of more than one folder (Tarjan), each as a sorted list."""
    graph = defaultdict(set)
    for a, b in edges:
        graph[a].add(b)
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(graph[node]):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            component = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                component.append(top)
                if top == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def shortest_cycle(edges, members):
    """The shortest closed path through the folders of one strongly connected component, first folder repeated."""
    best = None
    for start in sorted(members):
        paths = {start: [start]}
        queue = [start]
        while queue:
            node = queue.pop(0)
            for a, b in sorted(edges):
                if a != node or b not in members:
                    continue
                if b == start:
                    candidate = paths[node] + [start]
                    if best is None or len(candidate) < len(best):
                        best = candidate
                    queue = []
                    break
                if b not in paths:
                    paths[b] = paths[node] + [b]
                    queue.append(b)
    return best


def where(lines, limit=5):
    shown = [f"{path}:{number}" for path, number in lines[:limit]]
    more = f" and {len(lines) - limit} more" if len(lines) > limit else ""
    return ", ".join(shown) + more


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    root = parser.parse_args().root
    edges, folders = scan(root)

    print("Include graph between folders (include lines per edge):")
    for (a, b), lines in sorted(edges.items()):
        print(f"  {a:<11} -> {b:<11} {len(lines):4}")

    faults = []
    for folder in sorted(folders - ALLOWED.keys()):
        faults.append(f"folder {folder} has no place in the layer table of tools/include-graph.py")
    for (a, b), lines in sorted(edges.items()):
        if a in ALLOWED and b not in ALLOWED[a]:
            allowed = ", ".join(sorted(ALLOWED[a])) or "nothing of ours"
            faults.append(f"{a} -> {b} is against the layering ({a} may include {allowed}): {where(lines)}")
    for component in cycles(edges):
        path = shortest_cycle(edges, set(component))
        steps = [f"{a} -> {b} ({where(edges[(a, b)], 2)})" for a, b in zip(path, path[1:])]
        faults.append(f"cycle {' -> '.join(path)}: " + "; ".join(steps))

    if faults:
        print()
        for fault in faults:
            print(f"FAULT: {fault}")
        print(f"{len(faults)} fault(s) in the include graph")
        return 1
    print("No cycle, and every edge follows the layering.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
