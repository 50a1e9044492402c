"""Analyses and studies of projects, and their results as NumPy arrays."""

import os
import warnings
from collections import namedtuple

import numpy as np

from . import _core
from ._project import Project

#: The columns of ``Result.tip_results`` and ``Result.load_results``.
COLUMNS = ("head load", "head movement", "tip movement", "tip load")

Curve = namedtuple("Curve", "number depth type tmax phi t z")
Curve.__doc__ = """A t-z curve the analysis used: its number, depth, soil-type code (0 for a user
curve), the peak unit side resistance and the friction angle it was built from, and its points
(unit load transfer t against pile movement z)."""
Distribution = namedtuple("Distribution", "depth load movement")
Distribution.__doc__ = """Axial load and pile movement along the pile, by depth, for one tip
movement or one applied load."""


class PreRunWarning(UserWarning):
    """What the program warns of before a run and lets the user run past: soil layers that end
    above the pile tip, a strength of zero the method needs, a value beyond single precision,
    loads that are all zero. ``warnings.simplefilter("error", dorvek.PreRunWarning)`` turns
    them into errors."""


def _pandas():
    """pandas, or ImportError saying that to_frame needs it."""
    try:
        import pandas
    except ImportError:
        raise ImportError("to_frame needs pandas, which is not installed") from None
    return pandas


def _check_project(project):
    """TypeError for anything but a Project."""
    if not isinstance(project, Project):
        raise TypeError(f"a dorvek.Project, not {type(project).__name__}")


def _units(code, units):
    """The label of a unit code in a unit system ('' when the system is unknown)."""
    return _core.unit_label(code, units) if units in (1, 2) else ""


class Result:
    """The results of one analysis.

    Attributes:
        code: the result code (0: run completed; see ``meaning``).
        meaning: what the code means.
        ok: True when the run completed (code 0).
        warnings: the report's warning blocks (why a curve could not be built, ...).
        diagnostic: why the run stopped, for a run stopped by a fault of the input.
        units: the unit system of the results (1 English, 2 S.I.; 0 when the input was not read).
        force_unit, length_unit: the labels of the units ("LBS"/"IN." or "KN"/"M" style).
        tip_results: the load-settlement summary of the tip movements, one row per tip movement
            with the columns of ``COLUMNS`` (head load, head movement, tip movement, tip load;
            tension and upward movement negative).
        mirrored: per tip movement, True where the pile was solved moving up relative to the soil.
        load_results: one row per applied pile-head load, columns as ``tip_results``.
        converged: per applied load, whether its iteration converged.
        tz_curves: the t-z curves used, a list of ``Curve``.
        qw_curve: the Q-w curve used, rows of (Q, w).
        tip_distributions, load_distributions: per tip movement and per applied load, a
            ``Distribution`` of the axial load and the movement along the pile.
    """

    def __init__(self, values):
        """The result from the values the compiled core returns."""
        self.code = values["code"]
        self.meaning = values["meaning"]
        self.warnings = values["warnings"]
        self.diagnostic = values["diagnostic"]
        self.units = values["units"]
        self.tip_results = values["tip_results"]
        self.mirrored = values["mirrored"]
        self.load_results = values["load_results"]
        self.converged = values["converged"]
        self._values = values

    @property
    def tz_curves(self):
        """The t-z curves the analysis used, a list of ``Curve``."""
        return [Curve(**c) for c in self._values["tz_curves"]]

    @property
    def qw_curve(self):
        """The Q-w curve the analysis used: rows of (Q, w)."""
        return np.column_stack([self._values["qw_q"], self._values["qw_w"]]).astype(np.float32)

    @property
    def tip_distributions(self):
        """Per tip movement, a ``Distribution`` of the axial load and the movement along the pile."""
        return [Distribution(**d) for d in self._values["tip_distributions"]]

    @property
    def load_distributions(self):
        """Per applied load, a ``Distribution`` of the axial load and the movement along the pile."""
        return [Distribution(**d) for d in self._values["load_distributions"]]

    @property
    def ok(self):
        """True when the run completed."""
        return self.code == 0

    @property
    def force_unit(self):
        """Label of the force unit of the results."""
        return _units("F", self.units)

    @property
    def length_unit(self):
        """Label of the length unit of the results."""
        return _units("L", self.units)

    def to_frame(self):
        """The results as a pandas DataFrame, one row per tip movement and per applied load, as
        ``dorvek-run --table`` lists them (needs pandas)."""
        pandas = _pandas()
        rows = [("tip movement", *map(float, r), None) for r in self.tip_results]
        rows += [("head load", *map(float, r), bool(c)) for r, c in zip(self.load_results, self.converged)]
        return pandas.DataFrame(rows, columns=["kind", *COLUMNS, "converged"])

    def __repr__(self):
        """The code, its meaning and the number of results."""
        return (f"<dorvek.Result {self.code} ({self.meaning}): {len(self.tip_results)} tip movements, "
                f"{len(self.load_results)} applied loads>")


