#pragma once
// Plain values to and from Python: a project as a dict of numbers, strings and NumPy
// arrays, and an analysis outcome as a dict of NumPy arrays.

#include "python/src/Analysis.h"
#include "python/src/ProjectValues.h"

#include <pybind11/pybind11.h>

namespace dorvek::python {

namespace py = pybind11;

py::dict ProjectToDict(const ProjectValues& values);
// Raises ValueFault naming the key for a value of the wrong shape or kind.
ProjectValues ProjectFromDict(const py::dict& dict);

py::dict OutcomeToDict(AnalysisOutcome&& outcome);

// Text of the project's title and the like: bytes that are no UTF-8 pass as lone
// surrogates, so that a project of an older program reads and writes back unchanged.
py::str TextToPython(const std::string& text);
std::string TextFromPython(const py::handle& text);

} // namespace dorvek::python
