"""Projects through Python: the files of every generation byte for byte, the values as
attributes, and every value refused with the program's message."""

import math
import os
import pathlib

import numpy as np
import pytest

import dorvek
from conftest import BUNDLED, EXAMPLES, crlf

# A new project as the program saves it: title, 50 increments, English, generated curves,
# one clay layer of zeros, two stiffness rows of zeros, the pile line and five empty blocks.
NEW_PROJECT = crlf("New Pile", "50 0 1", "1 1 ", "1", "1 1 0.0  0.00000000000000E+0000",
                   "0 0 0.0  0 0 0.0  0.0  0 0", "0 0 0.0  0 0 0.0  0.0  0 0", "2", "0 0", "0 0",
                   "1E-5 0 0 0 0", " 0", " 0", " 0", " 0", " 0")


@pytest.mark.parametrize("example", EXAMPLES, ids=lambda p: p.name)
def test_examples_read_and_write_back_byte_for_byte(example, tmp_path):
    project = dorvek.Project.read(example)
    original = example.read_bytes()
    assert project.to_bytes() == original
    written = tmp_path / "again.dv4d"
    project.write(written)
    assert written.read_bytes() == original
    assert dorvek.Project.read(written) == project
    assert not (tmp_path / "again.gwi").exists()  # a script's save makes no companion


def test_examples_are_all_there():
    assert len(EXAMPLES) == 4


def test_values_of_the_bundled_example():
    p = dorvek.Project.read(BUNDLED)
    assert p.title == "60 ft driven steel pipe pile, 18 in OD, soft clay over dense sand"
    assert p.units == 1
    assert (p.length, p.head, p.diameter) == (720, 0, 18)
    assert p.loading == "head loads"
    assert not (p.user_tz or p.user_qw or p.downdrag or p.modify_tz or p.modify_qw)
    assert p.head_loads.tolist() == [100000, 200000, 300000]
    assert p.ae.tolist() == [[0, 7.972e8], [720, 7.972e8]]
    assert [(layer.soil_type, layer.bottom) for layer in p.layers] == [(1, 360), (2, 960)]
    assert p.layers[0].soil_type_name == "Driven Pile in Clay (Coyle & Reese)"
    assert p.layers[1].friction_angle.shape == (2,)


def test_new_project_is_the_programs():
    p = dorvek.Project()
    assert p.to_bytes() == NEW_PROJECT
    assert (p.title, p.units, p.increments, p.tolerance, p.loading) == ("New Pile", 1, 50, 1e-5, "generated")
    assert dorvek.Project(units=2).units == 2


def test_a_project_built_in_python():
    p = dorvek.Project(units=2)
    p.title = "Built"
    p.length, p.diameter, p.tip_area, p.increments = 10, 0.5, 0.19635, 20
    p.ae = [[0, 5e6], [10, 5e6]]
    # The new project's tolerance, 1E-5 in, converted to m: 1E-5 / 39.37007874.
    p.layers = [dorvek.Layer("Driven Pile in Clay (API)", 4, unit_weight=(8, 9), strength=(20, 30),
                             e50=0.01, side_friction=(0, 0), tip_resistance=0, residual=0.8),
                dorvek.Layer(6, 12, unit_weight=10, friction_angle=(30, 32), z_peak=0.004)]
    p.loading = "head loads"
    p.head_loads = [100, -50]
    expected = crlf("Built", "20 0 2", "1 1 ", "2",
                    "1 5 0.0  4.00000000000000E+0000",
                    "2 6  4.00000000000000E+0000  1.20000000000000E+0001",
                    "8 20 0.0  0.01 0 0 0.8 0 0", "9 30 0.0  0.01 0 0 0.8 0 0",
                    "10 0.0  30 0 0 0.004 0.0  0 0", "10 0.0  32 0 0 0.004 0.0  0 0",
                    "2", "5000000 0", "5000000 10", "2.54E-7 10 0 0.5 0.19635",
                    " 0", "2", "100", "-50", " 0", " 0", " 0")
    assert p.to_bytes() == expected
    with pytest.warns(dorvek.PreRunWarning, match="the unit side friction is 0"):  # all zero here
        assert dorvek.analyse(p).code == 0


