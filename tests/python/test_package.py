import inspect
import re

import vymath

# The lines pybind11 writes itself: signatures (numbered for overloads) and the overload header.
SIGNATURE = re.compile(r"^(\d+\. )?\w+\(.*\)( -> .*)?$|^Overloaded function\.$")


def documented(obj):
    lines = (inspect.getdoc(obj) or "").splitlines()
    return any(line.strip() and not SIGNATURE.match(line) for line in lines)


def test_every_public_class_and_function_has_a_docstring():
    missing = [name for name in vymath.__all__ if not documented(getattr(vymath, name))]
    for name in vymath.__all__:
        cls = getattr(vymath, name)
        # members of exceptions and of enumerations (InsertResult) are Python's and pybind11's own
        if inspect.isclass(cls) and not issubclass(cls, Exception) and not hasattr(cls, "__members__"):
            for attr, member in vars(cls).items():
                public = not attr.startswith("_") or attr in ("__init__", "__call__")
                if public and (callable(member) or isinstance(member, property)) and not documented(member):
                    missing.append(f"{name}.{attr}")
    assert missing == []
