"""Evaluates every formula of the library with the engine's own evaluator (`qzdbs eval`) and
compares each result with the build check's, for the first and last value row of each part.

    /usr/bin/python3 -B library/tools/crosscheck.py --qzdbs build/apps/qzdbs/qzdbs

The build check and the engine must agree on the language; this is how a library author finds
out when they do not.
"""

import argparse
import math
import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent))

import check  # noqa: E402


def formulas(part, values):
    """(label, formula) of every formula the engine evaluates for this part."""
    for name, (_, expr, is_expr, _) in part.structs.items():
        if is_expr:
            yield f"S.{name}", expr
    for name, value, is_expr in part.props:
        if is_expr:
            yield f"T.{name}", value
    for name, (_, x, y, z) in part.points.items():
        for axis, expr in zip("XYZ", (x, y, z)):
            yield f"P.{name}.{axis}", expr
    for e in part.entities:
        if not values.passes(e):
            continue
        for what, src, _ in e.formulas:
            yield f"entity {e.eid} {what}", src


def same(a, b):
    try:
        x, y = float(a), float(b)
    except ValueError:
        return a == b
    return math.isclose(x, y, rel_tol=1e-12, abs_tol=1e-12)


def main():
    import build_library
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--qzdbs", required=True, help="the command-line program")
    args = ap.parse_args()
    lib = build_library.load_library()
    checked = failures = 0
    for part in lib.parts:
        for index in sorted({0, len(part.rows) - 1}):
            values = check.Values(part, part.rows[index])
            for label, src in formulas(part, values):
                f = values.formula(src)
                expected = values.evaluate(src)
                # A blank keeps a formula that starts with a minus sign from reading as an
                # option; it does not change the formula.
                command = [args.qzdbs, "eval", " " + src, "--scale", "1"]
                for var in f.variables:
                    if var.strip().upper() != "QZDBSCA":
                        command += ["--var", f"{var}={values.lookup(var)}"]
                run = subprocess.run(command, capture_output=True, text=True)
                got = run.stdout.rstrip("\n")
                checked += 1
                if run.returncode != 0 or not same(got, expected):
                    failures += 1
                    print(f"{part.key} row {index + 1} {label}: {src!r}: build check "
                          f"{expected!r}, engine {got!r} {run.stderr.strip()}")
    print(f"{checked} evaluations, {failures} disagreements")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