def test_user_curves_round_trip_through_attributes(tmp_path):
    p = dorvek.Project.read(pathlib.Path(EXAMPLES[0]).with_name("user-curves-downdrag-multipliers.dv4d"))
    assert p.user_tz and p.user_qw and p.downdrag and p.modify_tz and p.modify_qw
    assert len(p.tz_curves) >= 2 and p.tz_curves[0].points.shape[1] == 2
    assert p.qw_curve.shape[1] == 2 and p.tz_factors.shape[1] == 3
    q = p.copy()
    q.tz_curves[0].points[-1, 0] += 1  # in place, as NumPy arrays go
    assert q.to_bytes() != p.to_bytes()
    q.tz_curves[0].points[-1, 0] -= 1
    assert q.to_bytes() == p.to_bytes()


def test_older_generations_are_written_in_the_current_form(tmp_path):
    old = tmp_path / "old.dv3d"
    old.write_bytes(crlf("Old Pile 2014", "40 0 1", "2", "3", "1 1 0.0 120", "2 2 120 360", "3 6 360 480",
                         "0.07 10 0 0.01 5 90", "0.075 12 0 0.012 6 95", "0.065 0 30 15 4 80",
                         "0.066 0 32 18 4.5 85", "0.06 0 34 25 3 70", "0.061 0 35 26 3.5 75", "2",
                         "1000000 0", "1200000 360", "1E-5 360 18 254.5", "2", "0.1", "0.5", " 0", " 0",
                         " 1", "2", "0 1 1", "360 0.8 0.9", " 1", "1.1 0.95"))
    p = dorvek.Project.read(old)
    assert p.layers[2].blow_count.tolist() == [25, 26]
    assert p.to_bytes() == crlf(
        "Old Pile 2014", "40 0 1", "1 1 ", "3", "1 1 0.0  1.20000000000000E+0002",
        "2 2  1.20000000000000E+0002  3.60000000000000E+0002",
        "3 6  3.60000000000000E+0002  4.80000000000000E+0002", "0.07 10 0.0  0.01 0 0.0  0.0  5 90",
        "0.075 12 0.0  0.012 0 0.0  0.0  6 95", "0.065 0.0  30 0 15 0.0  0.0  4 80",
        "0.066 0.0  32 0 18 0.0  0.0  4.5 85", "0.06 0.0  34 0 25 0 0.0  3 70",
        "0.061 0.0  35 0 26 0 0.0  3.5 75", "2", "1000000 0", "1200000 360", "1E-5 360 0 18 254.5",
        "2", "0.1", "0.5", " 0", " 0", " 1", "2", "0 1 1", "360 0.8 0.9", " 1", "1.1 0.95")

    older = tmp_path / "older.DVD"
    older.write_bytes(crlf("Old 2.0", "30 1 2", "1", "2", "1 0 3", "0 0", "10 0.005", "20 0.01", "2 10 2",
                           "0 0", "15 0.004", "2", "5000 0", "5000 10", "3", "100 0", "200 0.01", "250 0.02",
                           "1E-5 10 0.5 0.19635", " 0", "3", "100", "200", "-50", "2", "0 0.01", "10 0"))
    p = dorvek.Project.read(older)
    assert (p.units, p.user_tz, p.user_qw, p.loading, p.downdrag) == (2, True, True, "head loads", True)
    assert p.qw_curve.tolist() == [[100, 0], [200, 0.01], [250, 0.02]]
    assert [c.depth for c in p.tz_curves] == [0, 10]
    assert p.tz_curves[0].z.tolist() == [0, 0.005, 0.01]


def test_title_bytes_that_are_no_utf8_come_back_unchanged(tmp_path):
    raw = BUNDLED.read_bytes().replace(b"60 ft driven", b"Pfahl \xe4 driven", 1)
    old = tmp_path / "latin.dv4d"
    old.write_bytes(raw)
    p = dorvek.Project.read(old)
    assert p.title.startswith("Pfahl \udce4")
    assert p.to_bytes() == raw


def test_units_convert_as_the_program_converts(tmp_path):
    p = dorvek.Project(units=2)
    p.length, p.diameter, p.tip_area = 10, 0.5, 0.2
    p.ae = [[0, 1000], [10, 1000]]
    p.convert_units(1)
    assert p.units == 1
    assert p.length == pytest.approx(393.7007874, rel=1e-12)
    assert p.diameter == pytest.approx(19.68503937, rel=1e-12)
    assert p.tip_area == pytest.approx(0.2 * 39.37007874 ** 2, rel=1e-12)
    assert p.ae[1, 0] == pytest.approx(393.7007874, rel=1e-12)
    assert p.ae[0, 1] != 1000  # forces convert too
    p.convert_units(2)
    assert p.length == pytest.approx(10, rel=1e-12) and p.ae[0, 1] == pytest.approx(1000, rel=1e-9)
    with pytest.raises(ValueError, match=r"^units: 1 \(English\) or 2 \(S\.I\.\), not 3$"):
        p.convert_units(3)
    with pytest.raises(ValueError, match="not 0"):
        dorvek.Project(units=0)


