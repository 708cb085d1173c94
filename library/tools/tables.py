"""The reference tables a part's value rows come from, read once.

`data/standards/*.csv` are the tables of the standards (one file per standard, columns as its
README describes); `tests/data/fasteners/*.csv` are the project's checked tables for the sizes
they share. Where both give a size, `merged` takes the checked table's value: the library's
README lists every cell where the two disagree (see tools/crosscheck.py).
"""

import csv
import functools
import pathlib

HERE = pathlib.Path(__file__).resolve().parent.parent
STANDARDS = HERE / "data" / "standards"
CHECKED = HERE.parent / "tests" / "data" / "fasteners"


@functools.lru_cache(maxsize=None)
def _read(path):
    with open(path, newline="", encoding="utf-8") as f:
        return tuple(dict(r) for r in csv.DictReader(f))


def standard(name):
    """Rows of data/standards/<name>.csv, keyed by size, in file order."""
    return {r["size"]: r for r in _read(STANDARDS / f"{name}.csv")}


def checked(name, key="size"):
    return {r[key]: r for r in _read(CHECKED / f"{name}.csv")}


def num(text):
    """A cell as a number (int when whole); blank is None."""
    if text is None or text.strip() == "":
        return None
    value = float(text)
    return int(value) if value.is_integer() else value


def sizes(table, wanted=None, bracketed=False):
    """The sizes of a table in order: only `wanted` ones when given, and without the
    non-preferred (bracketed) sizes unless asked."""
    out = []
    for size, row in table.items():
        if wanted is not None and size not in wanted:
            continue
        if not bracketed and row.get("bracketed", "0") == "1":
            continue
        out.append(size)
    return out


# ISO 888 / ISO 4014 length series that the lengths table lacks (it skips 90 between 80 and
# 100 for several standards, while the standards' own length tables list it).
ISO888_EXTRA = (90,)


def lengths(std, lmin, lmax, limit=None):
    """The nominal lengths of standard `std` between lmin and lmax (inclusive), preferred
    lengths only; `limit` keeps at most that many, spread evenly over the range."""
    rows = [r for r in _read(STANDARDS / "nominal_lengths.csv") if r["standard"] == std]
    values = {num(r["l_nom"]) for r in rows if r["bracketed"] != "1"}
    values |= {x for x in ISO888_EXTRA if min(values) < x < max(values)}
    out = sorted(v for v in values if lmin <= v <= lmax)
    if limit and len(out) > limit:
        step = (len(out) - 1) / (limit - 1)
        out = [out[round(i * step)] for i in range(limit)]
    return out


def thread_d(size):
    """The nominal diameter of a thread designation "M12" or "M12x1.5"."""
    return num(size[1:].split("x")[0])


def mark_size(size):
    """A thread designation written the GB/T 1237 way: "M12x1.5" -> "M12×1.5"."""
    return size.replace("x", "×")
