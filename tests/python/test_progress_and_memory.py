"""Progress while a long call runs, a sweep's memory, and NumPy/pandas missing before any work."""
import os
import subprocess
import sys
import tracemalloc
import types

import pytest

import velmora
from conftest import SOURCE_DIR

KESTMORE = os.path.join(SOURCE_DIR, "examples", "KESTMORE.RBP")
VARY = {"Piston.Stroke": (100, 180, 6), "Displacer.Mass": (0.5, 2, 5)}


def test_a_callable_hears_of_every_design_in_order():
    design = velmora.Design.load(KESTMORE)
    for call in (lambda report: velmora.sweep(design, VARY, threads=2, progress=report),
                 lambda report: velmora.evaluate_many([design] * 30, threads=2, progress=report)):
        heard = []
        call(lambda done, total: heard.append((done, total)))
        assert heard[-1] == (30, 30)
        assert all(total == 30 for _, total in heard)
        assert [done for done, _ in heard] == sorted({done for done, _ in heard})


def test_a_callable_that_raises_stops_the_run():
    design = velmora.Design.load(KESTMORE)

    def refuse(done, total):
        raise RuntimeError("stop here")

    with pytest.raises(RuntimeError, match="stop here"):
        velmora.sweep(design, VARY, progress=refuse)
    with pytest.raises(TypeError, match="progress"):
        velmora.sweep(design, VARY, progress="yes")


def test_true_draws_a_tqdm_bar_or_else_a_line_on_stderr(monkeypatch, capfd):
    design = velmora.Design.load(KESTMORE)
    monkeypatch.setitem(sys.modules, "tqdm", None)  # not installed
    monkeypatch.setitem(sys.modules, "tqdm.auto", None)
    velmora.sweep(design, VARY, progress=True)
    err = capfd.readouterr().err
    assert err.endswith("velmora.sweep: 30 of 30 designs\n")

    bars = []

    class Bar:
        def __init__(self, total, desc, unit):
            self.total, self.done, self.closed = total, 0, False
            bars.append(self)

        def update(self, count):
            self.done += count

        def close(self):
            self.closed = True

    fake = types.ModuleType("tqdm.auto")
    fake.tqdm = Bar
    monkeypatch.setitem(sys.modules, "tqdm", types.ModuleType("tqdm"))
    monkeypatch.setitem(sys.modules, "tqdm.auto", fake)
    velmora.evaluate_many([design] * 7, progress=True)
    assert [(b.total, b.done, b.closed) for b in bars] == [(7, 7, True)]
    assert capfd.readouterr().err == ""


def test_a_sweep_peaks_at_most_half_again_its_result():
    design = velmora.Design.load(KESTMORE)
    vary = {"Piston.Stroke": (100, 180, 100), "Displacer.Mass": (0.5, 2, 40)}
    tracemalloc.start()
    try:
        rows = velmora.sweep(design, vary, threads=2)
        _, peak = tracemalloc.get_traced_memory()
    finally:
        tracemalloc.stop()
    size = rows.memory_usage(deep=True).sum()
    assert len(rows) == 4000
    assert peak <= 1.5 * size, (peak, size)


@pytest.mark.parametrize("library", ["numpy", "pandas"])
def test_a_missing_library_fails_before_anything_is_computed(library):
    script = f"""
import sys
sys.modules[{library!r}] = None
import velmora
design = velmora.Design.load({KESTMORE!r})
heard = []
for call in (lambda: velmora.sweep(design, {{"Piston.Stroke": (100, 180, 3)}},
                                   progress=lambda d, t: heard.append(d)),
             lambda: velmora.evaluate_many([design], progress=lambda d, t: heard.append(d))):
    try:
        call()
    except ImportError as error:
        assert {library!r} in str(error), error
    else:
        raise SystemExit("no ImportError")
assert heard == [], heard
"""
    env = dict(os.environ, PYTHONPATH=os.path.dirname(os.path.dirname(velmora.__file__)))
    done = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, env=env)
    assert done.returncode == 0, done.stderr + done.stdout
