"""Draws every value row of every part of a library through the engine and the drawing server
(`qzdbs batch`), and refuses the library if any drawing failed, showed a message or had an
audit finding: each is printed with its part, row and reason. Texts that still cross a line
(TEXT_OVERLAP) in a part listed in library/text-overlap-pending.txt are counted and warned
about, not refused; a listed part with no such text left is refused until it leaves the list,
so the list only shrinks (`--strict` refuses every crossing, listed or not).

    /usr/bin/python3 drawcheck.py --qzdbs build/apps/qzdbs/qzdbs --library metric-parts.qzlib
"""

import argparse
import json
import pathlib
import subprocess
import sys
import tempfile


def problems(manifest):
    """(part, row, reason) for every drawing that is not clean."""
    for d in manifest["drawings"]:
        where = (d["part"], d["row"])
        if not d["drawn"]:
            yield (*where, "not drawn: " + d.get("failure", "no reason given"))
        for box in d["messages"]:
            yield (*where, f"message {box['title']} {box['text']}")
        for finding in d.get("findings", []):
            yield (*where, "audit " + finding)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--qzdbs", required=True)
    ap.add_argument("--library", required=True)
    ap.add_argument("--format", default="dxf")
    ap.add_argument("--jobs", default="2")
    ap.add_argument("--strict", action="store_true", help="refuse texts crossing lines too")
    args = ap.parse_args()
    with tempfile.TemporaryDirectory(prefix="qzdbs-drawcheck-") as out:
        def batch(fmt):
            return subprocess.run([args.qzdbs, "batch", "--library", args.library, "--jobs",
                                   args.jobs, "--format", fmt, "-o", out],
                                  stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        run = batch(args.format)
        if run.returncode == 2 and "no format" in run.stdout:
            # A program built without the drawing server writes the recording only.
            run = batch("json")
        manifest_file = pathlib.Path(out) / "manifest.json"
        if not manifest_file.exists():
            sys.exit(f"drawcheck: qzdbs batch wrote no manifest (exit {run.returncode}):\n"
                     f"{run.stdout}")
        manifest = json.loads(manifest_file.read_text(encoding="utf-8"))
    # The engine repeats a message for every formula it meets; each is told once.
    found = list(dict.fromkeys(problems(manifest)))
    if not args.strict:
        pending_file = pathlib.Path(__file__).resolve().parent.parent / "text-overlap-pending.txt"
        pending = {line.strip() for line in pending_file.read_text(encoding="utf-8").splitlines()
                   if line.strip() and not line.startswith("#")}
        overlaps = {}
        for part, row, reason in found:
            if reason.startswith("audit TEXT_OVERLAP") and part in pending:
                overlaps[part] = overlaps.get(part, 0) + 1
        found = [f for f in found
                 if not (f[2].startswith("audit TEXT_OVERLAP") and f[0] in pending)]
        for part, count in sorted(overlaps.items(), key=lambda item: -item[1]):
            print(f"drawcheck: warning: {part}: {count} texts crossing a line", file=sys.stderr)
        found += [(part, "-", "no text crosses a line any more: take it off "
                   "text-overlap-pending.txt") for part in sorted(pending - overlaps.keys())]
    for part, row, reason in found[:40]:
        print(f"drawcheck: {part}, row {row}: {reason}", file=sys.stderr)
    if len(found) > 40:
        print(f"drawcheck: ... and {len(found) - 40} more", file=sys.stderr)
    if found:
        sys.exit(f"drawcheck: {len(found)} problems in {args.library}; the library is refused")
    print(f"drawcheck: {manifest['drawn']} drawings of {args.library} clean in "
          f"{manifest['seconds']:.1f} s")


if __name__ == "__main__":
    main()
