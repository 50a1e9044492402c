"""The project: its values as attributes, read and written through the program's project model."""

import copy
import math
import os

import numpy as np

from . import _core

#: The soil types of the layers, in code order (code 1 is the first).
SOIL_TYPES = tuple(_core.SOIL_TYPES)
#: The nine properties of a layer, each given at its top and its bottom.
LAYER_PROPERTIES = tuple(_core.LAYER_PROPERTIES)
#: What the analysis is loaded by: generated tip movements, the user's tip movements, or
#: the applied pile-head loads (the values of ``Project.loading``).
LOADINGS = ("generated", "tip movements", "head loads")

# Title length the program's title dialog takes.
_MAX_TITLE = 80


def _number(name, value):
    """``value`` as a float, or ValueError naming ``name``."""
    if isinstance(value, bool) or not isinstance(value, (int, float, np.integer, np.floating)):
        raise ValueError(f"{name}: a number, not {type(value).__name__}")
    value = float(value)
    if not math.isfinite(value):
        raise ValueError(f"{name}: {value} is not a valid number.")
    return value


def _pile_value(name, value):
    """A pile value checked as the pile-properties dialog checks it."""
    value = _number(name, value)
    fault = _core.pile_value_fault(name, value)
    if fault:
        raise ValueError(f"{name}: {fault}")
    return value


def _rows(name, value, columns):
    """A table's rows as a float array (one dimension for a one-column table)."""
    try:
        array = np.array(value, dtype=float)
    except (TypeError, ValueError):
        raise ValueError(f"{name}: rows of numbers") from None
    if array.size == 0:
        return np.zeros((0,) if columns == 1 else (0, columns))
    if columns == 1:
        if array.ndim != 1:
            raise ValueError(f"{name}: a list of numbers")
    elif array.ndim != 2 or array.shape[1] != columns:
        raise ValueError(f"{name}: rows of {columns} numbers")
    bad = ~np.isfinite(array)
    if bad.any():
        index = tuple(int(i) for i in np.argwhere(bad)[0])
        raise ValueError(f"{name}[{index[0]}]: {array[index]} is not a valid number.")
    return array


def _row_limit(name, rows):
    """Refuses more rows than the table's editor takes."""
    fault = _core.rows_fault(name, rows)
    if fault:
        raise ValueError(fault)


def _flag(name, value):
    """``value`` as a bool (True, False, 1 or 0), or ValueError naming ``name``."""
    if isinstance(value, (bool, np.bool_)) or value in (0, 1):
        return bool(value)
    raise ValueError(f"{name}: True or False")


