"""Section checks of a model: the utilisation of the coincident pair of two forces against each member's
interaction curve, as the tool's ``vymath check``."""

import collections.abc
import json
import os
import warnings

from . import _core
from .model import _cases_of_actions, _combinations, _model, _threads


def check_model(frame, capacity, combinations=None, actions=None, method=None, *, member=None, case=None, x=None,
                step=None, step_number=None, forces=None, filters=None, max_combinations=1000000, threads=0):
    """Checks every member of a model (a pandas DataFrame in long form, as analyse_model reads it) against
    its section: a CheckResult whose to_dict() is the tool's JSON.

    capacity: the capacity file's content as a dict ({"sections": {NAME: {"forces": [FIRST, SECOND],
    "curve": [[first, second], ...]}}, "members": {MEMBER: NAME}, "default": NAME, "method": ...}), or the
    path of such a JSON file. combinations: as analyse_model's (one situation "combinations"); none: the
    load cases, one situation "cases". actions: a dict of actions (the tool's actions file as a dict), every
    design situation of EN 1990 that they form, not with combinations. method: "ray" or
    "at-first-force", overriding the capacity's. max_combinations: the most combinations a section whose
    curve is not convex may enumerate. The notes of the run (members the model lacks, sections checked by
    enumeration) come as warnings. ValueError with the tool's message for bad data.
    """
    threads = _threads(threads)
    if actions is not None and not isinstance(actions, collections.abc.Mapping):
        raise TypeError(f"actions must be a dict, got {type(actions).__name__}")
    if actions is not None and combinations is not None:
        raise ValueError("design situations of actions and combinations exclude each other")
    if isinstance(capacity, dict):
        text, source = json.dumps(capacity, allow_nan=False), "capacity"
    elif isinstance(capacity, (str, os.PathLike)):
        source = os.fspath(capacity)
        with open(source, encoding="utf-8") as f:
            text = f.read()
    else:
        raise TypeError(f"capacity must be a dict or a file's path, got {type(capacity).__name__}")
    if method is not None and not isinstance(method, str):
        raise TypeError(f"method must be a str, got {type(method).__name__}")
    combinations = _combinations(combinations)
    roles = dict(member=member, case=case, x=x, step=step, step_number=step_number, forces=forces, filters=filters)
    if actions is not None:
        model = _model(frame, roles, _cases_of_actions(actions))
        actions = json.dumps(actions, allow_nan=False)
    else:
        model = _model(frame, roles, _core.combination_cases(combinations))
    run = _core.analyse_checks(model, text, source, combinations, actions, method, int(max_combinations), threads)
    for note in run.notes:
        warnings.warn(note, stacklevel=2)
    return CheckResult(run)


class CheckResult:
    """The section checks of a model (check_model): the members and the results in the tool's JSON form."""

    def __init__(self, analysis):
        self._analysis = analysis
        #: The member names, in input order.
        self.members = analysis.members
        #: What the run left aside or did otherwise.
        self.notes = analysis.notes

    def __repr__(self):
        return f"CheckResult({len(self.members)} members)"

    def to_dict(self):
        """The results as the tool's --json writes them, parsed: {"model": {MEMBER: {"section", "forces",
        "method", "exact", "situations": {NAME: {"max", "along"}}}}}."""
        return json.loads(self._analysis.to_json())

    def to_csv(self):
        """The results as the tool's --csv writes them (text)."""
        return self._analysis.to_csv()
