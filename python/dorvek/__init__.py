"""DORVEK from Python: pile projects, their load-settlement analysis and parameter studies.

The same project model and analysis kernel as the desktop program and ``dorvek-run``, in
process: no files are written unless asked for, results come back as NumPy arrays.

    import dorvek
    project = dorvek.Project.read("pile.dv4d")      # .dv4d, .dv3d or .dvd
    project.length = 600                              # values in the project's units
    result = dorvek.analyse(project)                  # a Result; result.code 0: completed
    result.load_results                               # head load, head movement, tip movement, tip load
    result.to_frame()                                 # a pandas DataFrame, when pandas is installed
    table = dorvek.study(project, {"length": "480:960:60"}, jobs=2)
    project.write("pile-600.dv4d")

Classes: Project (with Layer and TzCurve), Result, StudyResult. Functions: analyse, study.
A value the program refuses raises ValueError with the program's message; a file that cannot
be opened or written raises OSError. A run that stops does not raise: its Result carries the
result code and the report's warnings.
"""

from . import _core
from ._project import LAYER_PROPERTIES, LOADINGS, SOIL_TYPES, Layer, Project, TzCurve
from ._results import COLUMNS, Curve, Distribution, PreRunWarning, Result, StudyResult, analyse, study

#: The version of the analysis kernel.
KERNEL_VERSION = _core.KERNEL_VERSION
#: The names a study varies, with what each one varies.
PARAMETERS = dict(_core.parameter_names())
#: The most variants a study runs without ``force=True``.
VARIANT_LIMIT = _core.VARIANT_LIMIT


def result_meaning(code):
    """What a result code of the kernel means."""
    return _core.result_meaning(code)


__all__ = ["Project", "Layer", "TzCurve", "Result", "StudyResult", "Curve", "Distribution", "PreRunWarning",
           "analyse", "study", "result_meaning", "SOIL_TYPES", "LAYER_PROPERTIES", "LOADINGS",
           "COLUMNS", "PARAMETERS", "VARIANT_LIMIT", "KERNEL_VERSION"]
