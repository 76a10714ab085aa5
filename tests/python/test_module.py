"""Designs, keys, files, threads, the optimizer, and a machine without a display."""
import os
import subprocess
import sys

import numpy as np
import pandas as pd

import velmora
from conftest import EXAMPLES, run_cli

KESTMORE = EXAMPLES[0]


def test_keys_read_and_set_in_the_files_units_and_survive_a_save(tmp_path):
    design = velmora.Design.load(KESTMORE)
    assert len(velmora.Design.keys()) == 56
    assert set(velmora.Design.inputs()) <= set(velmora.Design.keys())
    assert design["Piston.Stroke"] == 140.0
    assert design["Engine.LeakDown"] in (True, False)
    design["Piston.Stroke"] = 150
    design["Displacer.Mass"] = "1.25"
    design["Graph.Red"] = 3
    assert design.get_text("Piston.Stroke") == "150"
    path = str(tmp_path / "changed.RBP")
    design.save(path)
    again = velmora.Design.load(path)
    assert again.to_dict() == design.to_dict()
    assert again["Displacer.Mass"] == 1.25 and again["Graph.Red"] == 3
    # The same change through from_dict, over the loaded file.
    same = velmora.Design.from_dict({"Piston.Stroke": 150, "Displacer.Mass": 1.25,
                                     "Graph.Red": 3}, base=velmora.Design.load(KESTMORE))
    assert same.to_dict() == design.to_dict()
    # A design made from nothing is a file without keys.
    empty = velmora.Design()
    assert empty.to_dict() == velmora.Design.from_dict({}).to_dict()


def test_a_changed_input_changes_the_result_as_the_command_line_computes_it(tmp_path):
    design = velmora.Design.load(KESTMORE)
    design["Piston.Stroke"] = 150
    path = str(tmp_path / "longer.RBP")
    design.save(path)
    status, out, _ = run_cli("sweep", path, "--vary", "Hot.Temp=650:650:1", "--outputs",
                             "indicated_power_w,beta_s", "--threads", "1")
    assert status == 0
    power, beta_s = out.splitlines()[1].split(",")[1:]
    result = design.evaluate()
    assert result.indicated_power_w == float(power)
    assert beta_s == "" and result.beta_s is None  # not defined without a spring: None, not 0
    assert result.curve_max_power_w is None  # not asked for
    assert design.evaluate(power_curve=True).curve_max_power_w > 0


def test_a_sweep_on_two_threads_equals_one_on_one_thread():
    design = velmora.Design.load(KESTMORE)
    vary = {"Piston.Stroke": (100, 180, 9), "Displacer.Mass": (0.5, 2, 7, "log")}
    one = velmora.sweep(design, vary, threads=1)
    two = velmora.sweep(design, vary, threads=2)
    assert len(one) == 63
    pd.testing.assert_frame_equal(one, two)
    # The first input varies slowest, as in the command line's rows.
    assert list(one["piston_stroke_mm"][:7]) == [100.0] * 7


def test_the_gil_is_released_while_a_sweep_runs():
    import threading
    design = velmora.Design.load(KESTMORE)
    ticks = []
    done = threading.Event()

    def tick():
        while not done.is_set():
            ticks.append(1)
            done.wait(0.001)

    ticker = threading.Thread(target=tick)
    ticker.start()
    velmora.sweep(design, {"Piston.Stroke": (100, 180, 200)}, threads=1)
    done.set()
    ticker.join()
    assert len(ticks) > 10


def test_optimize_returns_a_better_feasible_design_and_its_history(tmp_path):
    design = velmora.Design.load(KESTMORE)
    result = velmora.optimize(design, objective="indicated",
                              vary={"Piston.Stroke": (100, 180), "Displacer.Mass": None},
                              constraints={"not-overdriven": None, "beta-min": 1.05},
                              max_evals=60, threads=2)
    assert result.status == "found"
    assert result.evaluations <= 60
    assert result.best_result.indicated_power_w >= result.start_result.indicated_power_w
    best = result.best
    assert 100 <= best["Piston.Stroke"] <= 180
    assert best.evaluate().indicated_power_w == result.best_result.indicated_power_w
    history = result.history
    assert list(history.columns) == ["evaluations", "best_indicated_power_w"]
    assert np.all(np.diff(history["best_indicated_power_w"]) >= 0)
    # The table is the command line's for the same run.
    out = str(tmp_path / "best.RBP")
    status, text, _ = run_cli("optimize", KESTMORE, "--objective", "indicated", "--vary",
                              "Piston.Stroke=100:180", "--vary", "Displacer.Mass",
                              "--constraint", "not-overdriven", "--constraint", "beta-min=1.05",
                              "--max-evals", "60", "--threads", "2", "-o", out)
    assert status == 0
    assert result.text == text
    assert velmora.Design.load(out).to_dict() == best.to_dict()


def test_the_module_imports_and_evaluates_without_a_display():
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["PYTHONPATH"] = os.path.dirname(os.path.dirname(os.path.abspath(velmora.__file__)))
    code = ("import velmora; d = velmora.Design.load(%r); "
            "print(d.evaluate().indicated_power_w > 0, len(d.report()) > 10, len(d.cycle()) > 0)"
            % KESTMORE)
    done = subprocess.run([sys.executable, "-c", code], env=env, capture_output=True, text=True,
                          timeout=60)
    assert done.returncode == 0, done.stderr
    assert done.stdout == "True True True\n"
    assert "qt.qpa" not in done.stderr


def test_the_type_hints_name_every_result_column():
    stub = os.path.join(os.path.dirname(os.path.abspath(velmora.__file__)), "__init__.pyi")
    with open(stub, encoding="utf-8") as f:
        text = f.read()
    for name in velmora.Result.columns:
        assert "    def %s(self) -> Optional[float]: ...\n" % name in text
    for name in ("Design", "Result", "sweep", "optimize", "OptimizeResult", "VelmoraError"):
        assert hasattr(velmora, name) and name in text


def test_the_module_loads_no_widgets_library():
    with open("/proc/self/maps", encoding="utf-8") as maps:
        loaded = maps.read()
    assert "velmora/__init__.cpython" in loaded
    assert "libQt6Widgets" not in loaded
