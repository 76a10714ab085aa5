"""evaluate_many: a batch in the order given, bit for bit what evaluating one by one gives."""
import os
import random

import numpy as np
import pandas as pd
import pytest

import velmora
from conftest import SOURCE_DIR, random_engine

KESTMORE = os.path.join(SOURCE_DIR, "examples", "KESTMORE.RBP")


def one_by_one(designs, energy=False):
    rows = []
    for design in designs:
        result = design.evaluate(energy=energy).to_dict()
        rows.append(result)
    return rows


def assert_rows_are(frame, expected, columns):
    assert len(frame) == len(expected)
    for i, row in enumerate(expected):
        for name in columns:
            got = frame[name].iloc[i]
            want = row[name]
            if want is None:
                assert pd.isna(got), (i, name)
            else:
                assert float(got) == want, (i, name)  # bit for bit: no tolerance


def test_a_list_gives_the_one_by_one_results_on_any_thread_count():
    dice = random.Random(32)
    designs = [velmora.Design.load(KESTMORE)] + [random_engine(dice) for _ in range(11)]
    one = velmora.evaluate_many(designs, threads=1)
    three = velmora.evaluate_many(designs, threads=3)
    pd.testing.assert_frame_equal(one, three, check_exact=True)
    assert list(one.columns) == [c for c in velmora.Result.columns
                                 if not c.startswith("curve_") and c in one.columns]
    assert_rows_are(one, one_by_one(designs), one.columns)
    assert one.attrs["velmora_version"] == velmora.__version__


def test_energy_outputs_with_settled_as_bool():
    design = velmora.Design.load(KESTMORE)
    slower = design.copy()
    slower["Engine.Speed"] = 700
    outputs = ["shaft_power_w", "settled", "efficiency"]
    frame = velmora.evaluate_many([design, slower], outputs=outputs, threads=2)
    assert list(frame.columns) == outputs
    assert frame["settled"].dtype == bool
    expected = [d.evaluate(energy=True).to_dict() for d in (design, slower)]
    assert_rows_are(frame, expected, outputs)


def test_a_dataframe_of_inputs_over_a_base_keeps_its_index_and_units():
    base = velmora.Design.load(KESTMORE)
    inputs = pd.DataFrame({"Piston.Stroke": [120.0, 150.0, 160.0],
                           "hot_temperature_k": [850.0, 900.0, 950.0],
                           "Engine.LeakDown": [False, True, False]},
                          index=["a", "b", "c"])
    frame = velmora.evaluate_many(inputs, base=base, threads=2)
    assert list(frame.index) == ["a", "b", "c"]
    expected = []
    for stroke, hot, leak in zip([120, 150, 160], [850, 900, 950], [False, True, False]):
        design = base.copy()
        design["Piston.Stroke"] = stroke
        design.set_unit("Hot.Temp", "K", convert=False)
        design["Hot.Temp"] = hot
        design["Engine.LeakDown"] = leak
        expected.append(design.evaluate().to_dict())
    assert_rows_are(frame, expected, frame.columns)
    assert frame.attrs["design_file"] == KESTMORE and frame.attrs["model"] == "specified"
    # A sweep's input columns feed straight back in.
    swept = velmora.sweep(base, {"Piston.Stroke": (110, 130, 3)}, threads=1)
    again = velmora.evaluate_many(swept[["piston_stroke_mm"]], base=base, threads=2)
    np.testing.assert_array_equal(again.to_numpy(), swept[again.columns].to_numpy())


def test_dicts_are_designs_over_the_base():
    base = velmora.Design.load(KESTMORE)
    frame = velmora.evaluate_many([{"Piston.Stroke": 150}, base], base=base, threads=1)
    changed = base.copy()
    changed["Piston.Stroke"] = 150
    assert_rows_are(frame, one_by_one([changed, base]), frame.columns)


def test_bad_batches_are_refused_before_computing():
    base = velmora.Design.load(KESTMORE)
    with pytest.raises(KeyError, match="column 'stroke'"):
        velmora.evaluate_many(pd.DataFrame({"stroke": [1.0]}), base=base)
    with pytest.raises(TypeError):
        velmora.evaluate_many("KESTMORE.RBP")
    with pytest.raises(TypeError):
        velmora.evaluate_many([base, 3])
    with pytest.raises(ValueError, match="row 1"):
        velmora.evaluate_many(pd.DataFrame({"Piston.Stroke": [100.0, -5.0]}), base=base)
    with pytest.raises(KeyError):
        velmora.evaluate_many([base], outputs=["power"])
    assert len(velmora.evaluate_many([], threads=2)) == 0


def test_the_gil_is_released_while_a_batch_runs():
    import threading
    designs = [velmora.Design.load(KESTMORE)] * 200
    ticks = []
    done = threading.Event()

    def tick():
        while not done.is_set():
            ticks.append(1)
            done.wait(0.001)

    ticker = threading.Thread(target=tick)
    ticker.start()
    velmora.evaluate_many(designs, threads=np.int64(1))
    done.set()
    ticker.join()
    assert len(ticks) > 10
