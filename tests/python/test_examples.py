"""The example scripts run as shipped, each in a folder of its own (the notebook: see
test_notebook.py)."""
import os
import subprocess
import sys

import pytest

import velmora
from conftest import SOURCE_DIR

EXAMPLES = os.path.join(SOURCE_DIR, "examples", "python")


def run(args, folder):
    env = dict(os.environ, MPLBACKEND="Agg",
               PYTHONPATH=os.path.dirname(os.path.dirname(os.path.abspath(velmora.__file__))))
    env.pop("DISPLAY", None)
    return subprocess.run(args, cwd=folder, env=env, capture_output=True, text=True, timeout=600)


@pytest.mark.parametrize("script, writes", [
    ("sweep_map.py", "sweep_map.png"),
    ("optimize_constrained.py", "optimized.RBP"),
    ("pv_two_designs.py", "pv_two_designs.png"),
    ("two_models.py", "two_models.png"),
])
def test_the_example_scripts_run(tmp_path, script, writes):
    done = run([sys.executable, os.path.join(EXAMPLES, script)], tmp_path)
    assert done.returncode == 0, done.stderr
    if writes.endswith(".png"):
        try:
            import matplotlib  # noqa: F401
        except ImportError:
            return
    assert (tmp_path / writes).stat().st_size > 0
    if writes.endswith(".RBP"):
        velmora.Design.load(str(tmp_path / writes)).evaluate()
