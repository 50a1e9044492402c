#include "python/src/Convert.h"

#include <pybind11/numpy.h>

#include <cmath>

namespace dorvek::python {

namespace {

using Floats = py::array_t<double, py::array::c_style | py::array::forcecast>;

// A table's rows as a float64 array: one dimension for a one-column table.
py::array RowsToArray(const Rows& rows) {
    const auto n = static_cast<py::ssize_t>(rows.Count());
    Floats array =
        rows.columns == 1 ? Floats(n) : Floats({n, static_cast<py::ssize_t>(rows.columns)});
    double* out = array.mutable_data();
    for (std::size_t i = 0; i < rows.cells.size(); ++i) out[i] = static_cast<double>(rows.cells[i]);
    return array;
}

py::object Get(const py::dict& dict, const char* key) {
    if (!dict.contains(key)) throw ValueFault(std::string(key) + ": missing");
    return dict[key];
}

long double Number(const py::handle& value, const std::string& where) {
    if (py::isinstance<py::bool_>(value) ||
        !(py::isinstance<py::float_>(value) || py::isinstance<py::int_>(value) ||
          py::hasattr(value, "__float__")))
        throw ValueFault(where + ": a number, not " +
                         std::string(py::str(py::type::of(value).attr("__name__"))));
    return static_cast<long double>(value.cast<double>());
}

int Integer(const py::handle& value, const std::string& where) {
    const long double number = Number(value, where);
    if (!std::isfinite(number)) throw ValueFault(where + ": Entry must be an integer.");
    if (number != std::trunc(number)) throw ValueFault(where + ": Entry must be an integer.");
    if (number < -2147483648.0L || number > 2147483647.0L)
        throw ValueFault(where + ": Entry must be between -2147483648 and 2147483647.");
    return static_cast<int>(number);
}

bool Flag(const py::handle& value, const std::string& where) {
    if (py::isinstance<py::bool_>(value)) return value.cast<bool>();
    if (py::isinstance<py::int_>(value)) {
        const int number = value.cast<int>();
        if (number == 0 || number == 1) return number == 1;
    }
    throw ValueFault(where + ": True or False");
}

Rows RowsFromArray(const py::handle& value, int columns, const std::string& where) {
    Floats array;
    try {
        array = Floats::ensure(value);
    } catch (const py::error_already_set&) {
    }
    if (!array) throw ValueFault(where + ": rows of numbers");
    const bool flat = array.ndim() == 1 && columns == 1;
    const bool table = array.ndim() == 2 && array.shape(1) == columns;
    const bool empty = array.size() == 0;
    if (!flat && !table && !empty)
        throw ValueFault(where + (columns == 1
                                      ? ": a list of numbers"
                                      : ": rows of " + std::to_string(columns) + " numbers"));
    Rows rows{columns, {}};
    const double* data = array.data();
    for (py::ssize_t i = 0; i < array.size(); ++i)
        rows.cells.push_back(static_cast<long double>(data[i]));
    return rows;
}

py::array_t<float> FloatArray(const std::vector<float>& values) {
    py::array_t<float> array(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

// Rows of four results each: head load, head movement, tip movement, tip load.
template <class Result>
py::array_t<float> ResultArray(const std::vector<Result>& results, float Result::*first) {
    py::array_t<float> array({static_cast<py::ssize_t>(results.size()), py::ssize_t{4}});
    float* out = array.mutable_data();
    for (const Result& r : results) {
        *out++ = r.*first;
        *out++ = r.topMove;
        *out++ = r.tipMove;
        *out++ = r.tipLoad;
    }
    return array;
}

py::list Distributions(const std::vector<Distribution>& list) {
    py::list out;
    for (const Distribution& d : list) {
        py::dict item;
        item["depth"] = FloatArray(d.depth);
        item["load"] = FloatArray(d.load);
        item["movement"] = FloatArray(d.movement);
        out.append(item);
    }
    return out;
}

} // namespace

py::str TextToPython(const std::string& text) {
    PyObject* object =
        PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
    if (!object) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(object);
}

std::string TextFromPython(const py::handle& text) {
    if (!py::isinstance<py::str>(text)) throw ValueFault("title: a str");
    PyObject* bytes = PyUnicode_AsEncodedString(text.ptr(), "utf-8", "surrogateescape");
    if (!bytes) throw py::error_already_set();
    const auto owned = py::reinterpret_steal<py::bytes>(bytes);
    return owned.cast<std::string>();
}

py::dict ProjectToDict(const ProjectValues& v) {
    py::dict d;
    d["title"] = TextToPython(v.title);
    d["units"] = v.units;
    d["length"] = static_cast<double>(v.length);
    d["head"] = static_cast<double>(v.head);
    d["diameter"] = static_cast<double>(v.diameter);
    d["tip_area"] = static_cast<double>(v.tipArea);
    d["tolerance"] = static_cast<double>(v.tolerance);
    d["increments"] = v.increments;
    d["print_option"] = v.printOption;
    d["user_tz"] = v.userTz;
    d["user_qw"] = v.userQw;
    d["loading"] = v.loading;
    d["downdrag"] = v.downdrag;
    d["modify_tz"] = v.modifyTz;
    d["modify_qw"] = v.modifyQw;
    d["q_factor"] = static_cast<double>(v.qFactor);
    d["w_factor"] = static_cast<double>(v.wFactor);
    d["ae"] = RowsToArray(v.ae);
    d["qw_curve"] = RowsToArray(v.qwCurve);
    d["settlement"] = RowsToArray(v.settlement);
    d["tz_factors"] = RowsToArray(v.tzFactors);
    d["tip_movements"] = RowsToArray(v.tipMovements);
    d["head_loads"] = RowsToArray(v.headLoads);
    py::list layers;
    for (const LayerValues& layer : v.layers) {
        py::dict item;
        item["soil_type"] = layer.soilType;
        item["bottom"] = static_cast<double>(layer.bottom);
        Rows properties{9, {}};
        for (const auto& row : layer.properties)
            for (long double value : row) properties.cells.push_back(value);
        item["properties"] = RowsToArray(properties);
        layers.append(item);
    }
    d["layers"] = layers;
    py::list curves;
    for (const CurveValues& curve : v.tzCurves) {
        py::dict item;
        item["depth"] = static_cast<double>(curve.depth);
        item["points"] = RowsToArray(curve.points);
        curves.append(item);
    }
    d["tz_curves"] = curves;
    return d;
}

ProjectValues ProjectFromDict(const py::dict& d) {
    ProjectValues v;
    v.title = TextFromPython(Get(d, "title"));
    v.units = Integer(Get(d, "units"), "units");
    v.length = Number(Get(d, "length"), "length");
    v.head = Number(Get(d, "head"), "head");
    v.diameter = Number(Get(d, "diameter"), "diameter");
    v.tipArea = Number(Get(d, "tip_area"), "tip_area");
    v.tolerance = Number(Get(d, "tolerance"), "tolerance");
    v.increments = Integer(Get(d, "increments"), "increments");
    v.printOption = Integer(Get(d, "print_option"), "print_option");
    v.userTz = Flag(Get(d, "user_tz"), "user_tz");
    v.userQw = Flag(Get(d, "user_qw"), "user_qw");
    v.loading = Integer(Get(d, "loading"), "loading");
    v.downdrag = Flag(Get(d, "downdrag"), "downdrag");
    v.modifyTz = Flag(Get(d, "modify_tz"), "modify_tz");
    v.modifyQw = Flag(Get(d, "modify_qw"), "modify_qw");
    v.qFactor = Number(Get(d, "q_factor"), "q_factor");
    v.wFactor = Number(Get(d, "w_factor"), "w_factor");
    v.ae = RowsFromArray(Get(d, "ae"), 2, "ae");
    v.qwCurve = RowsFromArray(Get(d, "qw_curve"), 2, "qw_curve");
    v.settlement = RowsFromArray(Get(d, "settlement"), 2, "settlement");
    v.tzFactors = RowsFromArray(Get(d, "tz_factors"), 3, "tz_factors");
    v.tipMovements = RowsFromArray(Get(d, "tip_movements"), 1, "tip_movements");
    v.headLoads = RowsFromArray(Get(d, "head_loads"), 1, "head_loads");
    std::size_t k = 0;
    for (const py::handle& item : Get(d, "layers")) {
        const std::string where = "layers[" + std::to_string(k++) + "]";
        const py::dict layer = py::reinterpret_borrow<py::object>(item);
        LayerValues values;
        values.soilType = Integer(Get(layer, "soil_type"), where + ".soil_type");
        values.bottom = Number(Get(layer, "bottom"), where + ".bottom");
        const Rows properties = RowsFromArray(Get(layer, "properties"), 9, where + ".properties");
        if (properties.Count() != 2)
            throw ValueFault(where + ".properties: rows of the top and the bottom");
        for (std::size_t row = 0; row < 2; ++row)
            for (std::size_t c = 0; c < 9; ++c)
                values.properties[row][c] = properties.cells[row * 9 + c];
        v.layers.push_back(values);
    }
    k = 0;
    for (const py::handle& item : Get(d, "tz_curves")) {
        const std::string where = "tz_curves[" + std::to_string(k++) + "]";
        const py::dict curve = py::reinterpret_borrow<py::object>(item);
        CurveValues values;
        values.depth = Number(Get(curve, "depth"), where + ".depth");
        values.points = RowsFromArray(Get(curve, "points"), 2, where + ".points");
        v.tzCurves.push_back(std::move(values));
    }
    return v;
}

py::dict OutcomeToDict(AnalysisOutcome&& o) {
    py::dict d;
    d["code"] = o.code;
    d["meaning"] = ResultCodeMeaning(o.code);
    d["diagnostic"] = TextToPython(o.diagnostic);
    d["warnings"] = TextToPython(o.warnings);
    d["units"] = o.units;
    d["tip_results"] = ResultArray(o.tipResults, &TipMovementResult::topLoad);
    py::array_t<bool> mirrored(static_cast<py::ssize_t>(o.tipResults.size()));
    for (std::size_t i = 0; i < o.tipResults.size(); ++i)
        mirrored.mutable_data()[i] = o.tipResults[i].mirrored;
    d["mirrored"] = mirrored;
    d["load_results"] = ResultArray(o.loadResults, &HeadLoadResult::load);
    py::array_t<bool> converged(static_cast<py::ssize_t>(o.loadResults.size()));
    for (std::size_t i = 0; i < o.loadResults.size(); ++i)
        converged.mutable_data()[i] = o.loadResults[i].converged;
    d["converged"] = converged;
    py::list curves;
    for (const TzCurve& c : o.tzCurves) {
        py::dict item;
        item["number"] = c.number;
        item["depth"] = c.depth;
        item["type"] = c.type;
        item["tmax"] = c.tmax;
        item["phi"] = c.phi;
        item["t"] = FloatArray(c.t);
        item["z"] = FloatArray(c.z);
        curves.append(item);
    }
    d["tz_curves"] = curves;
    d["qw_q"] = FloatArray(o.qwQ);
    d["qw_w"] = FloatArray(o.qwW);
    d["tip_distributions"] = Distributions(o.tipDistributions);
    d["load_distributions"] = Distributions(o.loadDistributions);
    d["file_error"] = TextToPython(o.fileError);
    return d;
}

} // namespace dorvek::python
