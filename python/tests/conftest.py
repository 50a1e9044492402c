"""What the tests of the dorvek package share: the example projects and dorvek-run."""

import csv
import io
import os
import pathlib
import shutil
import subprocess

import pytest

SOURCE = pathlib.Path(os.environ.get("DORVEK_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
EXAMPLES = sorted((SOURCE / "examples").glob("*.dv4d"))
BUNDLED = SOURCE / "examples" / "driven-pile-clay-over-sand.dv4d"


def dorvek_run():
    """The built dorvek-run (set by ctest; else beside the usual build folder)."""
    path = os.environ.get("DORVEK_RUN", str(SOURCE / "build" / "bin" / "dorvek-run"))
    if not os.path.exists(path):
        pytest.skip("dorvek-run is not built")
    return path


def run_table(folder, files, *options):
    """dorvek-run's --table for the files, analysed in `folder`: the header and the rows."""
    table = folder / "table.csv"
    names = [str(f.relative_to(folder)) if f.is_relative_to(folder) else str(f) for f in files]
    command = [dorvek_run(), "-q", "-j", "2", "--table", str(table), *options, *names]
    done = subprocess.run(command, cwd=folder, capture_output=True, text=True)
    assert done.returncode in (0, 1), done.stderr
    rows = list(csv.reader(io.StringIO(table.read_text())))
    return rows[0], rows[1:]


@pytest.fixture
def copies(tmp_path):
    """Copies of the example projects in a folder of the test's own."""
    return [pathlib.Path(shutil.copy(example, tmp_path)) for example in EXAMPLES]


def crlf(*lines):
    """The lines as a project file holds them."""
    return "".join(line + "\r\n" for line in lines).encode()