class Layer:
    """One soil layer: its soil type, the depth of its bottom and its properties.

    The layer's top is the bottom of the layer above it (the ground for the first). Each
    property holds two values, at the layer's top and at its bottom; between them the
    program interpolates linearly. ``properties`` is the 2 x 9 array of them all, rows top
    and bottom, columns in the order of ``LAYER_PROPERTIES``:

    ``unit_weight`` effective unit weight; ``strength`` undrained shear strength (clays);
    ``e50`` strain at half the peak strength (clays); ``friction_angle`` in degrees (sands);
    ``blow_count`` (sands, optional); ``z_peak`` movement at the peak side resistance (API
    soils, 0 for 0.01 D); ``residual`` t residual, or tres/tmax for API clay (0 for 0.9);
    ``side_friction`` ultimate unit side friction; ``tip_resistance`` ultimate unit tip
    resistance. A soil type ignores the properties it does not use.
    """

    def __init__(self, soil_type=1, bottom=0.0, **properties):
        """A layer of soil type ``soil_type`` (code 1 to 6, or its name in ``SOIL_TYPES``)
        down to ``bottom``; properties by name, each a (top, bottom) pair or one value for
        both."""
        self._properties = np.zeros((2, 9))
        self.soil_type = soil_type
        self.bottom = bottom
        for name, value in properties.items():
            if name not in LAYER_PROPERTIES:
                raise TypeError(f"Layer: unknown property {name!r} (known: {', '.join(LAYER_PROPERTIES)})")
            setattr(self, name, value)

    @property
    def soil_type(self):
        """Soil-type code 1 to 6 (see ``SOIL_TYPES``); a name of ``SOIL_TYPES`` may be given."""
        return self._soil_type

    @soil_type.setter
    def soil_type(self, value):
        """Sets soil_type, checked as the program checks it."""
        if isinstance(value, str):
            if value not in SOIL_TYPES:
                raise ValueError(f"soil_type: unknown soil type {value!r} (known: {'; '.join(SOIL_TYPES)})")
            value = SOIL_TYPES.index(value) + 1
        if isinstance(value, bool) or not isinstance(value, (int, np.integer)):
            raise ValueError(f"soil_type: a code 1 to {len(SOIL_TYPES)}, not {type(value).__name__}")
        if not 1 <= value <= len(SOIL_TYPES):
            raise ValueError(f"soil_type: Entry must be between 1 and {len(SOIL_TYPES)}.")
        self._soil_type = int(value)

    @property
    def properties(self):
        """The nine properties (columns, see ``LAYER_PROPERTIES``) at the top and the bottom (rows)."""
        return self._properties

    @properties.setter
    def properties(self, value):
        """Sets all properties from a 2 x 9 array."""
        self._properties = _rows("properties", value, 9)
        if self._properties.shape != (2, 9):
            raise ValueError("properties: rows of the top and the bottom")

    @property
    def soil_type_name(self):
        """The name of the layer's soil type ('' for a code outside the list)."""
        return SOIL_TYPES[self._soil_type - 1] if 1 <= self._soil_type <= len(SOIL_TYPES) else ""

    @property
    def bottom(self):
        """Depth of the layer's bottom below the ground surface."""
        return self._bottom

    @bottom.setter
    def bottom(self, value):
        """Sets bottom, checked as the program checks it."""
        self._bottom = _number("bottom", value)

    def __repr__(self):
        """Soil type and bottom."""
        return f"Layer({self._soil_type} {self.soil_type_name!r}, bottom={self._bottom:g})"

    def __eq__(self, other):
        """Same soil type, bottom and properties."""
        return (isinstance(other, Layer) and self._soil_type == other._soil_type
                and self._bottom == other._bottom and np.array_equal(self.properties, other.properties))

    def _values(self, where):
        """The layer as the compiled core takes it."""
        return {"soil_type": self._soil_type, "bottom": self._bottom,
                "properties": _rows(where + ".properties", self.properties, 9)}


def _layer_property(column, name):
    """The property of a layer's properties column, top and bottom."""

    def get(self):
        """The column's top and bottom value."""
        return self.properties[:, column]

    def set(self, value):
        """Sets top and bottom from a pair, or both from one value."""
        pair = np.broadcast_to(np.asarray(value, dtype=float), (2,))
        for v in pair:
            _number(name, v)
        self.properties[:, column] = pair

    return property(get, set, doc=f"{name} at the layer's top and bottom (a view into ``properties``).")


for _column, _name in enumerate(LAYER_PROPERTIES):
    setattr(Layer, _name, _layer_property(_column, _name))


class TzCurve:
    """A t-z curve entered by the user: its depth below the ground surface and its points,
    rows of (t, z): unit load transfer t against pile movement z."""

    def __init__(self, depth=0.0, points=()):
        """The curve at ``depth`` with rows (t, z) of ``points``."""
        self.depth = depth
        self.points = points

    @property
    def depth(self):
        """Depth of the curve below the ground surface."""
        return self._depth

    @depth.setter
    def depth(self, value):
        """Sets the depth (a number)."""
        self._depth = _number("depth", value)

    @property
    def points(self):
        """Rows of (t, z)."""
        return self._points

    @points.setter
    def points(self, value):
        """Sets the points after checking their shape, numbers and rows."""
        points = _rows("points", value, 2)
        _row_limit("points", len(points))
        self._points = points

    @property
    def t(self):
        """Unit load transfer of each point."""
        return self.points[:, 0]

    @property
    def z(self):
        """Pile movement of each point."""
        return self.points[:, 1]

    def __repr__(self):
        """Depth and number of points."""
        return f"TzCurve(depth={self.depth:g}, {len(self.points)} points)"

    def __eq__(self, other):
        """Same depth and points."""
        return isinstance(other, TzCurve) and self.depth == other.depth and np.array_equal(self.points, other.points)


