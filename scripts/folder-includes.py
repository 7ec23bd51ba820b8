#!/usr/bin/env python3
"""Checks that the program's folders include each other one way only.

Reads the quoted includes of every source and header in the program's folders,
counts how often each folder includes each other one, prints the table and
fails (exit status 1) when
  - two folders include each other,
  - framework/ includes a header of the program (any other folder),
  - any folder includes app/ (the root of the program: nothing includes it).

Usage: scripts/folder-includes.py [repository root]   (default: this script's checkout)
"""

import collections
import os
import re
import sys

PROGRAM_FOLDERS = ("framework", "label", "document", "imaging", "album", "uikit",
                   "view", "shell", "printing", "resources", "app")
SOURCE_ENDINGS = (".h", ".hpp", ".cpp", ".c", ".rc")
# Bare names like "resource.h" are found through the build's include paths;
# the resource headers are the only ones given that way across folders.
SEARCHED_FOLDERS = ("resources",)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def source_files(root, folder):
    for directory, _, names in os.walk(os.path.join(root, folder)):
        for name in sorted(names):
            if name.endswith(SOURCE_ENDINGS):
                yield os.path.join(directory, name)


def included_folder(root, including_file, include):
    """The program folder that holds the included header, or None."""
    first = include.replace("\\", "/").split("/", 1)[0]
    if "/" in include.replace("\\", "/") and first in PROGRAM_FOLDERS:
        return first
    beside = os.path.join(os.path.dirname(including_file), include)
    if os.path.exists(beside):
        relative = os.path.relpath(os.path.realpath(beside), os.path.realpath(root))
        top = relative.split(os.sep, 1)[0]
        return top if top in PROGRAM_FOLDERS else None
    for folder in SEARCHED_FOLDERS:
        if os.path.exists(os.path.join(root, folder, include)):
            return folder
    return None  # a system or library header


def count_includes(root):
    """counts[a][b]: how many includes in folder a name a header of folder b (a != b)."""
    counts = collections.defaultdict(collections.Counter)
    where = collections.defaultdict(list)
    for folder in PROGRAM_FOLDERS:
        for path in source_files(root, folder):
            with open(path, encoding="utf-8", errors="replace") as source:
                text = source.read()
            for include in INCLUDE.findall(text):
                target = included_folder(root, path, include)
                if target and target != folder:
                    counts[folder][target] += 1
                    where[(folder, target)].append(
                        "%s: %s" % (os.path.relpath(path, root), include))
    return counts, where


def faults(counts, where):
    found = []
    for a in PROGRAM_FOLDERS:
        for b in PROGRAM_FOLDERS:
            if a < b and counts[a][b] and counts[b][a]:
                found.append("%s/ and %s/ include each other:" % (a, b))
                found.extend("    " + line for line in where[(a, b)] + where[(b, a)])
    for target in counts["framework"]:
        found.append("framework/ includes a program header of %s/:" % target)
        found.extend("    " + line for line in where[("framework", target)])
    for folder in PROGRAM_FOLDERS:
        if counts[folder]["app"]:
            found.append("%s/ includes app/, which nothing may include:" % folder)
            found.extend("    " + line for line in where[(folder, "app")])
    return found


def print_table(counts):
    print("folder       includes (folder: count)")
    for folder in PROGRAM_FOLDERS:
        targets = ", ".join("%s: %d" % (t, n) for t, n in sorted(counts[folder].items()))
        print("%-12s %s" % (folder + "/", targets or "-"))


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    root = os.path.abspath(root)
    missing = [f for f in PROGRAM_FOLDERS if not os.path.isdir(os.path.join(root, f))]
    if missing:
        print("not a Sleevory checkout (no %s/ in %s)" % (", ".join(missing), root), file=sys.stderr)
        return 2
    counts, where = count_includes(root)
    print_table(counts)
    found = faults(counts, where)
    if found:
        print("\n".join(found), file=sys.stderr)
        return 1
    print("the includes run one way")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
