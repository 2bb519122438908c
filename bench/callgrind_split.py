#!/usr/bin/env python3
"""Splits a callgrind profile's instruction count into module code and host code.

    callgrind_split.py CALLGRIND_OUT SOURCE_DIR FRAMES [--top N]

A function belongs to the module when its file is one of the module's
sources (gauges/, params/, sound/, platform/, module/ less the host's gauge
data readers), to the host when it is another file under SOURCE_DIR, and to
neither when it comes from outside (the C and C++ libraries, libm, inlined
library headers): such a call is charged, with everything it runs, to the
caller's side. Counts are divided by FRAMES.
"""
import re
import sys
from collections import defaultdict

# Read by the host (linked into it, not the shipped module).
HOST_SIDE_MODULE_FILES = ("module/needle_map.", "module/element_walk.h", "module/element_motion.h")
MODULE_DIRS = ("gauges/", "params/", "sound/", "platform/", "module/")


def side(path, source_dir):
    if not path.startswith(source_dir):
        return "library"
    rel = path[len(source_dir):].lstrip("/")
    if rel.startswith(HOST_SIDE_MODULE_FILES):
        return "host"
    return "module" if rel.startswith(MODULE_DIRS) else "host"


def parse(path):
    names = {}  # (kind, id) -> name, for compressed strings

    def name_of(kind, value):
        m = re.match(r"\((\d+)\)(?: (.*))?$", value)
        if not m:
            return value
        key = (kind, m.group(1))
        if m.group(2) is not None:
            names[key] = m.group(2)
        return names.get(key, value)

    self_cost = defaultdict(int)  # function -> own instructions
    file_of = {}
    edges = defaultdict(int)  # (caller, callee) -> inclusive instructions
    callee_file = {}
    fl = fn = cfn = cfl = None
    after_calls = False
    with open(path) as f:
        for line in f:
            line = line.rstrip("\n")
            if not line:
                continue
            head = line[0]
            if head.isdigit() or head in "+-*":
                parts = line.split()
                cost = int(parts[1]) if len(parts) > 1 else 0
                if after_calls:
                    edges[(fn, cfn)] += cost
                    after_calls = False
                else:
                    self_cost[fn] += cost
                continue
            key, _, value = line.partition("=")
            if key == "fl":
                fl = name_of("fl", value)
            elif key in ("fi", "fe"):
                name_of("fl", value)
            elif key == "fn":
                fn = name_of("fn", value)
                file_of.setdefault(fn, fl)
            elif key in ("cfl", "cfi"):
                cfl = name_of("fl", value)
            elif key == "cfn":
                cfn = name_of("fn", value)
                callee_file.setdefault(cfn, cfl if cfl is not None else fl)
                cfl = None
            elif key == "calls":
                after_calls = True
    for callee, path_ in callee_file.items():
        file_of.setdefault(callee, path_)
    return self_cost, file_of, edges


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    out, source_dir, frames = sys.argv[1], sys.argv[2].rstrip("/"), int(sys.argv[3])
    top = int(sys.argv[sys.argv.index("--top") + 1]) if "--top" in sys.argv else 0
    self_cost, file_of, edges = parse(out)

    def side_of(fn):
        return side(file_of.get(fn) or "", source_dir)

    charged = defaultdict(int)  # side -> instructions
    per_function = defaultdict(int)
    for fn, cost in self_cost.items():
        s = side_of(fn)
        if s != "library":
            charged[s] += cost
            per_function[fn] += cost
    # Library code, with all it calls, goes to the side that called it.
    for (caller, callee), cost in edges.items():
        if side_of(callee) == "library" and side_of(caller) != "library":
            charged[side_of(caller)] += cost
            per_function[caller] += cost
    total = sum(self_cost.values())
    unplaced = total - charged["module"] - charged["host"]
    print(f"frames: {frames}")
    print(f"instructions per frame: {total / frames:,.0f}")
    print(f"  module code:          {charged['module'] / frames:,.0f}")
    print(f"  host code:            {charged['host'] / frames:,.0f}")
    if unplaced:
        print(f"  library, no caller:   {unplaced / frames:,.0f}")
    if top:
        for s in ("module", "host"):
            print(f"top {s} functions (own code and library calls, per frame):")
            ranked = sorted((c, fn) for fn, c in per_function.items() if side_of(fn) == s)
            for cost, fn in reversed(ranked[-top:]):
                print(f"  {cost / frames:>10,.0f}  {fn}")


if __name__ == "__main__":
    main()
