"""The library's formula language, as the build checks it: a parser and an evaluator.

The build evaluates every formula of every part for every value row before it writes the library,
so that a typo, an unknown variable or a division by zero is caught here and not by a user. It
follows the documented language only (no extensions), and it types variables the way the engine
does: a variable is text when the formula uses it as text, otherwise a number, and a number
variable whose value is not a number gets the digits-and-points reading of it (GetBaseLength).
"""

import math
import re

# Functions the language documents, with their allowed argument counts.
FUNCTIONS = {
    "abs": (1, 1), "sqr": (1, 1), "sqrt": (1, 1), "exp": (1, 1), "log": (1, 1), "log10": (1, 1),
    "int": (1, 1), "fix": (1, 1), "round": (1, 2), "ceil": (1, 1), "floor": (1, 1),
    "sgn": (1, 1), "min": (1, 99), "max": (1, 99), "pi": (0, 0),
    "sin": (1, 1), "cos": (1, 1), "tan": (1, 1), "atn": (1, 1),
    "sind": (1, 1), "cosd": (1, 1), "tand": (1, 1), "atand": (1, 1), "atan2d": (2, 2),
    "atan2": (2, 2), "rad": (1, 1), "deg": (1, 1), "iif": (3, 3),
    "len": (1, 1), "left": (2, 2), "right": (2, 2), "mid": (2, 3), "ucase": (1, 1),
    "lcase": (1, 1), "trim": (1, 1), "val": (1, 1), "str": (1, 1), "cstr": (1, 1),
}
TEXT_FUNCTIONS = {"len", "left", "right", "mid", "ucase", "lcase", "trim", "val"}
KEYWORDS = {"true", "false", "and", "or", "not", "xor", "mod"}

_TOKEN = re.compile(r"""
    (?P<ws>\s+)
  | (?P<num>(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)
  | (?P<str>"(?:[^"]|"")*")
  | (?P<name>[A-Za-z\u4e00-\u9fff][A-Za-z0-9_.\u4e00-\u9fff]*)
  | (?P<op><>|<=|>=|[-+*/\\^&=<>(),])
""", re.VERBOSE)


class FormulaError(Exception):
    pass


def general_format(x):
    """A number as the engine writes it: up to 15 significant digits, no trailing zeros."""
    if x == 0:
        return "0"
    text = format(x, ".15g")
    if "e" in text:
        mantissa, exponent = text.split("e")
        sign = exponent[0]
        digits = exponent[1:].lstrip("0").rjust(2, "0")
        text = mantissa + "E" + sign + digits
    return text


def base_length(text):
    """The number made of the digits and points of a text (930 when that is not a number)."""
    kept = "0" + "".join(ch for ch in text if ch in "0123456789.")
    try:
        return float(kept)
    except ValueError:
        return 930.0


def _tokenize(src):
    pos, out = 0, []
    while pos < len(src):
        m = _TOKEN.match(src, pos)
        if not m:
            raise FormulaError(f"unexpected character {src[pos]!r} at {pos + 1} in {src!r}")
        pos = m.end()
        kind = m.lastgroup
        if kind != "ws":
            out.append((kind, m.group()))
    out.append(("end", ""))
    return out


