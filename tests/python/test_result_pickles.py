"""Results and optimizer results survive pickle (as multiprocessing and joblib send them) and deep
copies unchanged: every figure bit for bit, the empty ones still empty."""
import copy
import math
import multiprocessing
import pickle

import pytest

import velmora
from conftest import EXAMPLES


def _same_figures(a, b):
    for name in velmora.Result.columns:
        x, y = getattr(a, name), getattr(b, name)
        assert (x is None) == (y is None), name
        assert x is None or x == y or (math.isnan(x) and math.isnan(y)), name


@pytest.fixture(scope="module")
def results():
    lossy = velmora.Design.load(EXAMPLES[0].replace("KESTMORE.RBP", "KESTMORE with losses.RBP"))
    missing = velmora.Design.load(EXAMPLES[0])
    missing.set_text("Piston.Stroke", "")
    return {"plain": velmora.Design.load(EXAMPLES[0]).evaluate(),
            "energy and curve": velmora.Design.load(EXAMPLES[1]).evaluate(energy=True,
                                                                           power_curve=True),
            "losses": lossy.evaluate(energy=True),
            "missing input": missing.evaluate(energy=True)}


@pytest.mark.parametrize("kind", ["plain", "energy and curve", "losses", "missing input"])
@pytest.mark.parametrize("how", ["pickle", "deepcopy", "copy"])
def test_a_result_comes_back_equal(results, kind, how):
    result = results[kind]
    again = {"pickle": lambda r: pickle.loads(pickle.dumps(r, protocol=pickle.HIGHEST_PROTOCOL)),
             "deepcopy": copy.deepcopy, "copy": copy.copy}[how](result)
    assert again is not result
    assert again == result and not again != result
    _same_figures(again, result)
    assert again.overdriven == result.overdriven
    assert again.engine_speed_rad_s == result.engine_speed_rad_s
    assert repr(again) == repr(result)


def test_different_results_are_not_equal(results):
    assert results["plain"] != results["energy and curve"]
    assert results["plain"] != results["missing input"]
    # Figures are floats: a result is no dictionary key.
    with pytest.raises(TypeError):
        hash(results["plain"])


def test_a_foreign_state_is_refused():
    # As pickle.loads makes it: a bare object, then its state.
    result = velmora.Result.__new__(velmora.Result)
    with pytest.raises(velmora.InvalidValueError):
        result.__setstate__((99, {}, 0.0, (0, 0, 0, 0), False))


@pytest.fixture(scope="module")
def optimized():
    design = velmora.Design.load(EXAMPLES[0])
    found = velmora.optimize(design, objective="efficiency",
                             vary={"Piston.Stroke": (100, 180), "Displacer.Mass": None},
                             constraints={"beta-min": 1.05}, max_evals=40, threads=2)
    none = velmora.optimize(design, objective="indicated", vary=["Piston.Stroke"],
                            constraints={"beta-min": 50}, max_evals=20, threads=2)
    return found, none


@pytest.mark.parametrize("how", [pickle.dumps, copy.deepcopy])
def test_an_optimize_result_comes_back_equal(optimized, how):
    for result in optimized:
        data = how(result)
        again = pickle.loads(data) if isinstance(data, bytes) else data
        assert again == result
        assert (again.status, again.feasible, again.objective, again.evaluations, again.text,
                again.table) == (result.status, result.feasible, result.objective,
                                 result.evaluations, result.text, result.table)
        assert again.history.equals(result.history)
        assert again.start_result == result.start_result
        if result.feasible:
            assert again.best_result == result.best_result
            assert again.best.to_dict() == result.best.to_dict()
            assert [again.best.get_text(k) for k in velmora.Design.inputs()] == [
                result.best.get_text(k) for k in velmora.Design.inputs()]
        else:
            with pytest.raises(velmora.NoFeasibleDesignError):
                again.best
    assert optimized[0] != optimized[1]


def _efficiency_of(result):
    return result.best_result.efficiency


def test_an_optimize_result_crosses_to_another_process(optimized):
    with multiprocessing.get_context("spawn").Pool(1) as pool:
        assert pool.map(_efficiency_of, [optimized[0]]) == [optimized[0].best_result.efficiency]


def test_a_design_with_losses_keeps_them_through_pickle_and_optimize_results():
    lossy = velmora.Design.load(EXAMPLES[0].replace("KESTMORE.RBP", "KESTMORE with losses.RBP"))
    again = pickle.loads(pickle.dumps(lossy))
    assert again.evaluate(energy=True) == lossy.evaluate(energy=True)
    assert again.evaluate(energy=True).brake_power_w is not None
    run = velmora.optimize(lossy, objective="brake-power", vary={"Piston.Stroke": (130, 150)},
                           max_evals=8, threads=2)
    back = pickle.loads(pickle.dumps(run))
    assert back == run
    assert back.best.evaluate(energy=True).brake_power_w == run.best_result.brake_power_w
