"""Another part source's tables and builders, for a source that shares them: the module is
loaded once and its build() is not run, so no part is made twice."""

import functools
import importlib.util
import pathlib

PARTS = pathlib.Path(__file__).resolve().parent.parent / "parts"


@functools.lru_cache(maxsize=None)
def part_source(stem):
    """The module of parts/<stem>.py."""
    spec = importlib.util.spec_from_file_location(f"shared_{stem}", PARTS / f"{stem}.py")
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module