class _Parser:
    """Recursive descent over the documented precedence, loosest first."""

    def __init__(self, src):
        self.src = src
        self.toks = _tokenize(src)
        self.i = 0

    def peek(self):
        return self.toks[self.i]

    def word(self):
        kind, text = self.peek()
        return text.lower() if kind == "name" else None

    def take(self, text=None):
        tok = self.toks[self.i]
        if text is not None and tok[1].lower() != text:
            raise FormulaError(f"expected {text!r} in {self.src!r}")
        self.i += 1
        return tok

    def parse(self):
        kind, text = self.peek()
        if kind == "name" and text.lower() == "result" and self.toks[self.i + 1][1] == "=":
            self.i += 2
        node = self.orx()
        if self.peek()[0] != "end":
            raise FormulaError(f"unexpected {self.peek()[1]!r} in {self.src!r}")
        return node

    def orx(self):
        node = self.andx()
        while self.word() in ("or", "xor"):
            op = self.take()[1].lower()
            node = (op, node, self.andx())
        return node

    def andx(self):
        node = self.notx()
        while self.word() == "and":
            self.take()
            node = ("and", node, self.notx())
        return node

    def notx(self):
        if self.word() == "not":
            self.take()
            return ("not", self.notx())
        return self.compare()

    def compare(self):
        node = self.concat()
        while self.peek()[1] in ("=", "<>", "<", ">", "<=", ">="):
            op = self.take()[1]
            node = ("cmp", op, node, self.concat())
        return node

    def concat(self):
        node = self.additive()
        while self.peek()[1] == "&":
            self.take()
            node = ("&", node, self.additive())
        return node

    def additive(self):
        node = self.modulo()
        while self.peek()[1] in ("+", "-"):
            op = self.take()[1]
            node = (op, node, self.modulo())
        return node

    def modulo(self):
        node = self.intdiv()
        while self.word() == "mod":
            self.take()
            node = ("mod", node, self.intdiv())
        return node

    def intdiv(self):
        node = self.multiplicative()
        while self.peek()[1] == "\\":
            self.take()
            node = ("\\", node, self.multiplicative())
        return node

    def multiplicative(self):
        node = self.unary()
        while self.peek()[1] in ("*", "/"):
            op = self.take()[1]
            node = (op, node, self.unary())
        return node

    def unary(self):
        if self.peek()[1] in ("-", "+"):
            op = self.take()[1]
            return ("neg" if op == "-" else "pos", self.unary())
        return self.power()

    def power(self):
        node = self.atom()
        while self.peek()[1] == "^":
            self.take()
            node = ("^", node, self.atom())
        return node

    def atom(self):
        kind, text = self.take()
        if kind == "num":
            return ("num", float(text))
        if kind == "str":
            return ("str", text[1:-1].replace('""', '"'))
        if text == "(":
            node = self.orx()
            self.take(")")
            return node
        if kind == "name":
            low = text.lower()
            if low == "true":
                return ("num", -1.0)
            if low == "false":
                return ("num", 0.0)
            if low in KEYWORDS:
                raise FormulaError(f"misplaced {text!r} in {self.src!r}")
            if self.peek()[1] == "(":
                if low not in FUNCTIONS:
                    raise FormulaError(f"unknown function {text!r} in {self.src!r}")
                self.take("(")
                args = []
                if self.peek()[1] != ")":
                    args.append(self.orx())
                    while self.peek()[1] == ",":
                        self.take()
                        args.append(self.orx())
                self.take(")")
                lo, hi = FUNCTIONS[low]
                if not lo <= len(args) <= hi:
                    raise FormulaError(f"{text} takes {lo}..{hi} arguments in {self.src!r}")
                return ("call", low, args)
            if low == "pi":
                return ("call", "pi", [])
            if low in FUNCTIONS:
                raise FormulaError(f"function {text!r} without arguments in {self.src!r}")
            return ("var", text)
        raise FormulaError(f"unexpected {text!r} in {self.src!r}")


class Formula:
    """One parsed formula: its variables (in order of first use) and how each is typed."""

    def __init__(self, src):
        self.src = src
        self.tree = _Parser(src).parse()
        self.variables = []
        self.text_vars = set()
        self._scan(self.tree)

    def _note(self, name):
        if name not in self.variables:
            self.variables.append(name)

    def _mark_text(self, node):
        if node[0] == "var":
            self.text_vars.add(node[1])

    def _scan(self, node):
        tag = node[0]
        if tag == "var":
            self._note(node[1])
        elif tag == "&":
            self._mark_text(node[1])
            self._mark_text(node[2])
            self._scan(node[1])
            self._scan(node[2])
        elif tag == "cmp":
            left, right = node[2], node[3]
            if right[0] == "str":
                self._mark_text(left)
            if left[0] == "str":
                self._mark_text(right)
            self._scan(left)
            self._scan(right)
        elif tag == "call":
            if node[1] in TEXT_FUNCTIONS and node[2]:
                self._mark_text(node[2][0])
            for arg in node[2]:
                self._scan(arg)
        else:
            for child in node[1:]:
                if isinstance(child, tuple):
                    self._scan(child)

    def evaluate(self, lookup):
        """The result as the engine writes it back: text, or a number in the general format.

        `lookup(name)` returns a variable's value text, or raises KeyError when it is unknown.
        """
        values = {}
        for name in self.variables:
            raw = lookup(name)
            if name in self.text_vars:
                values[name] = raw
            else:
                try:
                    values[name] = float(raw)
                except ValueError:
                    values[name] = base_length(raw)
        result = _Eval(values, self.src).run(self.tree)
        if isinstance(result, str):
            return result
        if not math.isfinite(result):
            raise FormulaError(f"result not finite in {self.src!r}")
        return general_format(result)


