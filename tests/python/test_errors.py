"""Bad input raises a specific exception (also the standard one) in Python's words."""
import os

import pytest

import velmora
from conftest import EXAMPLES, run_cli

KESTMORE = EXAMPLES[0]


def python_words(message):
    """The message without the command line's syntax, the way a Python user reads it."""
    message = str(message)
    for cli in ("FROM", "TO:", ":N", "--", "=", "velmora-cli"):
        assert cli not in message, message
    return message


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
        assert isinstance(caught.value, FileNotFoundError) == (path == missing)
        assert cli_error("report", path) == "velmora-cli: %s\n" % caught.value


def test_unknown_keys_and_outputs_carry_the_sweep_message():
    design = velmora.Design.load(KESTMORE)
    with pytest.raises(velmora.UnknownKeyError) as caught:
        velmora.sweep(design, {"Piston.Strok": (1, 2, 3)})
    assert isinstance(caught.value, KeyError)
    assert "Piston.Strok" in python_words(caught.value)
    with pytest.raises(velmora.UnknownKeyError) as setting:
        design["Piston.Strok"] = 150
    assert str(setting.value) == str(caught.value)
    with pytest.raises(velmora.UnknownKeyError):
        design["Piston.Strok"]
    with pytest.raises(velmora.UnknownKeyError) as output:
        velmora.sweep(design, {"Piston.Stroke": (100, 180, 3)}, outputs=["beta", "power"])
    assert "'power'" in python_words(output.value)
    assert cli_error("sweep", KESTMORE, "--vary", "Piston.Stroke=100:180:3", "--outputs",
                     "beta,power").startswith("velmora-cli sweep: unknown output 'power'")


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
    python_words(caught.value)
    args = ["sweep", KESTMORE]
    for word in words:
        args += ["--vary", word]
    cli_error(*args)


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
    python_words(caught.value)
    cli_error("optimize", KESTMORE, *words, "-o", str(tmp_path / "out.RBP"))


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


def test_values_are_refused_naming_the_value_and_what_is_allowed():
    design = velmora.Design.load(KESTMORE)
    with pytest.raises(ValueError, match=r"Piston.Stroke: the value \(-5\) is below 0"):
        design["Piston.Stroke"] = -5
    with pytest.raises(ValueError, match="from 0 to"):
        design["Piston.StrokeUnits"] = 9
    with pytest.raises(ValueError, match=r"from \(180\) must be below to \(100\)"):
        velmora.optimize(design, objective="indicated", vary={"Piston.Stroke": (180, 100)})
    with pytest.raises(ValueError, match="'abc'"):
        design["Piston.Stroke"] = "abc"


def test_set_text_refuses_a_word_in_a_number_input_but_keeps_an_empty_one():
    design = velmora.Design.load(KESTMORE)
    before = design.get_text("Hot.Temp")
    with pytest.raises(velmora.InvalidValueError, match="Hot.Temp: 'x' is not a number"):
        design.set_text("Hot.Temp", "x")
    assert design.get_text("Hot.Temp") == before
    design.set_text("Hot.Temp", "")
    assert design.get_text("Hot.Temp") == ""
