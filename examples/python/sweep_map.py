"""A 2-D design map: indicated power over piston stroke and displacer mass, as a PNG.

    python3 sweep_map.py [OUT.png]
"""
import sys

import velmora
from _engines import engine

design = velmora.Design.load(engine())
rows = velmora.sweep(design, {"Piston.Stroke": (100, 180, 41), "Displacer.Mass": (0.5, 2, 31)},
                     outputs=["indicated_power_w", "omega_bar_rad_s"])
table = rows.pivot(index="displacer_mass_kg", columns="piston_stroke_mm", values="indicated_power_w")
best = rows.loc[rows["indicated_power_w"].idxmax()]
print("best of %d designs: stroke %.1f mm, mass %.3f kg, %.0f W"
      % (len(rows), best["piston_stroke_mm"], best["displacer_mass_kg"], best["indicated_power_w"]))

try:
    import matplotlib
except ImportError:
    print("matplotlib is not installed; no picture (apt-get install python3-matplotlib)")
    sys.exit(0)
matplotlib.use("Agg")  # no display needed
import matplotlib.pyplot as plt  # noqa: E402

figure, axes = plt.subplots(figsize=(7, 5))
image = axes.pcolormesh(table.columns, table.index, table.to_numpy() / 1000, shading="auto")
figure.colorbar(image, label="Indicated power (kW)")
axes.set_xlabel("Piston stroke (%s)" % ("mm" if design["Piston.StrokeUnits"] == 1 else "file unit"))
axes.set_ylabel("Displacer mass (kg)")
axes.set_title("KESTMORE: indicated power")
out = sys.argv[1] if len(sys.argv) > 1 else "sweep_map.png"
figure.savefig(out, dpi=100)
print("wrote", out)
