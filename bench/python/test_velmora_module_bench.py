"""The same figures under pytest-benchmark (Debian's python3-pytest-benchmark):

    PYTHONPATH=build/python python3 -m pytest bench/python --benchmark-only
"""
import os

import velmora

ENGINE = os.path.join(os.environ.get("VELMORA_RUNTIME_DIR", "build/bin"), "KESTMORE.RBP")


def test_evaluate_from_python(benchmark):
    design = velmora.Design.load(ENGINE)
    benchmark(design.evaluate)


def test_evaluate_in_one_cxx_loop_per_design(benchmark):
    """100 evaluations in C++; divide by 100 to compare with the one above."""
    design = velmora.Design.load(ENGINE)
    value = design["Piston.Stroke"]
    benchmark(velmora.sweep, design, {"Piston.Stroke": (value, value, 100)},
              outputs=["indicated_power_w"], threads=1)
