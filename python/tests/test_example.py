"""The example script runs as the README says and prints the study's table."""

import os
import subprocess
import sys

from conftest import SOURCE


def test_load_settlement_script_prints_the_table(tmp_path):
    picture = tmp_path / "curves.png"
    done = subprocess.run([sys.executable, str(SOURCE / "examples" / "python" / "load_settlement.py"), str(picture)],
                          cwd=tmp_path, capture_output=True, text=True, env=dict(os.environ))
    assert done.returncode == 0, done.stderr
    lines = done.stdout.splitlines()
    assert lines[1] == "run completed (code 0); pile length 720 in"
    assert "   length (in)    head load (lbs)    settlement (in)" in lines
    lengths = {line.split()[0] for line in lines if line[:14].strip().isdigit()}
    assert lengths == {"480", "600", "720", "840", "960"}
    try:
        import matplotlib  # noqa: F401
    except ImportError:
        assert lines[-1] == "matplotlib is not installed: no picture drawn"
    else:
        assert picture.read_bytes().startswith(b"\x89PNG")
