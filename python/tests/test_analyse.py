"""Analyses from Python: the same numbers as dorvek-run, runs that stop, the report and plot
file on request, and analyses in parallel threads."""

import shutil
import subprocess
import sys
import threading
import warnings

import numpy as np
import pytest

import dorvek
from conftest import BUNDLED, EXAMPLES, dorvek_run, run_table

COLUMNS = ["head load", "head movement", "tip movement", "tip load"]


def same_float32(text, value):
    """A table's number (the shortest text of a single-precision value) is exactly the value."""
    return np.float32(text) == np.float32(value)


def test_results_equal_the_command_lines_table_for_every_example(copies, tmp_path):
    header, rows = run_table(tmp_path, copies)
    assert header[:4] == ["file", "result", "meaning", "kind"]
    for copy in copies:
        result = dorvek.analyse(dorvek.Project.read(copy))
        mine = [r for r in rows if r[0] == copy.name]
        expected_tip = [r for r in mine if r[3] == "tip movement"]
        expected_load = [r for r in mine if r[3] == "head load"]
        assert len(expected_tip) == len(result.tip_results) > 0
        assert len(expected_load) == len(result.load_results)
        for row in mine:
            assert (int(row[1]), row[2]) == (result.code, result.meaning)
        for row, numbers in zip(expected_tip, result.tip_results):
            assert all(same_float32(t, v) for t, v in zip(row[4:8], numbers)), (copy.name, row, numbers)
            assert row[8] == ""
        for row, numbers, converged in zip(expected_load, result.load_results, result.converged):
            assert all(same_float32(t, v) for t, v in zip(row[4:8], numbers)), (copy.name, row, numbers)
            assert row[8] == ("yes" if converged else "no")


def test_result_of_the_bundled_example():
    result = dorvek.analyse(dorvek.Project.read(BUNDLED))
    assert (result.code, result.meaning, result.ok) == (0, "run completed", True)
    assert (result.warnings, result.diagnostic, result.units) == ("", "", 1)
    assert (result.force_unit, result.length_unit) == ("lbs", "in")
    assert result.load_results.dtype == np.float32 and result.load_results.shape == (3, 4)
    assert result.load_results[:, 0].tolist() == [100000, 200000, 300000]
    assert result.converged.tolist() == [True, True, True]
    # Compression: the head moves down more than the tip, and the tip takes part of the load.
    assert (result.load_results[:, 1] > result.load_results[:, 2]).all()
    assert (result.load_results[:, 3] < result.load_results[:, 0]).all()
    assert result.tip_results.shape[1] == 4 and len(result.mirrored) == len(result.tip_results)
    assert result.tz_curves and result.qw_curve.shape[1] == 2 and len(result.qw_curve) > 1
    curve = result.tz_curves[0]
    assert len(curve.t) == len(curve.z) > 1
    assert "3 applied loads" in repr(result)


def test_a_run_that_stops_returns_its_code_and_warning():
    project = dorvek.Project.read(BUNDLED)
    # 50 increments of 2000/50 = 40: the first curve depth below the layers (960) is 980.
    project.length = 2000
    with pytest.warns(dorvek.PreRunWarning) as found:  # the program's "Run anyway" warning
        result = dorvek.analyse(project)
    assert str(found[0].message) == ("The soil layers end at 960 in, above the pile tip: the analysis will stop "
                                     "there.\nExtend the last soil layer below the pile tip (2000 in).")
    assert result.code == 6 and not result.ok
    assert result.meaning == dorvek.result_meaning(6)
    # The strength table's extent (4 rows, the last at 960) and the warning, as the report has them.
    assert result.warnings == ("           4   9.600000E+02\n **** WARNING ****\n THE VALUE OF X =   9.800000E+02\n"
                               " IS BEYOND THE EXTENT OF\n THE INPUT STRENGTH CURVE\n")
    assert len(result.load_results) == 0


def test_a_fatal_input_error_returns_code_3_with_the_reason():
    project = dorvek.Project.read(BUNDLED)
    project.ae = [[0, 0], [720, 0]]
    result = dorvek.analyse(project)
    assert result.code == 3
    assert result.diagnostic.endswith("the axial stiffness AE must be greater than zero, but point 1 has AE = 0")


def test_the_programs_check_before_a_run():
    project = dorvek.Project.read(BUNDLED.with_name("user-curves-downdrag-multipliers.dv4d"))
    assert project.loading == "tip movements" and project.user_qw
    last = project.qw_curve[-1, 1]
    project.tip_movements = np.append(project.tip_movements, 2 * last)
    with pytest.raises(ValueError) as error:
        dorvek.analyse(project)
    assert str(error.value).startswith(f"Tip Movement entered ({2 * last:g})\nis higher than largest displacement "
                                       f"entered for user defined Q-w curve ({last:g})\nPlease check tip movements "
                                       f"defined ({len(project.tip_movements)}) .")