@pytest.mark.parametrize("name, value, message", [
    ("increments", 9, "increments: Entry must be greater than or equal to 10"),
    ("increments", 501, "increments: Entry must be less than or equal to 500"),
    ("increments", 60.5, "increments: Entry must be an integer."),
    ("length", 1000001, "length: Entry must be less than or equal to 1000000"),
    ("head", 2e6, "head: Entry must be less than or equal to 1000000"),
    ("diameter", math.inf, "diameter: inf is not a valid number."),
    ("tip_area", 2e9, "tip_area: Entry must be less than or equal to 1E9"),
    ("tolerance", 0, "tolerance: Entry must be greater than or equal to 1E-9"),
    ("tolerance", 2, "tolerance: Entry must be less than or equal to 1"),
    ("q_factor", math.nan, "q_factor: nan is not a valid number."),
    ("length", "720", "length: a number, not str"),
    ("title", "x" * 81, "title: at most 80 characters, not 81"),
    ("loading", "uplift", "loading: one of 'generated', 'tip movements', 'head loads', not 'uplift'"),
    ("downdrag", 2, "downdrag: True or False"),
    ("print_option", 0.5, "print_option: Entry must be an integer."),
    ("ae", [[0, 1, 2]], "ae: rows of 2 numbers"),
    ("head_loads", [1, math.nan], "head_loads[1]: nan is not a valid number."),
    ("layers", [1], "layers[0]: a Layer, not int"),
])
def test_refused_values_keep_the_old_one(name, value, message):
    p = dorvek.Project.read(BUNDLED)
    before = p.to_bytes()
    with pytest.raises(ValueError) as error:
        setattr(p, name, value)
    assert str(error.value) == message
    assert p.to_bytes() == before


def test_layer_values_are_checked():
    with pytest.raises(ValueError, match=r"^soil_type: Entry must be between 1 and 6\.$"):
        dorvek.Layer(7)
    with pytest.raises(ValueError, match="unknown soil type"):
        dorvek.Layer("Peat")
    with pytest.raises(TypeError, match="unknown property 'cohesion'"):
        dorvek.Layer(1, 10, cohesion=5)
    layer = dorvek.Layer(1, 10)
    with pytest.raises(ValueError, match="e50: nan is not a valid number"):
        layer.e50 = (0.01, math.nan)
    layer.strength = 12  # one value for top and bottom
    assert layer.properties[:, 1].tolist() == [12, 12]


def test_values_changed_in_place_are_checked_when_written(tmp_path):
    p = dorvek.Project.read(BUNDLED)
    p.layers[0].properties[1, 7] = math.inf
    with pytest.raises(ValueError, match=r"layers\[0\]\.properties\[1\]: inf is not a valid number\."):
        p.to_bytes()
    p = dorvek.Project.read(BUNDLED)
    p.ae[0, 0] = math.nan
    with pytest.raises(ValueError, match=r"^ae\[0\]: nan is not a valid number\.$"):
        p.write(tmp_path / "x.dv4d")
    assert not (tmp_path / "x.dv4d").exists()


@pytest.mark.parametrize("change, message", [
    (lambda p: setattr(p, "head_loads", np.arange(51.0)),
     'head_loads: the table "Pile-Head Loads" takes 1 to 50 rows, not 51'),
    (lambda p: setattr(p, "layers", [dorvek.Layer(1, k + 1) for k in range(31)]),
     'layers: the table "Soil Layers" takes 1 to 30 rows, not 31'),
    (lambda p: setattr(p, "tz_curves", [dorvek.TzCurve(k) for k in range(101)]),
     'tz_curves: the table "Depths for User-Defined t-z Curves" takes 2 to 100 rows, not 101'),
    (lambda p: dorvek.TzCurve(0, np.ones((101, 2))),
     'points: the table "t-z curve" takes 2 to 100 rows, not 101'),
    (lambda p: setattr(p, "qw_curve", np.ones((51, 2))),
     'qw_curve: the table "Tip Load vs. Tip Movement" takes 2 to 50 rows, not 51'),
])
def test_more_rows_than_the_editor_takes(change, message):
    p = dorvek.Project.read(BUNDLED)
    with pytest.raises(ValueError) as error:
        change(p)
    assert str(error.value) == message
    assert p.to_bytes() == BUNDLED.read_bytes()


