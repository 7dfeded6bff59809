#!/usr/bin/env python3
"""Checks the shape of src/: every #include between folders is covered by the CMake links of
the target that compiles the including file, the library links form no cycle, no header
includes itself back through others, and the rooms of one library (its first sub-folders) do
not include each other in a circle. Prints each violation; exits 1 when there is any."""

import re
import sys
from pathlib import Path

CALL = re.compile(r"\b(zkt_library|add_executable|target_link_libraries|target_sources)\s*\(([^)]*)\)", re.S)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
KEYWORDS = {"SOURCES", "DEPENDS", "PUBLIC", "PRIVATE", "INTERFACE", "STATIC"}


def words(body):
    return [w for w in re.sub(r"#[^\n]*", "", body).split() if w not in KEYWORDS]


def read_targets(src):
    """Target name -> (folder, source files, linked target names) for every target in src/."""
    targets = {}
    for cmake in sorted(src.rglob("CMakeLists.txt")):
        folder = cmake.parent
        for kind, body in CALL.findall(cmake.read_text()):
            name, *rest = words(body)
            files = {folder / w for w in rest if re.search(r"\.(cpp|h)$", w)}
            links = {w for w in rest if not re.search(r"\.(cpp|h)$", w)}
            if kind in ("target_link_libraries", "target_sources"):
                if name in targets:
                    targets[name][1].update(files)
                    targets[name][2].update(links)
                continue
            targets[name] = (folder, files, links)
    return targets


def closure(targets, name):
    seen, todo = set(), [name]
    while todo:
        for link in targets.get(todo.pop(), (None, set(), set()))[2]:
            if link in targets and link not in seen:
                seen.add(link)
                todo.append(link)
    return seen


def library_cycles(targets):
    problems = []
    for name in targets:
        if name in closure(targets, name):
            problems.append(f"library cycle through {name}")
    return problems


def library_folder(src, folder_library, folder):
    """The folder of the library a file in `folder` belongs to: a library may keep its files in
    sub-folders of its own (rooms); None outside every library."""
    while folder != src.parent:
        if folder in folder_library:
            return folder
        folder = folder.parent
    return None


def library_folders(targets):
    return {folder: name for name, (folder, _, _) in targets.items() if name.startswith("zkt_")}


def include_problems(src, targets):
    folder_library = library_folders(targets)
    problems = []
    for name, (folder, files, _) in targets.items():
        reachable = {targets[t][0] for t in closure(targets, name)} | {folder}
        own = set(files) | {f.with_suffix(".h") for f in files}
        if folder_library.get(folder) == name:
            # Headers are not listed as sources: those of the folder that no program beside the
            # library claims by its .cpp belong to the library.
            claimed = {f.with_suffix(".h") for other, (where, fs, _) in targets.items()
                       if where == folder and other != name for f in fs}
            own |= {h for h in folder.rglob("*.h")
                    if library_folder(src, folder_library, h.parent) == folder} - claimed
        for path in sorted(own):
            if not path.exists():
                continue
            for included in INCLUDE.findall(path.read_text()):
                target_folder = library_folder(src, folder_library, (src / included).parent)
                if target_folder is None:
                    continue
                if target_folder not in reachable:
                    problems.append(f"{path.relative_to(src)} includes {included}, "
                                    f"but {name} does not link {folder_library[target_folder]}")
    return problems


def header_cycles(src):
    graph = {}
    for path in src.rglob("*"):
        if path.suffix in (".h", ".cpp"):
            graph[path] = [src / i for i in INCLUDE.findall(path.read_text()) if (src / i).exists()]
    problems, state = [], {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in graph.get(node, []):
            if state.get(nxt) == "open":
                cycle = trail[trail.index(nxt):] + [nxt]
                problems.append("include cycle: " + " -> ".join(str(p.relative_to(src)) for p in cycle))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(graph):
        if node not in state:
            visit(node, [node])
    return problems


def room_of(src, folder_library, path):
    """(library folder, room) of a file, or None outside every library and beside the rooms."""
    library = library_folder(src, folder_library, path.parent)
    if library is None or path.parent == library:
        return None
    return library, path.relative_to(library).parts[0]


def room_cycles(src, targets):
    """Rooms of one library that include each other in a circle, each circle reported once with
    one include for every step of it."""
    folder_library = library_folders(targets)
    edges = {}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        here = room_of(src, folder_library, path)
        if here is None:
            continue
        for included in INCLUDE.findall(path.read_text()):
            there = room_of(src, folder_library, src / included)
            if there is not None and there != here and there[0] == here[0]:
                edges.setdefault(here, {}).setdefault(there, f"{path.relative_to(src)} includes {included}")
    cycles, state = set(), {}

    def visit(room, trail):
        state[room] = "open"
        for nxt in sorted(edges.get(room, {})):
            if state.get(nxt) == "open":
                cycle = trail[trail.index(nxt):]
                start = cycle.index(min(cycle))
                cycles.add(tuple(cycle[start:] + cycle[:start]))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[room] = "done"

    for room in sorted(edges):
        if room not in state:
            visit(room, [room])
    problems = []
    for cycle in sorted(cycles):
        steps = list(zip(cycle, cycle[1:] + cycle[:1]))
        library = cycle[0][0].relative_to(src)
        names = " -> ".join(room for _, room in cycle + cycle[:1])
        why = "; ".join(edges[a][b] for a, b in steps)
        problems.append(f"room cycle in {library}: {names} ({why})")
    return problems


def main():
    src = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "src")
    targets = read_targets(src)
    problems = (library_cycles(targets) + include_problems(src, targets) + header_cycles(src)
                + room_cycles(src, targets))
    for problem in problems:
        print(problem)
    print(f"{len(targets)} targets checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
