"""Mistakes the module's type hints must catch (each line one error)."""
import velmora

velmora.Design.load(3)
velmora.optimize(velmora.Design(), objective="schmidt", vary=["Piston.Stroke"]).feasible.upper()
velmora.Design().evaluate().indicated_power_w + 1