@pytest.mark.parametrize("change, message", [
    (lambda p: setattr(p, "ae", [[0, 1]]),
     'ae: the table "Axial Stiffness (AE) of Pile Sections" takes 2 to 50 rows, not 1'),
    (lambda p: setattr(p, "layers", []), 'layers: the table "Soil Layers" takes 1 to 30 rows, not 0'),
    (lambda p: (setattr(p, "loading", "tip movements"), setattr(p, "tip_movements", [0.1])),
     'tip_movements: the table "Tip Movements" takes 2 to 100 rows, not 1'),
    (lambda p: (setattr(p, "user_tz", True), setattr(p, "tz_curves", [dorvek.TzCurve(0, [[0, 0], [1, 1]])])),
     'tz_curves: the table "Depths for User-Defined t-z Curves" takes 2 to 100 rows, not 1'),
    (lambda p: (setattr(p, "user_tz", True), setattr(p, "tz_curves", [dorvek.TzCurve(d, [[0, 0]]) for d in (0, 9)])),
     'tz_curves[0].points: the table "t-z curve" takes 2 to 100 rows, not 1'),
])
def test_fewer_rows_than_a_table_in_use_needs(change, message, tmp_path):
    p = dorvek.Project.read(BUNDLED)
    change(p)
    for call in (p.to_bytes, lambda: p.write(tmp_path / "x.dv4d"), lambda: dorvek.analyse(p)):
        with pytest.raises(ValueError) as error:
            call()
        assert str(error.value) == message
    assert not (tmp_path / "x.dv4d").exists()


def test_a_file_beyond_the_dialog_limits_is_taken_as_it_is(tmp_path):
    raw = BUNDLED.read_bytes().replace(b"\r\n50 0 1\r\n", b"\r\n5 0 1\r\n", 1)
    assert b"\r\n5 0 1\r\n" in raw
    few = tmp_path / "few.dv4d"
    few.write_bytes(raw)
    p = dorvek.Project.read(few)
    assert p.increments == 5
    assert p.to_bytes() == raw
    with pytest.raises(ValueError, match="^increments: Entry must be greater than or equal to 10$"):
        p.increments = 5


def test_tables_out_of_use_are_neither_checked_nor_written():
    p = dorvek.Project.read(BUNDLED)
    p.tip_movements = []  # loading is by head loads
    p.settlement = np.zeros((1, 2))  # no down-drag
    assert p.to_bytes() == BUNDLED.read_bytes()


def test_files_that_cannot_be_read(tmp_path):
    with pytest.raises(FileNotFoundError):
        dorvek.Project.read(tmp_path / "missing.dv4d")
    (tmp_path / "folder.dv4d").mkdir()
    with pytest.raises(IsADirectoryError):
        dorvek.Project.read(tmp_path / "folder.dv4d")
    bad = tmp_path / "bad.dv4d"
    bad.write_bytes(crlf("Title", "50 x 1"))
    with pytest.raises(ValueError) as error:
        dorvek.Project.read(bad)
    assert str(error.value) == f"{bad}: Error on Line 2 Item 2\nAn integer was expected but not found."
    short = tmp_path / "short.dv4d"
    short.write_bytes(BUNDLED.read_bytes()[:200])
    with pytest.raises(ValueError, match="This file either invalid or incomplete."):
        dorvek.Project.read(short)
    with pytest.raises(ValueError, match=r"not a \.dv4d, \.dv3d or \.dvd project file"):
        dorvek.Project.read(tmp_path / "pile.txt")


def test_files_that_cannot_be_written(tmp_path):
    p = dorvek.Project.read(BUNDLED)
    with pytest.raises(OSError, match="No such file or directory"):
        p.write(tmp_path / "no" / "such" / "folder.dv4d")
    with pytest.raises(ValueError, match=r"a project is written as a \.dv4d file"):
        p.write(tmp_path / "pile.dv3d")
    target = tmp_path / "kept.dv4d"
    target.write_bytes(b"old")
    target.chmod(0o444)
    try:
        if not os.access(target, os.W_OK):  # not so for root
            with pytest.raises(OSError):
                p.write(target)
            assert target.read_bytes() == b"old"
    finally:
        target.chmod(0o644)