class _Eval:
    def __init__(self, values, src):
        self.values = values
        self.src = src

    def fail(self, why):
        raise FormulaError(f"{why} in {self.src!r}")

    def num(self, v):
        if isinstance(v, str):
            try:
                return float(v)
            except ValueError:
                self.fail(f"text {v!r} where a number is needed")
        return v

    def text(self, v):
        return v if isinstance(v, str) else general_format(v)

    def run(self, node):
        tag = node[0]
        if tag == "num" or tag == "str":
            return node[1]
        if tag == "var":
            return self.values[node[1]]
        if tag == "neg":
            return -self.num(self.run(node[1]))
        if tag == "pos":
            return self.num(self.run(node[1]))
        if tag == "not":
            return 0.0 if self.num(self.run(node[1])) else -1.0
        if tag == "&":
            return self.text(self.run(node[1])) + self.text(self.run(node[2]))
        if tag == "cmp":
            return self.compare(node[1], self.run(node[2]), self.run(node[3]))
        if tag == "call":
            return self.call(node[1], node[2])
        a = self.num(self.run(node[1]))
        b = self.num(self.run(node[2]))
        if tag == "+":
            return a + b
        if tag == "-":
            return a - b
        if tag == "*":
            return a * b
        if tag == "/":
            if b == 0:
                self.fail("division by zero")
            return a / b
        if tag == "\\":
            if round(b) == 0:
                self.fail("division by zero")
            return float(int(round(a) / round(b)))
        if tag == "mod":
            if b == 0:
                self.fail("division by zero")
            return math.fmod(a, b)
        if tag == "^":
            return a ** b
        if tag == "and":
            return -1.0 if (a and b) else 0.0
        if tag == "or":
            return -1.0 if (a or b) else 0.0
        if tag == "xor":
            return -1.0 if (bool(a) != bool(b)) else 0.0
        self.fail(f"unknown node {tag}")

    def compare(self, op, a, b):
        if isinstance(a, str) and isinstance(b, str):
            pass
        else:
            a, b = self.num(a), self.num(b)
        result = {"=": a == b, "<>": a != b, "<": a < b, ">": a > b, "<=": a <= b,
                  ">=": a >= b}[op]
        return -1.0 if result else 0.0

    def call(self, name, args):
        if name == "iif":
            cond = self.num(self.run(args[0]))
            return self.run(args[1] if cond else args[2])
        vals = [self.run(a) for a in args]
        if name in ("len", "left", "right", "mid", "ucase", "lcase", "trim", "val"):
            t = self.text(vals[0])
            if name == "len":
                return float(len(t))
            if name == "left":
                return t[:int(self.num(vals[1]))]
            if name == "right":
                n = int(self.num(vals[1]))
                return t[-n:] if n else ""
            if name == "mid":
                start = int(self.num(vals[1])) - 1
                return t[start:start + int(self.num(vals[2]))] if len(vals) > 2 else t[start:]
            if name == "ucase":
                return t.upper()
            if name == "lcase":
                return t.lower()
            if name == "trim":
                return t.strip()
            m = re.match(r"\s*[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?", t)
            return float(m.group()) if m else 0.0
        if name in ("str", "cstr"):
            return self.text(vals[0])
        x = [self.num(v) for v in vals]
        if name in ("sqr", "sqrt"):
            if x[0] < 0:
                self.fail("square root of a negative number")
            return math.sqrt(x[0])
        if name in ("log", "log10") and x[0] <= 0:
            self.fail("logarithm of a number that is not positive")
        simple = {
            "abs": abs, "exp": math.exp, "log": math.log, "log10": math.log10,
            "int": math.floor, "fix": math.trunc, "ceil": math.ceil, "floor": math.floor,
            "sin": math.sin, "cos": math.cos, "tan": math.tan, "atn": math.atan,
            "rad": math.radians, "deg": math.degrees,
            "sind": lambda v: math.sin(math.radians(v)),
            "cosd": lambda v: math.cos(math.radians(v)),
            "tand": lambda v: math.tan(math.radians(v)),
            "atand": lambda v: math.degrees(math.atan(v)),
            "sgn": lambda v: float((v > 0) - (v < 0)),
        }
        if name in simple:
            return float(simple[name](x[0]))
        if name == "round":
            digits = int(x[1]) if len(x) > 1 else 0
            scale = 10.0 ** digits
            return math.copysign(math.floor(abs(x[0]) * scale + 0.5) / scale, x[0])
        if name == "min":
            return min(x)
        if name == "max":
            return max(x)
        if name == "pi":
            return math.pi
        if name == "atan2":
            return math.atan2(x[0], x[1])
        if name == "atan2d":
            return math.degrees(math.atan2(x[0], x[1]))
        self.fail(f"unknown function {name}")