def test_report_and_plot_file_on_request(tmp_path):
    copy = shutil.copy(BUNDLED, tmp_path / "pile.dv4d")
    subprocess.run([dorvek_run(), "-q", str(copy)], check=True, capture_output=True)
    project = dorvek.Project.read(copy)
    out = tmp_path / "python"
    out.mkdir()
    result = dorvek.analyse(project, report=out / "pile.dv4o")
    assert result.ok
    assert (out / "pile.dv4p").read_bytes() == (tmp_path / "pile.dv4p").read_bytes()

    def body(path):  # without the folder and the time of the run
        return [line for line in path.read_bytes().split(b"\r\n")
                if b"Path to file locations" not in line and b"Date:" not in line]

    assert body(out / "pile.dv4o") == body(tmp_path / "pile.dv4o")
    dorvek.analyse(project, report=out / "r.txt", plot=out / "p.txt")
    assert (out / "p.txt").read_bytes() == (tmp_path / "pile.dv4p").read_bytes()
    with pytest.raises(OSError):
        dorvek.analyse(project, report=tmp_path / "no" / "folder" / "pile.dv4o")


def test_analyse_takes_only_projects():
    with pytest.raises(TypeError, match="a dorvek.Project, not str"):
        dorvek.analyse(str(BUNDLED))


def test_threads_give_the_serial_results():
    projects = [dorvek.Project.read(e) for e in EXAMPLES]
    serial = [dorvek.analyse(p) for p in projects]
    results = [None] * (4 * len(projects))

    def work(i):
        results[i] = dorvek.analyse(projects[i % len(projects)])

    threads = [threading.Thread(target=work, args=(i,)) for i in range(len(results))]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    for i, result in enumerate(results):
        expected = serial[i % len(projects)]
        assert result.code == expected.code
        assert np.array_equal(result.tip_results, expected.tip_results)
        assert np.array_equal(result.load_results, expected.load_results)


def test_to_frame_lists_the_rows_of_the_table(monkeypatch):
    result = dorvek.analyse(dorvek.Project.read(BUNDLED))
    monkeypatch.setitem(sys.modules, "pandas", None)  # as if it were not installed
    with pytest.raises(ImportError, match="to_frame needs pandas, which is not installed"):
        result.to_frame()
    monkeypatch.undo()
    pytest.importorskip("pandas")
    frame = result.to_frame()
    assert list(frame.columns) == ["kind", *COLUMNS, "converged"]
    assert len(frame) == len(result.tip_results) + len(result.load_results)
    assert frame["kind"].iloc[-1] == "head load" and frame["converged"].iloc[-1]


def test_changes_in_place_reach_the_next_analysis():
    project = dorvek.Project.read(BUNDLED)
    first = dorvek.analyse(project)
    project.head_loads[0] = 50000  # in place: no setter sees it
    second = dorvek.analyse(project)
    assert second.load_results[0, 0] == 50000 and first.load_results[0, 0] == 100000
    project.layers[1].side_friction[:] *= 2
    third = dorvek.analyse(project)
    assert third.load_results[0, 1] < second.load_results[0, 1]  # stiffer: the head moves less
    project.layers[1].side_friction[:] /= 2
    assert np.array_equal(dorvek.analyse(project).load_results, second.load_results)


def test_details_left_out():
    project = dorvek.Project.read(BUNDLED)
    full, lean = dorvek.analyse(project), dorvek.analyse(project, details=False)
    assert np.array_equal(full.load_results, lean.load_results)
    assert np.array_equal(full.tip_results, lean.tip_results)
    assert lean.tz_curves == [] and lean.qw_curve.shape == (0, 2)
    assert lean.tip_distributions == [] and lean.load_distributions == []


def test_warnings_a_run_may_go_past():
    project = dorvek.Project.read(BUNDLED)
    project.head_loads = [0, 0]
    with pytest.warns(dorvek.PreRunWarning, match="^Every load at the pile head is 0"):
        assert dorvek.analyse(project).ok
    with pytest.warns(dorvek.PreRunWarning):  # a study checks its project too
        dorvek.study(project, "length=600")
    with warnings.catch_warnings():
        warnings.simplefilter("error", dorvek.PreRunWarning)
        with pytest.raises(dorvek.PreRunWarning):
            dorvek.analyse(project)
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # the example itself passes every check
        dorvek.analyse(dorvek.Project.read(BUNDLED))


def test_distributions_along_the_pile():
    result = dorvek.analyse(dorvek.Project.read(BUNDLED))
    assert len(result.load_distributions) == 3 and len(result.tip_distributions) == len(result.tip_results)
    for (load, head, tip, tip_load), d in zip(result.load_results, result.load_distributions):
        # 50 increments of 720/50 = 14.4: the mid-depths from the tip up, 712.8 ... 7.2.
        assert np.allclose(d.depth, 720 - 14.4 * (np.arange(50) + 0.5), atol=1e-3)
        # Compression: load and movement grow from the tip to the head, between their end values.
        assert (np.diff(d.load) > 0).all() and (np.diff(d.movement) > 0).all()
        assert tip_load < d.load[0] and d.load[-1] < load
        assert tip < d.movement[0] and d.movement[-1] < head
