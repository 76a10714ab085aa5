"""Shared fixtures: the built velmora-cli, the example engines and random engines.

The module is imported from VELMORA_PYTHON_DIR (the build tree's python/ folder), the command
line from VELMORA_RUNTIME_DIR; ctest sets both.
"""
import os
import random
import subprocess
import sys

import pytest

sys.path.insert(0, os.environ.get("VELMORA_PYTHON_DIR", "build/python"))

import velmora  # noqa: E402

SOURCE_DIR = os.path.abspath(os.environ.get("VELMORA_SOURCE_DIR", "."))
RUNTIME_DIR = os.path.abspath(os.environ.get("VELMORA_RUNTIME_DIR", "build/bin"))
EXAMPLES = [os.path.join(SOURCE_DIR, "examples", name)
            for name in ("KESTMORE.RBP", "BRANDOCK TAPPER.RBP")]
RANDOM_ENGINE_COUNT = 50


def run_cli(*args):
    """velmora-cli with `args`: (exit status, standard output, standard error)."""
    done = subprocess.run([os.path.join(RUNTIME_DIR, "velmora-cli"), *args],
                          capture_output=True, text=True)
    return done.returncode, done.stdout, done.stderr


def _text(dice, typical):
    """Mostly a plausible value near `typical`; now and then a text the analysis must refuse."""
    pick = dice.randrange(160)
    if pick == 0:
        return ""
    if pick == 1:
        return "0"
    if pick == 2:
        return "x1"
    if pick == 3:
        return "-%f" % typical
    return "%.5g" % (typical * 3.0 ** dice.uniform(-1, 1))


# The inputs of a random engine: key, typical value and unit choice, as the command line's
# recorded-output test makes them (around the shipped example, in its units).
_INPUTS = [
    ("Displacer.Diameter", 127.2, 1), ("Displacer.Stroke", 126, 1), ("Displacer.Mass", 1, 2),
    ("DisplacerRod.Diameter", 38.1, 1), ("Piston.Diameter", 114, 1), ("Piston.Stroke", 140, 1),
    ("DeadSpace.Volume", 3380, 2), ("DeadSpace.Temp", 346, 1), ("Hot.Temp", 650, 1),
    ("Cold.Temp", 42, 1), ("Engine.Speed", 1000, 0), ("Engine.Pressure", 50, 0),
]
_OUTPUT_LISTS = [("OutputFormat.Length", 1, 4), ("OutputFormat.Temperature", 1, 3),
                 ("OutputFormat.Mass", 2, 3), ("OutputFormat.AngVel", 0, 3),
                 ("OutputFormat.Spring", 0, 2), ("OutputFormat.Angle", 1, 2),
                 ("OutputFormat.Pressure", 0, 3)]


def random_engine(dice):
    design = velmora.Design()
    for key, typical, units in _INPUTS:
        design.set_text(key, _text(dice, typical), any_text=True)
        design[key + "Units"] = units
    design.set_text("DisplacerSpring.Constant", _text(dice, 800) if dice.randrange(3) == 0 else "0",
                    any_text=True)
    design.set_text("DisplacerSpring.Center", _text(dice, 10) if dice.randrange(3) == 0 else "0",
                    any_text=True)
    design["DisplacerSpring.CenterUnits"] = 1
    design.set_text("Engine.RequiredPower", _text(dice, 20000) if dice.randrange(2) == 0 else "",
                    any_text=True)
    design["Engine.LeakDown"] = dice.randrange(3) == 0
    design["Gravity.Enabled"] = dice.randrange(2) == 0
    design["ComputeCycle.Count"] = 1 + dice.randrange(4)
    design["GraphCycle.Count"] = 1 + dice.randrange(3)
    design["XAxis.Offset"] = dice.randrange(721) - 360 if dice.randrange(3) == 0 else 0
    design["Graph.Red"] = dice.randrange(12)
    design["Graph.Blue"] = dice.randrange(12)
    design["Graph.XAxis"] = dice.randrange(2)
    design["Show.Graph2"] = dice.randrange(4)
    for key, usual, count in _OUTPUT_LISTS:
        design[key] = dice.randrange(count) if dice.randrange(3) == 0 else usual
    return design


@pytest.fixture(scope="session")
def engine_files(tmp_path_factory):
    """The two reference engines and 50 random ones, each as a parameter file."""
    folder = tmp_path_factory.mktemp("engines")
    dice = random.Random(20261210)
    files = list(EXAMPLES)
    for n in range(RANDOM_ENGINE_COUNT):
        path = str(folder / ("engine-%d.RBP" % n))
        random_engine(dice).save(path)
        files.append(path)
    return files


def pytest_configure(config):
    config.addinivalue_line("markers", "slow: takes minutes (ctest label slow)")
