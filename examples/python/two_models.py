"""One engine under both models: the figures each gives for its power, heat and efficiency,
and the pressure/volume loops of the revolutions they come from, as a PNG.

    python3 two_models.py [OUT.png]
"""
import sys

import velmora
from _engines import engine

designs = {}
for model in ("specified", "accurate"):
    design = velmora.Design.load(engine())
    design.model = model
    designs[model] = design

print("%-10s %12s %12s %12s %10s" % ("model", "indicated W", "shaft W", "heat in W",
                                     "efficiency"))
for model, design in designs.items():
    r = design.evaluate(energy=True)
    print("%-10s %12.1f %12.1f %12.1f %10.4f"
          % (model, r.indicated_power_w, r.shaft_power_w, r.heat_in_w, r.efficiency))

try:
    import matplotlib
except ImportError:
    print("matplotlib is not installed; no picture (apt-get install python3-matplotlib)")
    sys.exit(0)
matplotlib.use("Agg")  # no display needed
import matplotlib.pyplot as plt  # noqa: E402

figure, axes = plt.subplots(figsize=(7, 5))
for model, design in designs.items():
    cycle = design.energy_cycle()
    if cycle.empty:
        print(model, "has no cycle:", cycle.attrs["note"])
        continue
    volume = list(cycle["total_volume_m3"] * 1e3)
    pressure = list(cycle["instantaneous_pressure_pa"] / 1e5)
    axes.plot(volume + volume[:1], pressure + pressure[:1], label=model)
axes.set_xlabel("Total volume (litres)")
axes.set_ylabel("Pressure (bar)")
axes.set_title("KESTMORE: one revolution under each model")
axes.legend()
out = sys.argv[1] if len(sys.argv) > 1 else "two_models.png"
figure.savefig(out, dpi=100)
print("wrote", out)
