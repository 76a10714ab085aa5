"""A user's script as mypy should accept it with the module's type hints."""
import pathlib

import velmora

design = velmora.Design.load(pathlib.Path("KESTMORE.RBP"))
design["Piston.Stroke"] = 150
stroke = design["Piston.Stroke"]
result: velmora.Result = design.evaluate(energy=True)
power: float | None = result.indicated_power_w
run = velmora.optimize(design, objective="efficiency", vary={"Piston.Stroke": (100, 180)},
                       constraints={"loss-max": 10}, max_evals=50)
if run.feasible:
    best: velmora.Design = run.best
    efficiency: float | None = run.best_result.efficiency
units: dict[str, str] = velmora.objectives()
