"""Studies from Python: the table of dorvek-run --vary, the same names and value forms, and
the command line's messages for a study it refuses."""

import shutil

import numpy as np
import pytest

import dorvek
from conftest import BUNDLED, run_table

NUMBERS = ["head load", "head movement", "tip movement", "tip load"]


def assert_same_table(study, header, rows):
    """The study's rows are the command line's, in its order, every number exactly."""
    k = len(study.names)
    assert header[1:1 + k] == study.names
    assert len(rows) == len(study.kind)
    for i, row in enumerate(rows):
        assert [float(v) for v in row[1:1 + k]] == study.values[i].tolist()
        assert int(row[1 + k]) == study.code[i]
        assert row[2 + k] == study.meanings[study.variant[i]]
        assert row[3 + k] == study.kind[i]
        for text, value in zip(row[4 + k:8 + k], study.results[i]):
            assert np.float32(text) == value, (i, row)
        converged = {"yes": 1.0, "no": 0.0}.get(row[8 + k])
        assert converged == study.converged[i] if converged is not None else np.isnan(study.converged[i])


@pytest.fixture
def pile(tmp_path):
    return shutil.copy(BUNDLED, tmp_path / "pile.dv4d")


def test_a_grid_equals_the_command_lines_table(pile, tmp_path):
    vary = ["length=480:960:240", "side-factor=0.8,1.2"]
    header, rows = run_table(tmp_path, [pile], *[a for v in vary for a in ("--vary", v)], "--out", "variants")
    study = dorvek.study(dorvek.Project.read(pile), vary, jobs=2)
    assert study.names == ["length", "side-factor"]
    # Every combination, the first name varying slowest.
    assert study.variants.tolist() == [[480, 0.8], [480, 1.2], [720, 0.8], [720, 1.2], [960, 0.8], [960, 1.2]]
    assert study.codes.tolist() == [0] * 6 and len(study) == 6
    assert_same_table(study, header, rows)


def test_a_sample_equals_the_command_lines_table(pile, tmp_path):
    header, rows = run_table(tmp_path, [pile], "--vary", "length=normal:700:50", "--vary",
                             "tip-factor=lognormal:1:0.2", "--sample", "5", "--seed", "7", "--out", "variants")
    study = dorvek.study(dorvek.Project.read(pile), {"length": "normal:700:50", "tip-factor": "lognormal:1:0.2"},
                         sample=5, seed=7)
    assert study.variants.shape == (5, 2)
    assert_same_table(study, header, rows)
    again = dorvek.study(dorvek.Project.read(pile), ["length=normal:700:50", "tip-factor=lognormal:1:0.2"],
                         sample=5, seed=7, jobs=1)
    assert np.array_equal(again.results, study.results)
    other = dorvek.study(dorvek.Project.read(pile), ["length=normal:700:50", "tip-factor=lognormal:1:0.2"],
                         sample=5, seed=8)
    assert not np.array_equal(other.variants, study.variants)


def test_value_forms_of_a_dict_and_serial_equals_parallel():
    project = dorvek.Project.read(BUNDLED)
    texts = dorvek.study(project, ["load-factor=0.5,1,1.5", "ae-factor=0.9,1.1"], jobs=1)
    numbers = dorvek.study(project, {"load-factor": [0.5, 1, 1.5], "ae-factor": "0.9,1.1"}, jobs=2)
    assert np.array_equal(texts.variants, numbers.variants)
    assert np.array_equal(texts.results, numbers.results)
    one = dorvek.study(project, {"length": 720})
    assert one.variants.tolist() == [[720]]
    # The unchanged project: its own results.
    plain = dorvek.analyse(project)
    assert np.array_equal(one.results[one.kind == "head load"], plain.load_results)


def test_a_variant_that_stops_keeps_a_row():
    study = dorvek.study(dorvek.Project.read(BUNDLED), "length=720,2000")
    assert study.codes.tolist() == [0, 6]
    failed = study.variant == 1
    assert failed.sum() == 1 and study.kind[failed][0] == "" and np.isnan(study.results[failed]).all()
    assert "1 not completed" in repr(study)


@pytest.mark.parametrize("kwargs, message", [
    ({"vary": "depth=1,2"}, '--vary: unknown name "depth" (known: length diameter head ae-factor side-factor '
                            'tip-factor load-factor)'),
    ({"vary": "length=960:480:60"}, "--vary length: the range is reversed (960 > 480)"),
    ({"vary": "length=480:960:0"}, "--vary length: the step of a range must not be 0"),
    ({"vary": "length=0,480"}, "--vary length: 0 is not positive"),
    ({"vary": "length=x"}, '--vary length: "x" is not a number'),
    ({"vary": "length=normal:700:50"}, "--vary length: a distribution needs --sample N"),
    ({"vary": "length=480", "sample": 3}, "--vary length: with --sample every name takes normal:MEAN:SD or "
                                          "lognormal:MEAN:COV"),
    ({"vary": "length=normal:700:50", "sample": 0}, "--sample: the sample size must be positive"),
    ({"vary": "length=normal:700:50", "sample": 100001},
     "the study has 100001 variants, more than 100000; give --force to run it"),
    ({"vary": "length=normal:700:50", "sample": 100_000_001, "force": True},
     "--sample 100000001: at most 100000000 variants"),
    ({"vary": "length=normal:700:50", "sample": 2**64 + 1, "force": True},
     "--sample 18446744073709551617: at most 100000000 variants"),
    ({"vary": "length=normal:700:50", "sample": 3, "seed": 2**63}, "seed: a whole number from 0 to 9223372036854775807"),
    ({"vary": "length=normal:700:50", "sample": 3, "seed": -1}, "seed: a whole number from 0 to 9223372036854775807"),
    ({"vary": ["length=1:10000:1", "diameter=1:10000:1", "head=1,2"], "force": True},
     "the study has 200000000 variants, more than 100000000, the most a study may have"),
    ({"vary": []}, "a study needs at least one NAME=VALUES"),
    ({"vary": "length=480", "jobs": -1}, "jobs: a number of threads from 1 to 1024, 0 for one per core"),
    ({"vary": "length=480", "jobs": 1025}, "jobs: a number of threads from 1 to 1024, 0 for one per core"),
])
def test_a_study_refused_says_why(kwargs, message):
    with pytest.raises(ValueError) as error:
        dorvek.study(dorvek.Project.read(BUNDLED), **kwargs)
    assert str(error.value) == message


def test_load_factor_needs_loads():
    project = dorvek.Project.read(BUNDLED)
    project.loading = "generated"
    with pytest.raises(ValueError) as error:
        dorvek.study(project, "load-factor=1,2")
    assert str(error.value) == "--vary load-factor: the project applies no pile-head loads"


def test_to_frame_of_a_study():
    study = dorvek.study(dorvek.Project.read(BUNDLED), "length=600,720")
    pandas = pytest.importorskip("pandas")
    frame = study.to_frame()
    assert isinstance(frame, pandas.DataFrame) and len(frame) == len(study.kind)
    assert list(frame.columns)[:3] == ["variant", "length", "result"]