_TABLES = {  # attribute: columns
    "ae": 2, "qw_curve": 2, "settlement": 2, "tz_factors": 3, "tip_movements": 1, "head_loads": 1,
}
_PILE = ("length", "head", "diameter", "tip_area", "tolerance")
_FLAGS = ("user_tz", "user_qw", "downdrag", "modify_tz", "modify_qw")
_SCALARS = tuple("_" + n for n in ("title", "units", "increments", "print_option", "loading", "q_factor",
                                   "w_factor", *_PILE, *_FLAGS))


class Project:
    """A pile project: everything the program's data menus hold.

    Values are in the project's unit system (``units``: 1 English, in and lbs; 2 S.I., m and
    kN). A value set is checked as the program's dialogs and table editors check it (limits of
    the pile values, rows of a table); a refused value raises ValueError with the program's
    message after the attribute's name and leaves the old value. Values read from a file are
    taken as they are, as the program takes them. Writing and analysing check again that every
    value is a number and that each table in use has its least number of rows.

    Attributes:
        title: the project title (at most 80 characters).
        length, head, diameter, tip_area, tolerance, increments: the pile properties (total
            length; pile-head coordinate, negative above the ground; outer diameter; area of
            the pile tip; convergence tolerance; number of pile increments, 10 to 500).
        print_option: below 1 the report lists the load and movement distributions.
        user_tz, user_qw: the t-z curves or the Q-w curve are entered by the user (not
            generated from the soil layers).
        loading: one of ``LOADINGS``: "generated" tip movements, the user's "tip movements",
            or applied "head loads".
        downdrag: the soil settlement profile is applied.
        modify_tz, modify_qw: the t-z modification factors, the Q-w multipliers are applied.
        q_factor, w_factor: the Q- and w-multipliers of the Q-w curve.
        ae: rows of (depth below the pile head, axial stiffness AE).
        layers: list of ``Layer``.
        tz_curves: list of ``TzCurve`` (user t-z curves).
        qw_curve: rows of (total tip load Q, tip movement w) of the user's Q-w curve.
        tip_movements: the user's tip movements, in increasing order.
        head_loads: the applied pile-head loads (positive compression, negative uplift).
        settlement: rows of (depth, soil settlement).
        tz_factors: rows of (depth, t-multiplier, z-multiplier).

    The tables are NumPy arrays and may be changed in place; tables the options leave unused
    are kept but not written, as in the program.
    """

    def __init__(self, units=1):
        """A new project, as the program's File New makes one, in unit system ``units``."""
        self._load(_core.new_project(units))

    @classmethod
    def read(cls, path):
        """Reads a project file of any generation (.dv4d, .dv3d or .dvd, by its extension).

        Raises OSError when the file cannot be opened and ValueError with the reader's
        message when its content cannot be read.
        """
        project = cls.__new__(cls)
        project._load(_core.read_project(os.fspath(path)))
        return project

    def write(self, path):
        """Writes the project as a .dv4d file, as the program saves it (the file is replaced
        whole, or left as it was on failure: OSError)."""
        _core.write_project(self._values(), os.fspath(path))

    def to_bytes(self):
        """The bytes the program writes for this project as a .dv4d file."""
        return _core.project_text(self._values())

    def convert_units(self, units):
        """Converts every value to unit system ``units`` (1 English, 2 S.I.) as the program's
        Units menu does; returns the project."""
        self._load(_core.convert_units(self._values(), units))
        return self

    def copy(self):
        """An independent copy of the project."""
        return copy.deepcopy(self)

    @property
    def units(self):
        """The unit system: 1 English (in, lbs), 2 S.I. (m, kN). Change it with convert_units."""
        return self._units

    @property
    def title(self):
        """The project title."""
        return self._title

    @title.setter
    def title(self, value):
        """Sets title, checked as the program checks it."""
        if not isinstance(value, str):
            raise ValueError(f"title: a str, not {type(value).__name__}")
        if len(value) > _MAX_TITLE:
            raise ValueError(f"title: at most {_MAX_TITLE} characters, not {len(value)}")
        self._title = value

    @property
    def increments(self):
        """Number of pile increments (10 to 500)."""
        return self._increments

    @increments.setter
    def increments(self, value):
        """Sets increments, checked as the program checks it."""
        self._increments = int(_pile_value("increments", value))

    @property
    def print_option(self):
        """Print option: below 1 the report lists the distributions along the pile."""
        return self._print_option

    @print_option.setter
    def print_option(self, value):
        """Sets print_option, checked as the program checks it."""
        if isinstance(value, bool) or not isinstance(value, (int, np.integer)):
            raise ValueError("print_option: Entry must be an integer.")
        self._print_option = int(value)

    @property
    def loading(self):
        """What loads the pile: one of ``LOADINGS`` (an index 0 to 2 may be given)."""
        return LOADINGS[self._loading]

    @loading.setter
    def loading(self, value):
        """Sets loading, checked as the program checks it."""
        if isinstance(value, str) and value in LOADINGS:
            self._loading = LOADINGS.index(value)
        elif not isinstance(value, bool) and isinstance(value, (int, np.integer)) and 0 <= value <= 2:
            self._loading = int(value)
        else:
            raise ValueError(f"loading: one of {', '.join(map(repr, LOADINGS))}, not {value!r}")

    @property
    def q_factor(self):
        """Q-multiplier of the Q-w curve."""
        return self._q_factor

    @q_factor.setter
    def q_factor(self, value):
        """Sets q_factor, checked as the program checks it."""
        self._q_factor = _number("q_factor", value)

    @property
    def w_factor(self):
        """w-multiplier of the Q-w curve."""
        return self._w_factor

    @w_factor.setter
    def w_factor(self, value):
        """Sets w_factor, checked as the program checks it."""
        self._w_factor = _number("w_factor", value)

    @property
    def layers(self):
        """The soil layers, top down: a list of ``Layer``."""
        return self._layers

    @layers.setter
    def layers(self, value):
        """Sets layers, checked as the program checks it."""
        layers = list(value)
        for k, layer in enumerate(layers):
            if not isinstance(layer, Layer):
                raise ValueError(f"layers[{k}]: a Layer, not {type(layer).__name__}")
        _row_limit("layers", len(layers))
        self._layers = layers

    @property
    def tz_curves(self):
        """The user's t-z curves: a list of ``TzCurve``."""
        return self._tz_curves

    @tz_curves.setter
    def tz_curves(self, value):
        """Sets tz_curves, checked as the program checks it."""
        curves = list(value)
        for k, curve in enumerate(curves):
            if not isinstance(curve, TzCurve):
                raise ValueError(f"tz_curves[{k}]: a TzCurve, not {type(curve).__name__}")
        _row_limit("tz_curves", len(curves))
        self._tz_curves = curves

    def __repr__(self):
        """Title, units, length, layers and loading."""
        return (f"<dorvek.Project {self._title!r}: {'English' if self._units == 1 else 'S.I.'}, "
                f"length {self.length:g}, {len(self._layers)} layers, loading {self.loading!r}>")

    def __eq__(self, other):
        """Every value equal."""
        if not isinstance(other, Project):
            return NotImplemented
        mine, theirs = self._values(), other._values()
        for key, value in mine.items():
            if key in ("layers", "tz_curves"):
                continue
            if isinstance(value, np.ndarray):
                if not np.array_equal(value, theirs[key]):
                    return False
            elif value != theirs[key]:
                return False
        return self._layers == other._layers and self._tz_curves == other._tz_curves

    def _load(self, values):
        """Takes the values the compiled core gives."""
        self._units = values["units"]
        self._title = values["title"]
        for name in _PILE:
            object.__setattr__(self, "_" + name, values[name])
        self._increments = values["increments"]
        self._print_option = values["print_option"]
        for name in _FLAGS:
            object.__setattr__(self, "_" + name, values[name])
        self._loading = values["loading"]
        self._q_factor = values["q_factor"]
        self._w_factor = values["w_factor"]
        for name in _TABLES:
            object.__setattr__(self, "_" + name, values[name])
        self._layers = []
        for item in values["layers"]:
            # As read: a soil type the program's list does not offer stays for the kernel to judge.
            layer = Layer.__new__(Layer)
            layer._soil_type = item["soil_type"]
            layer._bottom = item["bottom"]
            layer._properties = np.array(item["properties"], dtype=float)
            self._layers.append(layer)
        self._tz_curves = []
        for item in values["tz_curves"]:
            curve = TzCurve.__new__(TzCurve)
            curve._depth = item["depth"]
            curve._points = item["points"]
            self._tz_curves.append(curve)

    def _fingerprint(self):
        """Every value, cheap to compare: the key of the prepared input text."""
        d = self.__dict__
        tables = [d["_" + n] for n in _TABLES]
        return (tuple(d[k] for k in _SCALARS), b"".join([t.tobytes() for t in tables]),
                tuple(t.shape for t in tables),
                tuple((l._soil_type, l._bottom, l._properties.tobytes()) for l in self._layers),
                tuple((c._depth, c._points.tobytes(), c._points.shape) for c in self._tz_curves))

    def _prepared(self):
        """The input text of the project, the program's refusal before a run ('' when the data
        pass) and the warnings a run may go past; made again only when a value changed since
        the last call."""
        key = self._fingerprint()
        cached = self.__dict__.get("_cache")
        if cached is None or cached[0] != key:
            cached = (key, *_core.prepare(self._values()))
            self._cache = cached
        return cached[1], cached[2], cached[3]

    def _values(self):
        """The values as the compiled core takes them."""
        values = {"units": self._units, "title": self._title, "increments": self._increments,
                  "print_option": self._print_option, "loading": self._loading,
                  "q_factor": self._q_factor, "w_factor": self._w_factor}
        for name in _PILE + _FLAGS:
            values[name] = getattr(self, "_" + name)
        for name, columns in _TABLES.items():
            values[name] = _rows(name, getattr(self, "_" + name), columns)
        values["layers"] = [layer._values(f"layers[{k}]") for k, layer in enumerate(self._layers)]
        values["tz_curves"] = [{"depth": c.depth, "points": _rows(f"tz_curves[{k}].points", c.points, 2)}
                               for k, c in enumerate(self._tz_curves)]
        return values


