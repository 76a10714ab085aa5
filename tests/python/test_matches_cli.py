"""The module gives what velmora-cli gives for the same file: report lines, cycle, PV and
power/speed curve columns, sweep rows; on the reference engines and 50 random ones."""
import csv
import io
import math

import numpy as np
import pytest

import velmora
from conftest import RANDOM_ENGINE_COUNT, run_cli

ENGINES = range(2 + RANDOM_ENGINE_COUNT)


def csv_rows(text):
    """Header and data rows of a CSV text, '#' lines apart."""
    lines = [line for line in text.splitlines() if not line.startswith("#")]
    rows = list(csv.reader(io.StringIO("\n".join(lines))))
    return rows[0], rows[1:]


def comments(text):
    return [line[2:] for line in text.splitlines() if line.startswith("# ")]


def cell(text):
    """A CSV cell as a number: empty is a value that could not be computed."""
    return math.nan if text == "" else float(text)


# The power/speed curve's columns in the module; the command line's third column repeats the
# one its second graph shows (attrs["graphed"]).
CURVE_NAMES = {"rpm": "speed_rpm", "power (W)": "power_w", "torque (N m)": None,
               "phase (deg)": None}


def assert_frame_is_csv(frame, text):
    """The frame holds the CSV's columns, bit for bit: named in lower case (a swept input with
    its unit, attrs["inputs"] naming its key), each once."""
    header, rows = csv_rows(text)
    inputs = {key: column for column, key in frame.attrs.get("inputs", {}).items()}
    names = [inputs.get(name, CURVE_NAMES.get(name, name.lower())) for name in header]
    names = [frame.attrs["graphed"] if name is None else name for name in names]
    assert sorted(set(names)) == sorted(frame.columns)
    assert len(frame) == len(rows)
    if rows:
        expected = np.array([[cell(c) for c in row] for row in rows])
        # Shortest round-trip texts: the same doubles, bit for bit (NaN where empty).
        for i, name in enumerate(names):
            np.testing.assert_array_equal(frame[name].to_numpy(dtype=float), expected[:, i], name)


@pytest.mark.parametrize("engine", ENGINES)
def test_report_lines_are_the_command_lines(engine_files, engine):
    path = engine_files[engine]
    status, out, _ = run_cli("report", path)
    assert status == 0
    assert velmora.Design.load(path).report() == out.splitlines()


@pytest.mark.parametrize("engine", ENGINES)
def test_cycle_columns_are_the_command_lines(engine_files, engine):
    path = engine_files[engine]
    design = velmora.Design.load(path)
    for units in ("si", "output"):
        status, out, _ = run_cli("cycle", path, "--units", units)
        assert status == 0
        assert_frame_is_csv(design.cycle(units=units), out)


@pytest.mark.parametrize("engine", ENGINES)
def test_pv_and_power_curve_are_the_command_lines(engine_files, engine):
    path = engine_files[engine]
    design = velmora.Design.load(path)
    status, out, _ = run_cli("pv", path)
    assert status == 0
    pv = design.pv()
    assert_frame_is_csv(pv, out)
    powers = [c for c in comments(out) if c.startswith("pv_power")]
    assert len(powers) == 2
    for line in powers:
        name, value = line.split("=")
        np.testing.assert_array_equal(pv.attrs[name.lower()], float(value))
    status, out, _ = run_cli("powercurve", path)
    assert status == 0
    curve = design.power_curve()
    assert_frame_is_csv(curve, out)
    assert curve.attrs["title"] == comments(out)[-1]


@pytest.mark.parametrize("engine", ENGINES)
def test_sweep_rows_are_the_command_lines(engine_files, engine):
    path = engine_files[engine]
    design = velmora.Design.load(path)
    status, out, err = run_cli("sweep", path, "--vary", "Piston.Stroke=100:180:3",
                               "--vary", "Displacer.Mass=0.5:2:2", "--threads", "2")
    frame_or_error = None
    try:
        frame_or_error = velmora.sweep(
            design, {"Piston.Stroke": (100, 180, 3), "Displacer.Mass": (0.5, 2, 2)}, threads=2)
    except velmora.VelmoraError as error:
        frame_or_error = error
    if status != 0:
        # A unit the bounds do not suit: refused alike.
        assert isinstance(frame_or_error, velmora.InvalidValueError)
        assert err == "velmora-cli sweep: %s\n" % frame_or_error
        return
    assert_frame_is_csv(frame_or_error, out)


@pytest.mark.parametrize("engine", ENGINES)
def test_evaluate_is_the_sweep_row_of_the_design(engine_files, engine):
    """One evaluation holds every output column, as the one-point sweep of the design."""
    design = velmora.Design.load(engine_files[engine])
    result = design.evaluate(power_curve=True, energy=True)
    assert velmora.Result.columns == list(result.to_dict())
    # Varying an input over its own value gives the design as it stands.
    value = design["Piston.Stroke"]
    if not isinstance(value, float) or value <= 0:
        return
    status, out, _ = run_cli("sweep", engine_files[engine], "--vary",
                             "Piston.Stroke=%r:%r:1" % (value, value), "--outputs",
                             ",".join(velmora.Result.columns), "--threads", "1")
    assert status == 0
    header, rows = csv_rows(out)
    for name, text in zip(header[1:], rows[0][1:]):
        got = getattr(result, name)
        if text == "":
            assert got is None, name
        else:
            assert got == float(text), name


@pytest.mark.parametrize("engine", range(2))
@pytest.mark.parametrize("model", ["specified", "accurate"])
def test_energy_cycle_is_the_command_lines(engine_files, engine, model):
    path = engine_files[engine]
    design = velmora.Design.load(path)
    design.model = model
    for units in ("si", "output"):
        status, out, _ = run_cli("energy", path, "--model", model, "--format", "cycle",
                                 "--units", units)
        assert status == 0
        frame = design.energy_cycle(units=units)
        assert len(frame) == 360
        assert frame.attrs["note"] == ""
        assert_frame_is_csv(frame, out)


def test_model_is_saved_with_the_design(engine_files, tmp_path):
    design = velmora.Design.load(engine_files[0])
    assert design.model == "specified"
    design.model = "accurate"
    saved = str(tmp_path / "accurate.RBP")
    design.save(saved)
    assert velmora.Design.load(saved).model == "accurate"
    with pytest.raises(velmora.InvalidValueError):
        design.model = "exact"
    assert design.model == "accurate"
