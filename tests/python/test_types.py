"""The type hints: installed beside the module as PEP 561 asks, found by mypy as a user runs it,
and in agreement with the built module (stubtest)."""
import os
import shutil
import subprocess
import sys
import venv

import pytest

import velmora

mypy = pytest.importorskip("mypy", reason="mypy is not installed (Debian: python3-mypy)")

HERE = os.path.dirname(os.path.abspath(__file__))
TYPING = os.path.join(HERE, "typing")
PACKAGE = os.path.dirname(os.path.abspath(velmora.__file__))
CONFIG = os.path.join(TYPING, "mypy.ini")


def run(*args, cwd=None):
    done = subprocess.run([sys.executable, "-m", *args], capture_output=True, text=True,
                          cwd=cwd, timeout=600)
    return done.returncode, done.stdout + done.stderr


def test_the_module_is_a_package_with_its_hints_and_marker():
    assert os.path.basename(PACKAGE) == "velmora"
    assert sorted(name for name in os.listdir(PACKAGE) if not name.endswith(".so")) == [
        "__init__.pyi", "py.typed"]
    assert velmora.Design.__module__ == "velmora"


def test_stubtest_finds_the_hints_and_the_module_in_agreement():
    status, out = run("mypy.stubtest", "--mypy-config-file", CONFIG, "--allowlist",
                      os.path.join(TYPING, "stubtest_allowlist.txt"), "velmora",
                      cwd=os.path.dirname(PACKAGE))
    assert status == 0, out


@pytest.fixture(scope="module")
def site(tmp_path_factory):
    """A virtual environment with the package copied into its site-packages, as installed."""
    root = tmp_path_factory.mktemp("env")
    venv.create(root, system_site_packages=True, with_pip=False)
    python = os.path.join(root, "bin", "python")
    packages = subprocess.run([python, "-c", "import sysconfig; print(sysconfig.get_path('purelib'))"],
                              capture_output=True, text=True, check=True).stdout.strip()
    shutil.copytree(PACKAGE, os.path.join(packages, "velmora"))
    return python


def test_mypy_takes_a_users_script_with_the_installed_hints(site):
    status, out = run("mypy", "--config-file", CONFIG, "--python-executable", site,
                      os.path.join(TYPING, "uses_velmora.py"))
    assert status == 0, out
    assert "Success" in out


def test_mypy_catches_misuse_through_the_installed_hints(site):
    status, out = run("mypy", "--config-file", CONFIG, "--python-executable", site,
                      os.path.join(TYPING, "misuses_velmora.py"))
    assert status == 1, out
    errors = [line for line in out.splitlines() if ": error:" in line]
    # One per line of the script: without the hints mypy would take velmora as Any.
    assert [line.split(":")[1] for line in errors] == ["4", "5", "6"], out
    assert "missing library stubs" not in out


def test_make_install_puts_the_hints_beside_the_module(tmp_path):
    build = os.path.dirname(os.path.dirname(PACKAGE))
    done = subprocess.run(["cmake", "--install", build, "--prefix", str(tmp_path)],
                          capture_output=True, text=True, timeout=300)
    assert done.returncode == 0, done.stderr
    version = "python%d.%d" % sys.version_info[:2]
    installed = tmp_path / "lib" / version / "dist-packages" / "velmora"
    names = sorted(os.listdir(installed))
    assert names[1:] == ["__init__.pyi", "py.typed"] and names[0].startswith("__init__.cpython")
    with open(installed / "__init__.pyi", encoding="utf-8") as f:
        assert "class OptimizeResult" in f.read()
