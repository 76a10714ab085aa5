"""The pressure/volume diagrams of two designs on one plot: the shipped engine and the same
engine with a longer piston stroke, as a PNG.

    python3 pv_two_designs.py [OUT.png]
"""
import sys

import velmora
from _engines import engine

shipped = velmora.Design.load(engine())
longer = shipped.copy()
longer["Piston.Stroke"] = 170  # in the file's unit for it (mm)
diagrams = {"Piston stroke %g mm" % d["Piston.Stroke"]: d.pv() for d in (shipped, longer)}
for name, pv in diagrams.items():
    print("%-22s %4d points, PV power at engine speed %.0f W"
          % (name, len(pv), pv.attrs["pv_power_at_engine_speed_w"]))

try:
    import matplotlib
except ImportError:
    print("matplotlib is not installed; no picture (apt-get install python3-matplotlib)")
    sys.exit(0)
matplotlib.use("Agg")  # no display needed
import matplotlib.pyplot as plt  # noqa: E402

figure, axes = plt.subplots(figsize=(7, 5))
for name, pv in diagrams.items():
    axes.plot(pv["total_volume_m3"] * 1e3, pv["pressure_pa"] / 1e5, label=name)
axes.set_xlabel("Total volume (litres)")
axes.set_ylabel("Pressure (bar)")
axes.set_title("KESTMORE: pressure/volume diagram")
axes.legend()
out = sys.argv[1] if len(sys.argv) > 1 else "pv_two_designs.png"
figure.savefig(out, dpi=100)
print("wrote", out)
