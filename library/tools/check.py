"""Evaluates a part for one value row the way the engine computes it, and checks the result.

Structure parameters, properties and points are computed family by family by repeated passes
(a formula may use a value defined after it), each family seeing only what the engine lets it
see: structure parameters use O. and S., properties also T., points also P. Then every entity's
filter and text formulas are evaluated, and the geometry of every entity that passes its filter
is checked: no zero radius, no empty text, no dangling member, hatch loops that close.
"""

import math

from formula import Formula, FormulaError, base_length
import qzlib


class PartError(Exception):
    pass


class NotReady(Exception):
    pass


def input_text(ptype, value):
    """The value text the engine gives a design parameter read from a value row."""
    if ptype == qzlib.TEXTPARA:
        return "" if value is None else str(value)
    number = 0.0 if value is None else float(value)
    return repr(number)[:-2] if number.is_integer() else repr(number)


class Values:
    """All computed values of one part for one value row."""

    def __init__(self, part, row, scale=1.0):
        self.part = part
        self.o = {f"O.{name}": input_text(ptype, v)
                  for (_, name, ptype, _), v in zip(part.inputs, row)}
        self.scale = scale
        self.s, self.t, self.p = {}, {}, {}
        self._cache = {}
        self._compute("S", {name: (expr, is_expr) for name, (_, expr, is_expr, _)
                            in part.structs.items()}, self.s, "OS")
        self._compute("T", {name: (value, is_expr) for name, value, is_expr in part.props},
                      self.t, "OST")
        points = {}
        for name, (_, x, y, z) in part.points.items():
            for axis, expr in zip("XYZ", (x, y, z)):
                points[f"{name}.{axis}"] = (expr, 1)
        self._compute("P", points, self.p, "OSTP")

    def formula(self, src):
        if src not in self._cache:
            self._cache[src] = Formula(src)
        return self._cache[src]

    def lookup(self, name, families="OSTP", pending=None):
        if name.strip().upper() == "QZDBSCA":
            return repr(self.scale)
        prefix = name[:2].upper()
        family = prefix[0] if prefix in ("O.", "S.", "T.", "P.") else None
        if family is None or family not in families:
            raise PartError(f"{self.part.key}: variable {name} is not available here")
        store = {"O": self.o, "S": self.s, "T": self.t, "P": self.p}[family]
        if name in store:
            return store[name]
        if pending is not None and name in pending:
            raise NotReady(name)
        raise PartError(f"{self.part.key}: unknown variable {name}")

    def evaluate(self, src, families="OSTP", pending=None, must_be_text=False):
        f = self.formula(src)
        if must_be_text:
            for var in f.variables:
                if var in f.text_vars or var.strip().upper() == "QZDBSCA":
                    continue
                raw = self.lookup(var, families, pending)
                try:
                    float(raw)
                except ValueError:
                    raise PartError(f"{self.part.key}: {var} = {raw!r} is used as a number in "
                                    f"{src!r} and would read as {base_length(raw):g}")
        return f.evaluate(lambda name: self.lookup(name, families, pending))

    def _compute(self, family, records, store, families):
        pending = {f"{family}.{name}": rec for name, rec in records.items()}
        while pending:
            done = []
            for key, (expr, is_expr) in pending.items():
                if not is_expr:
                    store[key] = expr
                    done.append(key)
                    continue
                try:
                    store[key] = self.evaluate(expr, families, pending)
                    done.append(key)
                except NotReady:
                    pass
                except FormulaError as err:
                    raise PartError(f"{self.part.key}: {key}: {err}")
            if not done:
                raise PartError(f"{self.part.key}: {family} values wait on each other: "
                                f"{', '.join(pending)}")
            for key in done:
                del pending[key]

    def s_value(self, name):
        return float(self.s[f"S.{name}"])

    def point(self, name):
        return (float(self.p[f"P.{name}.X"]), float(self.p[f"P.{name}.Y"]))

    def passes(self, entity):
        result = self.evaluate(entity.filter)
        try:
            return float(result) != 0
        except ValueError:
            return result.lower() != "false"


def _ends(values, e):
    """The two ends of an open boundary curve, or None for a closed one."""
    g = e.geometry
    if e.etype == qzlib.LINE:
        return values.point(g["points"][0]), values.point(g["points"][1])
    if e.etype == qzlib.ARC:
        cx, cy = values.point(g["center"])
        r = values.s_value(g["radius"])
        a0, a1 = (math.radians(values.s_value(g["start"])), math.radians(values.s_value(g["end"])))
        return (cx + r * math.cos(a0), cy + r * math.sin(a0)), (cx + r * math.cos(a1),
                                                                 cy + r * math.sin(a1))
    if e.etype == qzlib.PLINE2D and not g["closed"]:
        return values.point(g["points"][0]), values.point(g["points"][-1])
    return None


