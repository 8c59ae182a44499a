#!/usr/bin/env python3
"""Checks the include graph of every source against the layer table (cmake/layers.txt).

Code in a layer's folder may include headers of its own layer and of the layers it links,
directly or through them. Every other source (tests, fuzz targets, benchmarks) may include the
headers of the layers its build target links, which the build's compile_commands.json tells by the
layers' include folders on each compile line; the headers of tests/ and the like that such a
source includes are held to the same. The compiler already refuses most stray includes through
the include folders, but not a path relative to the including file ("../model/card.h"), nor a
test helper header that reaches a layer its users do not link: this check sees both.

  check_layers.py --source-root DIR [--build DIR] [--graph]

Exits 1 and names each include that breaks the table; --graph prints, for each folder, the
libraries whose headers it includes.
"""

import argparse
import json
import os
import re
import subprocess
import sys
from collections import defaultdict

SOURCE_ENDINGS = (".cpp", ".cc", ".h", ".hpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


class LayerTable:
    def __init__(self, path):
        self.folders = {}  # library -> folders
        self.links = {}  # library -> linked libraries
        self.problems = []
        with open(path, encoding="utf-8") as table:
            for number, line in enumerate(table, 1):
                if not line.strip() or line.lstrip().startswith("#"):
                    continue
                fields = line.split()
                if len(fields) != 3:
                    self.problems.append(f"{path}:{number}: a row is library, folders and links")
                    continue
                library, folders, links = fields
                self.folders[library] = folders.split(",")
                self.links[library] = [] if links == "-" else links.split(",")
        for library, links in self.links.items():
            for link in links:
                if link not in self.links:
                    self.problems.append(f"{library} links {link}, which has no row")
        self.reach = {library: self._reach(library, []) for library in self.links}

    def _reach(self, library, path):
        if library in path:
            self.problems.append("the layers link in a circle: " + " -> ".join(path + [library]))
            return set()
        reached = {library}
        for link in self.links.get(library, []):
            reached |= self._reach(link, path + [library])
        return reached

    def layer_of(self, relative):
        """The library whose folder holds the file (the longest folder that matches), or None."""
        best, best_length = None, -1
        for library, folders in self.folders.items():
            for folder in folders:
                if relative.startswith(folder + "/") and len(folder) > best_length:
                    best, best_length = library, len(folder)
        return best


def source_files(root):
    """The tracked sources under root (every source outside build folders when git is absent)."""
    try:
        listed = subprocess.run(["git", "-C", root, "ls-files"], capture_output=True, text=True,
                                check=True).stdout.splitlines()
    except (OSError, subprocess.CalledProcessError):
        listed = []
        for folder, subfolders, files in os.walk(root):
            subfolders[:] = [s for s in subfolders if not s.startswith((".", "build"))]
            listed += [os.path.relpath(os.path.join(folder, f), root) for f in files]
    return sorted(f for f in listed if f.endswith(SOURCE_ENDINGS))


def includes(root, relative):
    """The repository files that relative includes, as (line, path relative to root)."""
    found = []
    folder = os.path.dirname(relative)
    with open(os.path.join(root, relative), encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            quote, name = match.groups()
            # A quoted name is looked up beside the file first, as the compiler does; every
            # include folder of the build mirrors the source root, so the root comes next.
            candidates = ([os.path.join(folder, name)] if quote == '"' else []) + [name]
            for candidate in candidates:
                candidate = os.path.normpath(candidate)
                if not candidate.startswith("..") and os.path.isfile(os.path.join(root, candidate)):
                    found.append((number, candidate))
                    break
    return found


def linked_layers(build, table, root):
    """For each source the build compiles (relative to root): the layers its target links."""
    path = os.path.join(build, "compile_commands.json")
    with open(path, encoding="utf-8") as commands_file:
        commands = json.load(commands_file)
    folder = re.compile(r"-I\s*(\S*/include/([A-Za-z0-9_]+))(?=\s|$)")
    linked = defaultdict(set)
    for entry in commands:
        command = entry.get("command") or " ".join(entry.get("arguments", []))
        source = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
        linked[source] |= {name for _, name in folder.findall(command) if name in table.links}
    return linked


class Checker:
    def __init__(self, root, table):
        self.root, self.table = root, table
        self.graph = defaultdict(set)  # folder -> libraries it includes
        self.faults = set()
        self._includes = {}

    def includes_of(self, relative):
        if relative not in self._includes:
            self._includes[relative] = includes(self.root, relative)
        return self._includes[relative]

    def check_layer_file(self, relative):
        library = self.table.layer_of(relative)
        for line, target in self.includes_of(relative):
            target_library = self.table.layer_of(target)
            if target_library is None:
                self.faults.add(f"{relative}:{line}: layer {library} includes {target}, "
                                "which belongs to no layer")
                continue
            self.graph[os.path.dirname(relative)].add(target_library)
            if target_library not in self.table.reach[library]:
                self.faults.add(f"{relative}:{line}: layer {library} includes {target} of "
                                f"{target_library}, which it does not link (cmake/layers.txt)")

    def check_other_source(self, source, linked):
        """Follows the source's includes through files outside the layers (test helpers)."""
        visible = set()
        for library in linked:
            visible |= self.table.reach[library]
        seen, pending = {source}, [source]
        while pending:
            relative = pending.pop()
            for line, target in self.includes_of(relative):
                target_library = self.table.layer_of(target)
                if target_library is None:
                    if target not in seen:
                        seen.add(target)
                        pending.append(target)
                    continue
                self.graph[os.path.dirname(relative)].add(target_library)
                if target_library not in visible:
                    via = "" if relative == source else f" (compiled in {source})"
                    self.faults.add(f"{relative}:{line}: includes {target} of {target_library}, "
                                    f"which the build target does not link{via}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source-root", required=True)
    parser.add_argument("--build", help="a configured build folder, for the sources outside layers")
    parser.add_argument("--graph", action="store_true", help="print folder -> libraries")
    arguments = parser.parse_args()
    root = os.path.abspath(arguments.source_root)
    table = LayerTable(os.path.join(root, "cmake", "layers.txt"))
    checker = Checker(root, table)
    files = source_files(root)
    for relative in files:
        if table.layer_of(relative):
            checker.check_layer_file(relative)
    if arguments.build:
        for source, linked in sorted(linked_layers(arguments.build, table, root).items()):
            if not source.startswith("..") and not table.layer_of(source):
                checker.check_other_source(source, linked)
    if arguments.graph:
        for folder in sorted(checker.graph):
            print(f"{folder or '.'} -> {', '.join(sorted(checker.graph[folder]))}")
    problems = table.problems + sorted(checker.faults)
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"{len(problems)} include(s) break the layer table", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
