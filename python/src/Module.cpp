// dorvek._core: the project model and the kernel for the Python package `dorvek`, which
// wraps these functions in its classes. Everything that touches the project model runs with
// the interpreter's lock held; the kernel runs without it.

#include "cli/Study.h"
#include "model/io/OpenFile.h"
#include "model/io/ReadError.h"
#include "model/project/DataUnit.h"
#include "model/tables/InputTables.h"
#include "model/tables/UnitCodes.h"
#include "python/src/Convert.h"
#include "python/src/StudyRun.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace py = pybind11;
using namespace dorvek;
using namespace dorvek::python;

namespace {

// The reader and writer end the lines of their messages with CR.
std::string Lines(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

// OSError (or the subclass of errno) naming the file, when it cannot be opened for reading.
void CheckReadable(const std::string& path) {
    errno = 0;
    if (std::FILE* file = OpenFile(std::filesystem::path(path), "rb")) {
        std::fclose(file);
        std::error_code ec;
        if (!std::filesystem::is_directory(std::filesystem::path(path), ec)) return;
        errno = EISDIR;
    }
    if (errno == 0) errno = ENOENT;
    PyErr_SetFromErrnoWithFilename(PyExc_OSError, path.c_str());
    throw py::error_already_set();
}

py::dict ReadProjectFile(const std::string& path) {
    if (FilterFromExtension(path) != 0) CheckReadable(path);
    try {
        return ProjectToDict(ReadProject(path));
    } catch (const EInOutError& e) {
        // The file opened: what the reader refuses is its content.
        throw ValueFault(path + ": " + Lines(e.what()));
    }
}

py::bytes Text(const py::dict& values) {
    const std::string text = ProjectText(ProjectFromDict(values));
    return py::bytes(text);
}

void Write(const py::dict& values, const std::string& path) {
    WriteProject(ProjectFromDict(values), path);
}

// The input text of the project and the program's check before a run (empty when passed).
py::tuple Prepare(const py::dict& values) {
    const ProjectValues project = ProjectFromDict(values);
    const std::string text = ProjectText(project);
    const RunChecks checks = CheckBeforeRun(project);
    py::list warnings;
    for (const std::string& warning : checks.warnings)
        warnings.append(TextToPython(Lines(warning)));
    return py::make_tuple(py::bytes(text), TextToPython(Lines(checks.fault)), warnings);
}

py::dict AnalyseText(const py::bytes& input, const std::optional<std::string>& report,
                     const std::optional<std::string>& plot, const std::string& name,
                     bool details) {
    AnalysisAsk ask;
    ask.input = name;
    ask.curves = ask.distributions = details;
    ask.report = report.value_or("");
    ask.plot = plot.value_or("");
    const std::string_view text = input;
    AnalysisOutcome outcome;
    {
        py::gil_scoped_release unlocked;
        outcome = python::Analyse(std::string(text), ask);
    }
    return OutcomeToDict(std::move(outcome));
}

// The study's table: one row per result of every variant (a failed one keeps a row of its
// own), as the command line's --table lists them.
py::dict Study(const py::dict& values, const std::vector<std::string>& vary,
               const std::optional<std::size_t>& sample, std::uint64_t seed, unsigned jobs,
               bool force) {
    StudyAsk ask{vary, sample, seed, force};
    const ProjectValues project = ProjectFromDict(values);
    ProjectText(project); // its values checked before the study's options
    if (const RunChecks checks = CheckBeforeRun(project); !checks.fault.empty())
        throw ValueFault(checks.fault);
    const PreparedStudy study = PrepareStudy(project, ask);
    std::vector<AnalysisOutcome> outcomes;
    std::string fewerThreads;
    {
        py::gil_scoped_release unlocked;
        outcomes = RunStudy(study, jobs, fewerThreads);
    }
    if (!fewerThreads.empty() && PyErr_WarnEx(PyExc_RuntimeWarning, fewerThreads.c_str(), 1) != 0)
        throw py::error_already_set(); // warnings turned into errors

    std::size_t rows = 0;
    for (const AnalysisOutcome& o : outcomes)
        rows += std::max<std::size_t>(1, o.tipResults.size() + o.loadResults.size());
    const auto n = static_cast<py::ssize_t>(rows);
    const auto k = static_cast<py::ssize_t>(study.names.size());
    py::array_t<std::int64_t> variant(n);
    py::array_t<double> varied({n, k});
    py::array_t<int> code(n), kind(n);
    py::array_t<float> numbers({n, py::ssize_t{4}});
    py::array_t<double> converged(n);
    py::ssize_t row = 0;
    auto add = [&](std::size_t v, int rowKind, const float(&four)[4], double ok) {
        variant.mutable_at(row) = static_cast<std::int64_t>(v);
        for (py::ssize_t j = 0; j < k; ++j)
            varied.mutable_at(row, j) = study.values[v][static_cast<std::size_t>(j)];
        code.mutable_at(row) = outcomes[v].code;
        kind.mutable_at(row) = rowKind;
        for (py::ssize_t j = 0; j < 4; ++j) numbers.mutable_at(row, j) = four[j];
        converged.mutable_at(row) = ok;
        ++row;
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const float empty = std::numeric_limits<float>::quiet_NaN();
    int units = 0;
    py::list meanings;
    for (std::size_t v = 0; v < outcomes.size(); ++v) {
        const AnalysisOutcome& o = outcomes[v];
        if (units == 0) units = o.units;
        meanings.append(ResultCodeMeaning(o.code));
        for (const TipMovementResult& r : o.tipResults)
            add(v, 0, {r.topLoad, r.topMove, r.tipMove, r.tipLoad}, none);
        for (const HeadLoadResult& r : o.loadResults)
            add(v, 1, {r.load, r.topMove, r.tipMove, r.tipLoad}, r.converged ? 1.0 : 0.0);
        if (o.tipResults.empty() && o.loadResults.empty())
            add(v, -1, {empty, empty, empty, empty}, none);
    }
    py::array_t<int> codes(static_cast<py::ssize_t>(outcomes.size()));
    for (std::size_t v = 0; v < outcomes.size(); ++v)
        codes.mutable_at(static_cast<py::ssize_t>(v)) = outcomes[v].code;
    py::array_t<double> variants({static_cast<py::ssize_t>(study.values.size()), k});
    for (std::size_t v = 0; v < study.values.size(); ++v)
        for (py::ssize_t j = 0; j < k; ++j)
            variants.mutable_at(static_cast<py::ssize_t>(v), j) =
                study.values[v][static_cast<std::size_t>(j)];
    py::dict d;
    d["names"] = study.names;
    d["variants"] = variants;
    d["codes"] = codes;
    d["meanings"] = meanings;
    d["units"] = units;
    d["variant"] = variant;
    d["values"] = varied;
    d["code"] = code;
    d["kind"] = kind;
    d["numbers"] = numbers;
    d["converged"] = converged;
    return d;
}

py::list ParameterNames() {
    py::list names;
    for (const cli::ParameterName& p : cli::ParameterNames())
        names.append(py::make_tuple(p.name, p.meaning));
    return names;
}

} // namespace

PYBIND11_MODULE(_core, m) {
    m.doc() = "The compiled core of the dorvek package: the project model and the analysis kernel.";

    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const ValueFault& e) {
            PyErr_SetString(PyExc_ValueError, Lines(e.what()).c_str());
        } catch (const EInOutError& e) {
            PyErr_SetString(PyExc_OSError, Lines(e.what()).c_str());
        }
    });

    m.def(
        "new_project", [](int units) { return ProjectToDict(NewProject(units)); },
        py::arg("units") = 1,
        "The values of a new project in unit system `units` (1 English, 2 S.I.).");
    m.def("read_project", &ReadProjectFile, py::arg("path"),
          "The values of the project file at `path` (.dv4d, .dv3d or .dvd).");
    m.def("project_text", &Text, py::arg("values"), "The bytes of the project as a .dv4d file.");
    m.def("write_project", &Write, py::arg("values"), py::arg("path"),
          "Writes the project to `path` as a .dv4d file, replacing it whole.");
    m.def(
        "convert_units",
        [](const py::dict& values, int units) {
            return ProjectToDict(ConvertUnits(ProjectFromDict(values), units));
        },
        py::arg("values"), py::arg("units"), "The project converted to unit system `units`.");
    m.def(
        "pile_value_fault",
        [](const std::string& name, double value) { return PileValueFault(name, value); },
        py::arg("name"), py::arg("value"),
        "The program's message for a pile value it refuses, or ''.");
    m.def("rows_fault", &RowsFault, py::arg("name"), py::arg("rows"),
          "The message for a table of `rows` rows its editor would not take, or ''.");
    m.def("prepare", &Prepare, py::arg("values"),
          "The project's input text, the program's refusal before a run ('' when none) and the "
          "warnings a run may go past.");
    m.def("analyse", &AnalyseText, py::arg("text"), py::arg("report") = py::none(),
          py::arg("plot") = py::none(), py::arg("name") = "", py::arg("details") = true,
          "Analyses an input text (with the curves and distributions when `details`); the "
          "interpreter's lock is released meanwhile.");
    m.def("study", &Study, py::arg("values"), py::arg("vary"), py::arg("sample") = py::none(),
          py::arg("seed") = 1, py::arg("jobs") = 0, py::arg("force") = false,
          "Analyses the variants of a parameter study on `jobs` threads.");
    m.def("parameter_names", &ParameterNames, "The names a study varies, with what each varies.");
    m.def(
        "result_meaning", [](int code) { return std::string(ResultCodeMeaning(code)); },
        py::arg("code"), "What a result code means.");
    m.def("unit_label", &ColumnUnitLabel, py::arg("code"), py::arg("units"),
          "The label of unit code `code` (\"F\", \"L\", ...) in unit system `units`.");
    m.attr("SOIL_TYPES") = SoilTypeNames();
    m.attr("LAYER_PROPERTIES") =
        std::vector<std::string>(LayerPropertyNames().begin(), LayerPropertyNames().end());
    m.attr("KERNEL_VERSION") = kKernelVersion;
    m.attr("VARIANT_LIMIT") = cli::kVariantLimit;
}