def _loop_closes(values, entities):
    """True when the boundary entities chain into closed loops."""
    ends = []
    for e in entities:
        pair = _ends(values, e)
        if pair is not None:
            ends.extend(pair)
    # Each end must meet another end; a closed chain has every end paired.
    unmatched = list(ends)
    while unmatched:
        a = unmatched.pop()
        match = next((b for b in unmatched if math.dist(a, b) < 1e-6), None)
        if match is None:
            return False
        unmatched.remove(match)
    return True


def check_row(part, row, where):
    values = Values(part, row)
    by_id = {e.eid: e for e in part.entities}
    shown = {e.eid: values.passes(e) for e in part.entities}
    for e in part.entities:
        if not shown[e.eid]:
            continue
        for what, src, must_be_text in e.formulas[1:]:  # the first is the filter, done above
            try:
                result = values.evaluate(src, must_be_text=must_be_text)
            except (FormulaError, PartError) as err:
                raise PartError(f"{where}: {what} of entity {e.eid} ({e.name}): {err}")
            if must_be_text and not result.strip():
                raise PartError(f"{where}: {what} of entity {e.eid} is empty")
        g = e.geometry
        members = []
        for table, row in e.rows:
            if table == "QZEntityIdList":
                members.append(row["RefEntityIDs"])
        for m in members:
            if m not in by_id or not shown[m]:
                raise PartError(f"{where}: entity {e.eid} ({e.name}) names entity {m}, "
                                "which is not drawn")
            if set(by_id[m].views) != set(e.views):
                raise PartError(f"{where}: entity {e.eid} names entity {m} of another view")
        if "radius" in g and values.s_value(g["radius"]) <= 0:
            raise PartError(f"{where}: entity {e.eid} ({e.name}) has radius "
                            f"{values.s_value(g['radius'])}")
        if e.etype == qzlib.LINE:
            a, b = (values.point(n) for n in g["points"])
            if math.dist(a, b) < 1e-9:
                raise PartError(f"{where}: line {e.eid} ({e.name}) has zero length")
        if e.etype == qzlib.ELLIPSE:
            rmaj, rmin = values.s_value(g["rmajor"]), values.s_value(g["rminor"])
            if not 0 < rmin <= rmaj:
                raise PartError(f"{where}: ellipse {e.eid} radii {rmaj}, {rmin}")
        if "height" in g and values.s_value(g["height"]) <= 0:
            raise PartError(f"{where}: text {e.eid} has no height")
        if e.etype == qzlib.POLAR and values.s_value(g["count"]) < 2:
            raise PartError(f"{where}: polar array {e.eid} has fewer than 2 items")
        if e.etype == qzlib.HATCH:
            for loop in (g["outer"], g["inner"]):
                if loop and not _loop_closes(values, [by_id[m] for m in loop]):
                    raise PartError(f"{where}: hatch {e.eid} ({e.name}) has an open loop")
        if g.get("kind") == "linear":
            a, b = (values.point(n) for n in g["ext"])
            span = abs(a[1] - b[1]) if g["vertical"] else abs(a[0] - b[0])
            if span < 1e-9:
                raise PartError(f"{where}: dimension {e.eid} ({e.name}) measures nothing")
    return values


def check_part(part):
    if not part.rows:
        raise PartError(f"{part.key}: no value rows")
    if not part.views:
        raise PartError(f"{part.key}: no views")
    for e in part.entities:
        if not e.views:
            raise PartError(f"{part.key}: entity {e.eid} ({e.name}) is in no view")
        # k6 and H7 are the seats' fits, the shaft's and the housing's: a
        # bearing's own diameters have the bearing's deviations, not a class.
        if part.folder == "bearings" and (e.geometry or {}).get("tol"):
            raise PartError(f"{part.key}: dimension {e.eid} ({e.name}) of a bearing carries the "
                            f"fit {e.geometry['tol']}, which belongs to its seat")
    for i, row in enumerate(part.rows):
        check_row(part, row, f"{part.key} row {i + 1}")
    for row in part.edited_rows:
        check_row(part, row, f"{part.key} edited row {row}")


def formulas(part, values):
    """(label, formula) of every formula the engine evaluates for this part and value row:
    structure parameters, properties and points, then the filters of all entities and the
    texts of those that pass."""
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
        shown = values.passes(e)
        for what, src, _ in e.formulas:
            if shown or what == "filter":
                yield f"entity {e.eid} {what}", src


def value_cases(part):
    """For the first, middle and last value row: every value the build computed and every
    formula with its result, for the engine's evaluator to repeat (tests/library)."""
    cases = []
    for index in sorted({0, len(part.rows) // 2, len(part.rows) - 1}):
        values = Values(part, part.rows[index])
        variables = {**values.o, **values.s, **values.t, **values.p}
        checks = [[label, src, values.evaluate(src)] for label, src in formulas(part, values)]
        cases.append({"part": part.pid, "key": part.key, "row": index + 1,
                      "scale": values.scale, "variables": variables, "formulas": checks})
    return cases
