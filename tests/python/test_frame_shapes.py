"""DataFrames pandas handles without cleaning: float columns with NaN, settled as bool, one
naming style, no repeated columns, attrs with units, file, model and version."""
import os
import re

import numpy as np
import pytest

import velmora
from conftest import SOURCE_DIR

KESTMORE = os.path.join(SOURCE_DIR, "examples", "KESTMORE.RBP")
SNAKE = re.compile(r"^[a-z][a-z0-9_]*$")


def assert_tagged(frame, design):
    assert all(SNAKE.match(c) for c in frame.columns), list(frame.columns)
    assert not frame.columns.duplicated().any()
    assert set(frame.attrs["units"]) == set(frame.columns)
    assert frame.attrs["design_file"] == design.file
    assert frame.attrs["model"] == design.model
    assert frame.attrs["velmora_version"] == velmora.__version__
    assert "object" not in {str(t) for t in frame.dtypes}


def test_every_frame_of_a_design_has_one_shape():
    design = velmora.Design.load(KESTMORE)
    curve = design.power_curve()
    assert list(curve.columns) == ["speed_rpm", "speed_rad_s", "power_w", "phase_deg",
                                   "torque_n_m"]
    assert curve.attrs["graphed"] in curve.columns
    # rpm and rad/s are the same speeds (the program's 2 pi = 6.28318).
    np.testing.assert_allclose(curve["speed_rpm"] * 6.28318 / 60, curve["speed_rad_s"],
                               rtol=1e-5)
    for frame in (curve, design.pv(), design.cycle(), design.cycle(units="output"),
                  design.energy_cycle()):
        assert_tagged(frame, design)
    assert design.pv().attrs["units"]["pressure_pa"] == "Pa"
    output = design.cycle(units="output")
    assert output.attrs["units"]["instantaneous_pressure_atm"] == "atm"


def test_a_sweep_has_float_columns_with_nan_and_bool_settled():
    design = velmora.Design.load(KESTMORE)
    outputs = ["indicated_power_w", "beta_s", "settled", "settled_omega_bar", "heat_in_w"]
    rows = velmora.sweep(design, {"Engine.Speed": (600, 1400, 3)}, outputs=outputs, threads=2)
    assert list(rows.columns) == ["engine_speed_rpm"] + outputs
    assert_tagged(rows, design)
    assert rows["beta_s"].dtype == float and rows["beta_s"].isna().all()  # not computed
    assert rows["settled"].dtype == bool and rows["settled_omega_bar"].dtype == bool
    assert rows.attrs["units"]["indicated_power_w"] == "W"
    assert rows.attrs["units"]["engine_speed_rpm"] == "rpm"
    assert rows.attrs["units"]["beta_s"] == ""
    for i, speed in enumerate(rows["engine_speed_rpm"]):
        one = design.copy()
        one["Engine.Speed"] = speed
        result = one.evaluate(energy=True)
        assert rows["settled"][i] == bool(result.settled)
        assert rows["heat_in_w"][i] == result.heat_in_w


def test_sweep_inputs_are_numpys_linspace_and_the_values_evaluated():
    design = velmora.Design.load(KESTMORE)
    rows = velmora.sweep(design, {"Piston.Stroke": (100, 200, 7)}, outputs=["beta"])
    # The doubles numpy gives, not their 15-digit texts: isin matches every row.
    assert rows["piston_stroke_mm"].isin(np.linspace(100, 200, 7)).all()
    assert list(rows["piston_stroke_mm"]) == list(np.linspace(100, 200, 7))
    assert len({float("%.15g" % v) for v in rows["piston_stroke_mm"]} -
               set(rows["piston_stroke_mm"])) > 0  # some differ from their 15-digit texts
    # Each row's figures are those of the design typed with its value's shortest exact text.
    for value, beta in zip(rows["piston_stroke_mm"], rows["beta"]):
        one = design.copy()
        one.set_text("Piston.Stroke", repr(value))
        assert one.evaluate().beta == beta


def test_a_missing_value_is_nan_and_a_missing_settled_is_na():
    design = velmora.Design.load(KESTMORE)
    broken = design.copy()
    broken.set_text("Displacer.Mass", "")
    frame = velmora.evaluate_many([design, broken], outputs=["indicated_power_w", "settled"])
    assert frame["indicated_power_w"].dtype == float
    assert np.isnan(frame["indicated_power_w"][1])
    assert str(frame["settled"].dtype) == "boolean" and frame["settled"].isna()[1]