def analyse(project, report=None, plot=None, details=True):
    """Analyses ``project`` and returns its ``Result``.

    The kernel runs without holding the interpreter's lock, so analyses in several Python
    threads run in parallel. A run that stops returns its code and the report's warnings; it
    does not raise. ``report=PATH`` also writes the report there, and the plot data file
    beside it (``.dv4p``) or at ``plot``. A project value the program refuses raises
    ValueError, as does the program's check of the user's tip movements against the user's
    curves; what the program lets the user run past is issued as a ``PreRunWarning``.
    ``details=False`` leaves out the curves and the distributions, which saves time when only
    the load-settlement results are wanted.
    """
    _check_project(project)
    report = os.fspath(report) if report is not None else None
    if plot is not None:
        plot = os.fspath(plot)
    elif report is not None:
        plot = os.path.splitext(report)[0] + ".dv4p"
    # The report's header names the project as if it lay beside the report.
    name = os.path.splitext(report)[0] + ".dv4d" if report else ""
    text, fault, findings = project._prepared()
    if fault:
        raise ValueError(fault)
    for finding in findings:
        warnings.warn(finding, PreRunWarning, stacklevel=2)
    values = _core.analyse(text, report, plot, name, bool(details))
    if values["file_error"]:
        raise OSError(values["file_error"])
    return Result(values)


class StudyResult:
    """The results of a parameter study: the table ``dorvek-run --table`` writes, as arrays.

    Attributes:
        names: the varied names, in the order given.
        variants: one row per variant, its value of each name.
        codes: the result code of each variant; ``meanings`` what each means.
        variant: per table row, the index of its variant.
        values: per table row, the variant's values (as ``variants``).
        code: per table row, the variant's result code.
        kind: per table row, "tip movement" or "head load" (empty for a failed variant).
        results: per table row, the columns of ``COLUMNS`` (NaN for a failed variant).
        converged: per table row, 1.0 or 0.0 for an applied load, NaN otherwise.
        units: the unit system of the results (1 English, 2 S.I.).
    """

    _KINDS = np.array(["tip movement", "head load", ""])

    def __init__(self, values):
        """The study's result from the values the compiled core returns."""
        self.names = list(values["names"])
        self.variants = values["variants"]
        self.codes = values["codes"]
        self.meanings = list(values["meanings"])
        self.units = values["units"]
        self.variant = values["variant"]
        self.values = values["values"]
        self.code = values["code"]
        self.kind = self._KINDS[values["kind"]]
        self.results = values["numbers"]
        self.converged = values["converged"]

    def __len__(self):
        """The number of variants."""
        return len(self.variants)

    def to_frame(self):
        """The table as a pandas DataFrame, with the columns of ``dorvek-run --table`` but the
        file (needs pandas)."""
        pandas = _pandas()
        frame = pandas.DataFrame({"variant": self.variant})
        for j, name in enumerate(self.names):
            frame[name] = self.values[:, j]
        frame["result"] = self.code
        frame["meaning"] = [self.meanings[v] for v in self.variant]
        frame["kind"] = self.kind
        for j, column in enumerate(COLUMNS):
            frame[column] = self.results[:, j]
        frame["converged"] = [None if np.isnan(c) else bool(c) for c in self.converged]
        return frame

    def __repr__(self):
        """The varied names, the number of variants and of those not completed."""
        failed = int(np.count_nonzero(self.codes))
        return f"<dorvek.StudyResult of {', '.join(self.names)}: {len(self)} variants, {failed} not completed>"


def study(project, vary, sample=None, seed=1, jobs=0, force=False):
    """Runs a parameter study of ``project`` in memory and returns a ``StudyResult``.

    ``vary`` takes what ``dorvek-run --vary`` takes: one "NAME=VALUES" text or a list of them,
    or a dict {NAME: VALUES} where VALUES is such a text, a number or a list of numbers. The
    forms of VALUES are "V1,V2,...", "FROM:TO:STEP" (every combination of the names), and with
    ``sample=N`` "normal:MEAN:SD" or "lognormal:MEAN:COV", drawn with ``seed``. The names (see
    ``PARAMETERS``): length, diameter, head, ae-factor, side-factor, tip-factor, load-factor.
    The variants run on ``jobs`` threads (1 to 1024, 0: one per core) without the interpreter's
    lock; when fewer threads can be started, a RuntimeWarning says so and the study goes on. A
    study of more than ``VARIANT_LIMIT`` variants needs ``force=True``; none may have more than
    100 000 000. The original project
    is checked as ``analyse`` checks it.
    """
    _check_project(project)
    _, fault, findings = project._prepared()
    if fault:
        raise ValueError(fault)
    for finding in findings:
        warnings.warn(finding, PreRunWarning, stacklevel=2)
    texts = []
    if isinstance(vary, str):
        vary = [vary]
    if isinstance(vary, dict):
        for name, values in vary.items():
            if isinstance(values, str):
                texts.append(f"{name}={values}")
            elif np.ndim(values) == 0:
                texts.append(f"{name}={float(values)!r}")
            else:
                texts.append(f"{name}=" + ",".join(repr(float(v)) for v in values))
    else:
        texts = list(vary)
    if sample is not None and (isinstance(sample, bool) or not isinstance(sample, (int, np.integer)) or sample < 0):
        raise ValueError("--sample: the sample size must be positive")
    if sample is not None and sample > 100_000_000:
        raise ValueError(f"--sample {sample}: at most 100000000 variants")
    if isinstance(jobs, bool) or not isinstance(jobs, (int, np.integer)) or not 0 <= jobs <= 1024:
        raise ValueError("jobs: a number of threads from 1 to 1024, 0 for one per core")
    if isinstance(seed, bool) or not isinstance(seed, (int, np.integer)) or not 0 <= seed <= 2**63 - 1:
        raise ValueError("seed: a whole number from 0 to 9223372036854775807")
    return StudyResult(_core.study(project._values(), texts, sample, int(seed), int(jobs), bool(force)))
