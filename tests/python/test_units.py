"""Units by name: reading, setting, converting and sweeping in the units a user thinks in.

Expected values are worked out by hand from the program's own constants (25.4 mm to the inch,
273 K at 0 degrees C, 100000 Pa to the atmosphere, 2 pi / 60 rad/s to the rpm)."""
import math
import os

import numpy as np
import pytest

import velmora
from conftest import SOURCE_DIR, run_cli

KESTMORE = os.path.join(SOURCE_DIR, "examples", "KESTMORE.RBP")


@pytest.fixture
def design():
    return velmora.Design.load(KESTMORE)


def test_values_read_and_set_in_any_unit_of_the_input(design):
    assert [design.unit(k) for k in ("Piston.Stroke", "Hot.Temp", "Engine.Speed",
                                     "Engine.Pressure", "Displacer.Mass", "Engine.RequiredPower")] \
        == ["mm", "degC", "rpm", "atm", "kg", "W"]
    assert design.unit("Piston.StrokeUnits") is None and design.unit("Graph.Red") is None
    assert design.get("Piston.Stroke", unit="in") == pytest.approx(140 / 25.4, rel=1e-15)
    assert design.get("Hot.Temp", unit="K") == 650 + 273
    assert design.get("Engine.Pressure", unit="Pa") == 50 * 100000
    assert design.get("Piston.Stroke", unit="mm") == 140.0  # its own unit: exactly as held
    design.set("Piston.Stroke", 5.5, unit="in")
    assert design["Piston.Stroke"] == pytest.approx(139.7, rel=1e-15)
    design.set("Hot.Temp", 900, unit="K")
    assert design["Hot.Temp"] == 627
    design.set("Engine.Speed", 1200, unit="rpm")
    assert design["Engine.Speed"] == 1200
    # The table's short names and list items name the same units.
    design.set("Cold.Temp", 50, unit="C")
    assert design["Cold.Temp"] == 50
    assert design.get("Engine.Speed", unit="RPM") == 1200
    assert design.get("Missing.Key", "fallback", unit="mm") == "fallback"


def test_si_gives_every_input_as_the_design_is_computed_from_it(design):
    si = design.si()
    assert set(velmora.Design.inputs()) | {"Engine.RequiredPower"} == set(si)
    assert si["Piston.Stroke"] == pytest.approx(0.14, rel=1e-15)
    assert si["Hot.Temp"] == 923
    assert si["Engine.Pressure"] == 5e6
    assert si["Engine.Speed"] == pytest.approx(1000 * 2 * 3.14159 / 60, rel=1e-15)
    design.set_text("Displacer.Mass", "")
    assert math.isnan(design.si()["Displacer.Mass"])


def test_set_unit_converts_so_the_design_stays_the_same(design):
    before = design.si()
    figures = design.evaluate().indicated_power_w
    design.set_unit("Piston.Stroke", "in")
    assert design.unit("Piston.Stroke") == "in" and design["Piston.StrokeUnits"] == 0
    assert design["Piston.Stroke"] == pytest.approx(140 / 25.4, rel=1e-14)
    design.set_unit("Engine.Pressure", "psi")
    assert design["Engine.Pressure"] == pytest.approx(50 * 15, rel=1e-14)
    after = design.si()
    for key in before:
        assert after[key] == pytest.approx(before[key], rel=1e-13), key
    assert design.evaluate().indicated_power_w == pytest.approx(figures, rel=1e-9)
    # Without conversion the number stays and now means the new unit.
    design.set_unit("Displacer.Mass", "g", convert=False)
    assert design["Displacer.Mass"] == 1 and design.si()["Displacer.Mass"] == 0.001


def test_every_unit_of_every_input_round_trips(design):
    for key in list(velmora.Design.inputs()) + ["Engine.RequiredPower"]:
        names = velmora.Design.units(key)
        assert design.unit(key) in names, key
        for name in names:
            trial = design.copy()
            trial.set(key, 400, unit=name)
            assert trial.get(key, unit=name) == pytest.approx(400, rel=1e-12), (key, name)


def test_an_unknown_unit_is_refused_naming_the_allowed_ones(design):
    with pytest.raises(ValueError, match="unknown unit 'furlong'; the units are 'in', 'mm', "
                                         "'cm', 'm'"):
        design.set("Piston.Stroke", 1, unit="furlong")
    with pytest.raises(ValueError, match="'degF', 'degC', 'K'"):
        design.get("Hot.Temp", unit="mm")
    with pytest.raises(ValueError, match="has no unit"):
        design.set("Graph.Red", 1, unit="mm")
    with pytest.raises(ValueError, match="has no unit"):
        design.get("Piston.StrokeUnits", unit="mm")
    design.set_unit("Piston.StrokeUnits", "cm")  # the units key names the same input
    assert design["Piston.Stroke"] == pytest.approx(14, rel=1e-15)
    with pytest.raises(KeyError):
        design.set_unit("Piston.Strok", "mm")
    # A list left without a choice, as a file may leave it.
    design = velmora.Design.from_dict({"Displacer.MassUnits": -1}, base=design)
    assert design.unit("Displacer.Mass") is None
    with pytest.raises(ValueError, match="names no unit"):
        design.set("Displacer.Mass", 1, unit="kg")


def test_a_sweep_with_a_unit_evaluates_the_design_kept_in_that_unit(design, tmp_path):
    rows = velmora.sweep(design, {"Piston.Stroke": (5, 6, 3, "in")}, threads=2)
    assert list(rows["piston_stroke_in"]) == [5, 5.5, 6]
    assert rows.attrs["units"]["piston_stroke_in"] == "in"
    assert rows.attrs["inputs"] == {"piston_stroke_in": "Piston.Stroke"}
    inches = design.copy()
    inches.set_unit("Piston.Stroke", "in")
    inches["Piston.Stroke"] = 5.5
    assert rows["indicated_power_w"][1] == inches.evaluate().indicated_power_w
    # The command line on the file kept in inches gives the same figures.
    path = str(tmp_path / "inches.RBP")
    inches.save(path)
    status, out, _ = run_cli("sweep", path, "--vary", "Piston.Stroke=5:6:3", "--threads", "1")
    assert status == 0
    line = [row for row in out.splitlines() if row.startswith("5.5,")][0]
    assert float(line.split(",")[5]) == rows["indicated_power_w"][1]
    assert design.unit("Piston.Stroke") == "mm"  # the design given is left as it was
    # A log axis with a unit.
    log = velmora.sweep(design, {"Displacer.Mass": (500, 2000, 3, "log", "g")})
    assert list(log["displacer_mass_g"]) == [500, 1000, 2000]


def test_optimize_takes_bounds_with_a_unit(design):
    result = velmora.optimize(design, objective="indicated",
                              vary={"Piston.Stroke": (4, 7, "in")}, max_evals=25, threads=2)
    assert result.status == "found"
    assert result.best.unit("Piston.Stroke") == "in"
    assert 4 <= result.best["Piston.Stroke"] <= 7
