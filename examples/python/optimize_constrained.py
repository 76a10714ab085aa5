"""Most indicated power from piston stroke and displacer mass, without overdriving the engine
and with Beta at least 1.1; the best design is saved.

    python3 optimize_constrained.py [OUT.RBP]
"""
import sys

import velmora
from _engines import engine

design = velmora.Design.load(engine())
result = velmora.optimize(design, objective="indicated",
                          vary={"Piston.Stroke": (100, 180), "Displacer.Mass": (0.5, 2)},
                          constraints={"not-overdriven": 0.95, "beta-min": 1.1},
                          max_evals=300)
print(result.text, end="")
if not result.feasible:
    sys.exit("no design meets the constraints (%s)" % result.status)
print("best after %d evaluations: %.0f W (was %.0f W)"
      % (result.evaluations, result.best_result.indicated_power_w,
         result.start_result.indicated_power_w))
print(result.history.tail(3).to_string(index=False))
out = sys.argv[1] if len(sys.argv) > 1 else "optimized.RBP"
result.best.save(out)
print("wrote", out)
