"""NumPy scalars are numbers and pathlib paths are paths wherever the module takes them."""
import pathlib

import numpy as np
import pytest

from conftest import EXAMPLES
import velmora


def test_numpy_scalars_set_the_same_inputs_as_python_numbers():
    plain, numpy_set = velmora.Design(), velmora.Design()
    plain["Piston.Stroke"] = 150
    numpy_set["Piston.Stroke"] = np.int64(150)
    assert numpy_set.get_text("Piston.Stroke") == plain.get_text("Piston.Stroke")
    # A float32 is set as the double it holds (0.1f is not 0.1).
    numpy_set["Hot.Temp"] = np.float32(650.5)
    assert numpy_set["Hot.Temp"] == 650.5
    numpy_set["Piston.StrokeUnits"] = np.int32(1)
    assert numpy_set["Piston.StrokeUnits"] == 1
    flag = next(k for k, v in plain.to_dict().items() if isinstance(v, bool))
    numpy_set[flag] = np.bool_(not plain[flag])
    assert numpy_set[flag] is (not plain[flag])
    for value in np.arange(100, 103):
        numpy_set["Piston.Stroke"] = value
        assert numpy_set["Piston.Stroke"] == int(value)


def test_truth_values_are_not_numbers_and_numbers_not_truth_values():
    design = velmora.Design()
    with pytest.raises(velmora.InvalidValueError):
        design["Piston.Stroke"] = np.bool_(True)
    with pytest.raises(velmora.InvalidValueError):
        design["Piston.StrokeUnits"] = np.float64(1.0)
    with pytest.raises(velmora.InvalidValueError, match="beyond"):
        design["Piston.StrokeUnits"] = 2 ** 70


def test_sweep_and_optimize_take_numpy_bounds_and_thread_counts():
    design = velmora.Design.load(EXAMPLES[0])
    plain = velmora.sweep(design, {"Piston.Stroke": (100, 160, 4)}, threads=2)
    numpy_bounds = velmora.sweep(
        design, {"Piston.Stroke": (np.float64(100), np.int64(160), np.int64(4))},
        threads=np.int64(2))
    assert plain.equals(numpy_bounds)
    # The shortest round-trip text of a float32 bound, never its repr.
    odd = velmora.sweep(design, {"Piston.Stroke": (np.float32(100.1), 160.0, 2)}, threads=1)
    assert odd["piston_stroke_mm"].iloc[0] == pytest.approx(float(np.float32(100.1)), rel=1e-14)
    found = velmora.optimize(design, objective="schmidt",
                             vary={"Piston.Stroke": (np.int64(120), np.float64(160))},
                             max_evals=np.int64(20), threads=np.int64(1))
    assert found.evaluations <= 20 + 1


def test_paths_may_be_pathlib_paths(tmp_path):
    design = velmora.Design.load(pathlib.Path(EXAMPLES[0]))
    target = tmp_path / "copy.RBP"
    design.save(target)
    assert velmora.Design.load(target).to_dict() == design.to_dict()
    with pytest.raises(TypeError):
        velmora.Design.load(3.5)
