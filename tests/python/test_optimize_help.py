"""The optimizer from Python: every objective and constraint documented with its unit (from the
optimizer's own tables), an infeasible run that says so instead of handing back None, and a
history named after what was maximized."""
import os
import re

import numpy as np
import pytest

import velmora
from conftest import EXAMPLES, SOURCE_DIR, run_cli

KESTMORE = EXAMPLES[0]


def _stub_text():
    with open(os.path.join(os.path.dirname(velmora.__file__), "__init__.pyi"), encoding="utf-8") as f:
        return f.read()


def _readme_text():
    with open(os.path.join(SOURCE_DIR, "README.md"), encoding="utf-8") as f:
        return f.read()


def test_the_names_are_the_command_lines():
    _, out, err = run_cli("optimize", "--help")
    for name in [*velmora.objectives(), *velmora.constraints()]:
        assert name in out + err
    assert set(velmora.objectives()) >= {"schmidt", "pv-engine-speed", "indicated",
                                         "pv-omega-bar", "shaft-power", "efficiency"}
    assert set(velmora.constraints()) == {"not-overdriven", "beta-min", "tau-rho", "dwell-min",
                                          "loss-max", "efficiency-min", "brake-power-min",
                                          "brake-efficiency-min"}
    assert velmora.constraints()["brake-power-min"] == "W"
    assert velmora.constraints()["loss-max"].startswith("percent")
    assert velmora.objectives()["efficiency"] == "fraction"
    assert velmora.objectives()["shaft-power"] == "W"


@pytest.mark.parametrize("where", ["docstring", "stub", "readme"])
def test_every_objective_and_constraint_is_documented_with_its_unit(where):
    text = {"docstring": velmora.optimize.__doc__, "stub": _stub_text(),
            "readme": _readme_text()}[where]
    table = {**velmora.objectives(), **velmora.constraints()}
    for name, unit in table.items():
        # The name, then its unit within the same line.
        assert re.search(r"[`\"]?%s[`\"]? [(|]+ ?%s\b" % (re.escape(name), re.escape(unit)), text), (
            where, name, unit)


def test_no_feasible_design_says_so_and_names_the_percentage(tmp_path):
    design = velmora.Design.load(KESTMORE)
    result = velmora.optimize(design, objective="indicated", vary=["Piston.Stroke"],
                              constraints={"loss-max": 0.0001, "beta-min": 50}, max_evals=30,
                              threads=2)
    assert result.status == "none-feasible" and result.feasible is False
    for attribute in ("best", "best_result"):
        with pytest.raises(velmora.NoFeasibleDesignError) as raised:
            getattr(result, attribute)
        message = str(raised.value)
        assert "loss-max 1e-04 percent" in message and "beta-min 50" in message
        assert "result.feasible" in message
        assert isinstance(raised.value, LookupError)
    # The command line agrees: no design, exit 3.
    status, _, _ = run_cli("optimize", KESTMORE, "--objective", "indicated", "--vary",
                           "Piston.Stroke", "--constraint", "loss-max=0.0001",
                           "--constraint", "beta-min=50", "--max-evals", "30",
                           "-o", str(tmp_path / "best.RBP"))
    assert status == 3
    history = result.history
    assert list(history.columns) == ["evaluations", "best_indicated_power_w"] and history.empty
    assert result.start_result.indicated_power_w > 0


@pytest.mark.parametrize("objective, column", [("schmidt", "best_schmidt_power_w"),
                                               ("efficiency", "best_efficiency")])
def test_the_history_is_named_after_the_objective_and_ends_at_the_best(objective, column):
    design = velmora.Design.load(KESTMORE)
    result = velmora.optimize(design, objective=objective, vary={"Piston.Stroke": (100, 180)},
                              max_evals=40, threads=2)
    assert result.feasible and result.objective == objective
    assert result.objective_unit == velmora.objectives()[objective]
    history = result.history
    assert list(history.columns) == ["evaluations", column]
    assert np.all(np.diff(history[column]) >= 0)
    best_value = getattr(result.best_result, column[len("best_"):])
    assert history[column].iloc[-1] == best_value
    assert result.best.evaluate(energy=True).to_dict()[column[len("best_"):]] == best_value
