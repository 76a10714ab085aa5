"""`pip install .` from the checkout, as the README gives it: into a fresh virtual environment
over Debian's packages, without network, driving the project's CMake for the module alone.
The installed package works, carries its type hints and computes what the build tree does."""
import os
import subprocess
import sys

import pytest

import velmora
from conftest import EXAMPLES, SOURCE_DIR

pytestmark = pytest.mark.slow


def test_pip_install_builds_the_module_into_a_virtual_environment(tmp_path):
    env_dir = tmp_path / "env"
    # As the README says: python3 -m venv --system-site-packages (its pip comes from Debian's
    # python3-venv and python3-pip), then pip install --no-build-isolation .
    done = subprocess.run([sys.executable, "-m", "venv", "--system-site-packages", str(env_dir)],
                          capture_output=True, text=True, timeout=300)
    if done.returncode != 0 and "ensurepip" in done.stdout + done.stderr:
        pytest.skip("venv cannot make a pip (Debian: python3-venv, python3-pip)")
    assert done.returncode == 0, done.stderr
    python = str(env_dir / "bin" / "python")
    # No index: whatever is missing fails here rather than being fetched.
    environment = dict(os.environ, PIP_NO_INDEX="1", PIP_DISABLE_PIP_VERSION_CHECK="1")
    done = subprocess.run([python, "-m", "pip", "install", "--no-build-isolation", SOURCE_DIR],
                          capture_output=True, text=True, env=environment, timeout=3000)
    assert done.returncode == 0, done.stdout[-3000:] + done.stderr[-3000:]

    code = ("import os, velmora; d = velmora.Design.load(%r); r = d.evaluate(); "
            "folder = os.path.dirname(velmora.__file__); "
            "print(folder); print(sorted(n for n in os.listdir(folder) if not n.endswith('.so'))); "
            "print(repr(r.indicated_power_w)); print(velmora.__version__)" % EXAMPLES[0])
    ran = subprocess.run([python, "-c", code], capture_output=True, text=True, cwd=tmp_path,
                         env={k: v for k, v in os.environ.items() if k != "PYTHONPATH"},
                         timeout=120)
    assert ran.returncode == 0, ran.stderr
    folder, names, power, version = ran.stdout.splitlines()
    assert folder.startswith(str(env_dir)) and folder.endswith(os.path.join("site-packages",
                                                                           "velmora"))
    assert names == "['__init__.pyi', 'py.typed']"
    assert power == repr(velmora.Design.load(EXAMPLES[0]).evaluate().indicated_power_w)
    assert version == velmora.__version__
