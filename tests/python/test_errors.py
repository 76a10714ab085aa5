"""Bad input raises a specific exception whose message is the command line's."""
import os

import pytest

import velmora
from conftest import EXAMPLES, run_cli

KESTMORE = EXAMPLES[0]


def cli_error(*args):
    status, _, err = run_cli(*args)
    assert status == 2
    return err


def test_unreadable_files_are_refused_as_the_command_line_refuses_them(tmp_path):
    missing = str(tmp_path / "missing.RBP")
    folder = str(tmp_path)
    other = tmp_path / "notes.txt"
    other.write_text("just some text\n")
    for path in (missing, folder, str(other)):
        with pytest.raises(velmora.FileReadError) as caught:
            velmora.Design.load(path)
        assert isinstance(caught.value, OSError)
        assert cli_error("report", path) == "velmora-cli: %s\n" % caught.value


def test_unknown_keys_and_outputs_carry_the_sweep_message():
    design = velmora.Design.load(KESTMORE)
    with pytest.raises(velmora.UnknownKeyError) as caught:
        velmora.sweep(design, {"Piston.Strok": (1, 2, 3)})
    assert cli_error("sweep", KESTMORE, "--vary", "Piston.Strok=1:2:3") == \
        "velmora-cli sweep: %s\n" % caught.value
    with pytest.raises(velmora.UnknownKeyError) as setting:
        design["Piston.Strok"] = 150
    assert str(setting.value) == str(caught.value)
    with pytest.raises(velmora.UnknownKeyError):
        design["Piston.Strok"]
    with pytest.raises(velmora.UnknownKeyError) as output:
        velmora.sweep(design, {"Piston.Stroke": (100, 180, 3)}, outputs=["beta", "power"])
    assert cli_error("sweep", KESTMORE, "--vary", "Piston.Stroke=100:180:3", "--outputs",
                     "beta,power") == "velmora-cli sweep: %s\n" % output.value


@pytest.mark.parametrize("vary, words", [
    ({"Piston.Stroke": ("abc", 180, 3)}, ["Piston.Stroke=abc:180:3"]),
    ({"Piston.Stroke": (100, 180, 2.5)}, ["Piston.Stroke=100:180:2.5"]),
    ({"Piston.Stroke": (100, 180)}, ["Piston.Stroke=100:180"]),
    ({"Piston.Stroke": (-10, 180, 3)}, ["Piston.Stroke=-10:180:3"]),
    ({"Piston.Stroke": (1, 2, 3), "Displacer.Mass": (1, 2, 3), "Hot.Temp": (1, 2, 3)},
     ["Piston.Stroke=1:2:3", "Displacer.Mass=1:2:3", "Hot.Temp=1:2:3"]),
    ({"Piston.Stroke": (1, 2, 1001), "Displacer.Mass": (1, 2, 1000)},
     ["Piston.Stroke=1:2:1001", "Displacer.Mass=1:2:1000"]),
    ({"Piston.Stroke": (0, 2, 3, "log")}, ["Piston.Stroke=0:2:3:log"]),
])
def test_bad_ranges_carry_the_sweep_message(vary, words):
    with pytest.raises(velmora.InvalidValueError) as caught:
        velmora.sweep(velmora.Design.load(KESTMORE), vary)
    assert isinstance(caught.value, ValueError)
    args = ["sweep", KESTMORE]
    for word in words:
        args += ["--vary", word]
    assert cli_error(*args) == "velmora-cli sweep: %s\n" % caught.value


@pytest.mark.parametrize("kwargs, words, error", [
    (dict(objective="power", vary=["Piston.Stroke"]), ["--objective", "power", "--vary",
                                                       "Piston.Stroke"], velmora.UnknownKeyError),
    (dict(objective="indicated", vary={"Piston.Strok": None}),
     ["--objective", "indicated", "--vary", "Piston.Strok"], velmora.UnknownKeyError),
    (dict(objective="indicated", vary={"Piston.Stroke": (180, 100)}),
     ["--objective", "indicated", "--vary", "Piston.Stroke=180:100"], velmora.InvalidValueError),
    (dict(objective="indicated", vary=["Piston.Stroke"], constraints={"beta": 1}),
     ["--objective", "indicated", "--vary", "Piston.Stroke", "--constraint", "beta=1"],
     velmora.UnknownKeyError),
    (dict(objective="indicated", vary=["Piston.Stroke"], constraints={"beta-min": "x"}),
     ["--objective", "indicated", "--vary", "Piston.Stroke", "--constraint", "beta-min=x"],
     velmora.InvalidValueError),
    (dict(objective="indicated", vary=["Piston.Stroke"], constraints={"beta-min": 0}),
     ["--objective", "indicated", "--vary", "Piston.Stroke", "--constraint", "beta-min=0"],
     velmora.InvalidValueError),
])
def test_bad_optimizations_carry_the_optimize_message(tmp_path, kwargs, words, error):
    with pytest.raises(error) as caught:
        velmora.optimize(velmora.Design.load(KESTMORE), **kwargs)
    out = str(tmp_path / "out.RBP")
    assert cli_error("optimize", KESTMORE, *words, "-o", out) == \
        "velmora-cli optimize: %s\n" % caught.value


def test_values_a_key_cannot_hold_are_refused_and_leave_the_design_as_it_was():
    design = velmora.Design.load(KESTMORE)
    for key, value in [("Piston.Stroke", "abc"), ("Piston.Stroke", float("nan")),
                       ("Piston.Stroke", -5), ("Piston.Stroke", None),
                       ("Piston.StrokeUnits", 9), ("Piston.StrokeUnits", 1.5),
                       ("Engine.LeakDown", 1)]:
        before = design[key]
        with pytest.raises(velmora.InvalidValueError) as caught:
            design[key] = value
        assert str(caught.value).startswith(key + ": ")
        assert design[key] == before
    with pytest.raises(velmora.InvalidValueError):
        velmora.sweep(design, {"Piston.Stroke": (100, 180, 3)}, threads=0)


def test_a_file_that_cannot_be_written_is_refused(tmp_path):
    design = velmora.Design.load(KESTMORE)
    with pytest.raises(velmora.FileWriteError) as caught:
        design.save(str(tmp_path / "no-folder" / "x.RBP"))
    assert "Unable to write to" in str(caught.value)
    assert not os.path.exists(tmp_path / "no-folder")


def test_a_start_design_without_objective_raises_compute_error(tmp_path):
    path = str(tmp_path / "no-speed.RBP")
    design = velmora.Design.load(KESTMORE)
    design.set_text("Engine.Speed", "")
    design.save(path)
    with pytest.raises(velmora.ComputeError) as caught:
        velmora.optimize(design, objective="indicated", vary={"Piston.Stroke": (100, 180)},
                         max_evals=5)
    assert cli_error("optimize", path, "--objective", "indicated", "--vary",
                     "Piston.Stroke=100:180", "--max-evals", "5", "-o",
                     str(tmp_path / "out.RBP")) == "velmora-cli optimize: %s\n" % caught.value
