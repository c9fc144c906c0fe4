#!/usr/bin/env python3
"""Checks that vdcsim's folders include one another one way only, and that no two of its
modules (a header with its source) include each other.

    util/     shared helpers: includes nothing else of vdcsim's
    chassis/  the model, its files and its lab: util/
    switch/   the bridge to the library: chassis/, util/
    shell/    the operator's side: switch/, chassis/, util/
    main.cpp  wires them all

usage: check_layers.py SIM_DIR      exit status 1 and one line per fault when it finds any
"""
import pathlib
import re
import sys

ALLOWED = {
    "util": {"util"},
    "chassis": {"chassis", "util"},
    "switch": {"switch", "chassis", "util"},
    "shell": {"shell", "switch", "chassis", "util"},
    "": {"shell", "switch", "chassis", "util"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def modules(sim):
    """{module: set of modules it includes}, a module being a path without its suffix."""
    graph = {}
    for path in sorted(sim.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        module = str(path.relative_to(sim).with_suffix(""))
        includes = graph.setdefault(module, set())
        for name in INCLUDE.findall(path.read_text()):
            if (sim / name).exists():
                includes.add(str(pathlib.Path(name).with_suffix("")))
    return graph


def folder(module):
    return module.split("/")[0] if "/" in module else ""


def layer_faults(graph):
    for module, includes in sorted(graph.items()):
        for other in sorted(includes):
            if folder(other) not in ALLOWED.get(folder(module), set()):
                yield f"{module} includes {other}: {folder(module) or 'main'}/ may not use {folder(other)}/"


def pair_faults(graph):
    for module, includes in sorted(graph.items()):
        for other in sorted(includes):
            if module < other and module in graph.get(other, ()):
                yield f"{module} and {other} include each other"


def main():
    graph = modules(pathlib.Path(sys.argv[1]))
    faults = list(layer_faults(graph)) + list(pair_faults(graph))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
