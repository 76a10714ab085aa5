"""The examples run as shipped: each script in a folder of its own, the notebook top to bottom
when Debian's notebook packages are present."""
import os
import shutil
import subprocess
import sys

import pytest

import velmora
from conftest import SOURCE_DIR

EXAMPLES = os.path.join(SOURCE_DIR, "examples", "python")


def run(args, folder):
    env = dict(os.environ, MPLBACKEND="Agg",
               PYTHONPATH=os.path.dirname(os.path.abspath(velmora.__file__)))
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


def test_the_notebook_runs_top_to_bottom(tmp_path):
    if shutil.which("jupyter-nbconvert") is None:
        pytest.skip("jupyter-nbconvert is not installed")
    for name in ("velmora_tour.ipynb", "_engines.py"):
        shutil.copy(os.path.join(EXAMPLES, name), tmp_path)
    for name in ("KESTMORE.RBP",):
        shutil.copy(os.path.join(SOURCE_DIR, "examples", name), tmp_path.parent)
    done = run(["jupyter-nbconvert", "--to", "notebook", "--execute", "--output",
                "ran.ipynb", "velmora_tour.ipynb"], tmp_path)
    assert done.returncode == 0, done.stderr
