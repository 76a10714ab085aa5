"""The lossy figures in Python: the same numbers as velmora-cli energy, and a displacer held
still by its rod guide gives None (NaN in a sweep) with the reason in words."""
import math
import os

import velmora
from conftest import SOURCE_DIR, run_cli

LOSSY = os.path.join(SOURCE_DIR, "examples", "KESTMORE with losses.RBP")
HELD = "displacer does not move: friction exceeds the gas force"


def energy_csv(path):
    status, out, err = run_cli("energy", path, "--format", "csv")
    assert status == 0, err
    header, row = out.splitlines()
    return dict(zip(header.split(","), row.split(",", len(header.split(",")) - 1)))


def test_the_lossy_cycles_figures_are_the_command_lines():
    result = velmora.Design.load(LOSSY).evaluate(energy=True)
    cells = energy_csv(LOSSY)
    for name in ("lossy_indicated_power_w", "lossy_shaft_power_w", "lossy_rod_work_loss_w",
                 "lossy_heat_in_w", "lossy_heat_out_w", "brake_power_w", "shaft_power_w"):
        assert getattr(result, name) == float(cells[name]), name
    # The lossy gas cycle is not the ideal one: it gives less, and the brake power less still.
    assert result.brake_power_w < result.lossy_shaft_power_w < result.shaft_power_w
    assert result.losses_note is None
    assert cells["losses_note"] == ""


def test_a_displacer_held_by_its_guide_gives_no_numbers_but_the_reason(tmp_path):
    path = tmp_path / "held.RBP"
    with open(os.path.join(SOURCE_DIR, "examples", "KESTMORE.RBP"), "rb") as source:
        path.write_bytes(source.read() + b"\n[Losses]\nRodFriction=1e6\n")
    design = velmora.Design.load(path)
    result = design.evaluate(energy=True)
    assert result.brake_power_w is None
    assert result.lossy_shaft_power_w is None
    assert result.max_brake_power_w is None
    assert result.losses_note == HELD
    assert result.shaft_power_w is not None  # the ideal figures stand
    assert energy_csv(str(path))["losses_note"] == HELD
    stroke = design["Piston.Stroke"]
    frame = velmora.sweep(design, {"Piston.Stroke": (stroke, stroke, 1)},
                          outputs=["brake_power_w", "shaft_power_w"], threads=1)
    assert math.isnan(frame["brake_power_w"].iloc[0])
    assert not math.isnan(frame["shaft_power_w"].iloc[0])