def _pile_property(name, doc):
    """A pile value, checked as the pile-properties dialog checks it."""

    def get(self):
        """The value."""
        return getattr(self, "_" + name)

    def set(self, value):
        """Sets the value after the dialog's check."""
        setattr(self, "_" + name, _pile_value(name, value))

    return property(get, set, doc=doc)


def _flag_property(name, doc):
    """An option switch."""

    def get(self):
        """The value."""
        return getattr(self, "_" + name)

    def set(self, value):
        """Sets the switch (True or False)."""
        setattr(self, "_" + name, _flag(name, value))

    return property(get, set, doc=doc)


def _table_property(name, columns, doc):
    """A table as a NumPy array."""

    def get(self):
        """The value."""
        return getattr(self, "_" + name)

    def set(self, value):
        """Sets the table after checking its shape, numbers and rows."""
        rows = _rows(name, value, columns)
        _row_limit(name, len(rows))
        setattr(self, "_" + name, rows)

    return property(get, set, doc=doc)


for _name, _doc in {
    "length": "Total pile length (at most 1000000).",
    "head": "Pile-head coordinate: negative above the ground, 0 on it, positive below (at most 1000000).",
    "diameter": "Outer diameter of the pile (at most 1000000).",
    "tip_area": "Area of the pile tip (at most 1E9).",
    "tolerance": "Convergence tolerance of the pile movement (1E-9 to 1).",
}.items():
    setattr(Project, _name, _pile_property(_name, _doc))

for _name, _doc in {
    "user_tz": "The t-z curves are entered by the user (tz_curves), not generated from the layers.",
    "user_qw": "The Q-w curve is entered by the user (qw_curve), not generated from the layers.",
    "downdrag": "The soil settlement profile (settlement) is applied.",
    "modify_tz": "The t-z modification factors (tz_factors) are applied.",
    "modify_qw": "The Q- and w-multipliers (q_factor, w_factor) are applied to the Q-w curve.",
}.items():
    setattr(Project, _name, _flag_property(_name, _doc))

for _name, _doc in {
    "ae": "Axial stiffness of the pile sections: rows of (depth below the pile head, AE).",
    "qw_curve": "The user's Q-w curve: rows of (total tip load Q, tip movement w).",
    "settlement": "Soil settlement profile: rows of (depth, settlement).",
    "tz_factors": "Modification factors on the t-z curves: rows of (depth, t-multiplier, z-multiplier).",
    "tip_movements": "The user's tip movements, in increasing order.",
    "head_loads": "Applied pile-head loads: positive for compression, negative for uplift.",
}.items():
    setattr(Project, _name, _table_property(_name, _TABLES[_name], _doc))
