"""What the Python module costs over the C++ it calls: a timed loop, run by hand.

    PYTHONPATH=build/python python3 bench/python/velmora_module_bench.py [build/bin]

1. design.evaluate() from a Python loop against the same evaluations in one C++ loop (a
   sweep of N points at the design's own value on one thread: the evaluator of
   velmora-cli sweep with nothing of Python in between).
2. A 100 x 100 sweep from Python against `velmora-cli sweep` writing the same rows to a file.
3. evaluate_many() of N copies of the design against the same C++ loop as in 1.
4. The peak memory of a 1000 x 100 sweep against the size of its DataFrame, in a process of
   its own (the rise of its peak resident size over what it held before the sweep).

Each figure is the median of interleaved repeats, as wall time and as processor time (this
process's threads, plus the command line's as a child). On a shared machine the processor
time is the figure to read: other processes' load stretches wall time unevenly. Speed is
measured here, never asserted in the tests.
"""
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

import velmora

BIN = sys.argv[1] if len(sys.argv) > 1 else os.path.join("build", "bin")
ENGINE = os.path.join(BIN, "KESTMORE.RBP")
REPEATS = int(os.environ.get("VELMORA_BENCH_REPEATS", "7"))


def timed(run):
    """Wall and processor seconds of one run (children's processor time included)."""
    children = resource.getrusage(resource.RUSAGE_CHILDREN)
    wall, cpu = time.perf_counter(), time.process_time()
    run()
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    child = (after.ru_utime + after.ru_stime) - (children.ru_utime + children.ru_stime)
    return time.perf_counter() - wall, time.process_time() - cpu + child


def compare(name, python, reference, repeats=REPEATS):
    """Median times of two runs, interleaved; returns the processor-time overhead in %."""
    python_times, reference_times = [], []
    for _ in range(repeats):
        python_times.append(timed(python))
        reference_times.append(timed(reference))
    figures = []
    for kind, column in (("wall", 0), ("cpu", 1)):
        p = statistics.median(t[column] for t in python_times)
        r = statistics.median(t[column] for t in reference_times)
        figures.append((p, r))
        print("%-30s %-4s python %8.4f s  reference %8.4f s  overhead %+6.2f %%"
              % (name, kind, p, r, 100 * (p / r - 1)))
    return figures


def evaluate_overhead(count=1000):
    design = velmora.Design.load(ENGINE)
    # As bench/design_space_bench.cpp's BM_EvaluateDesign: 3 computed cycles, the last graphed.
    design["ComputeCycle.Count"] = 3
    design["GraphCycle.Count"] = 1
    value = design["Piston.Stroke"]

    def python_loop():
        for _ in range(count):
            design.evaluate()

    def cxx_loop():
        velmora.sweep(design, {"Piston.Stroke": (value, value, count)},
                      outputs=["indicated_power_w"], threads=1)

    (_, _), (p, r) = compare("evaluate() x %d" % count, python_loop, cxx_loop)
    print("    per design (cpu): python %.1f us, C++ %.1f us" % (p / count * 1e6, r / count * 1e6))


def sweep_against_cli(points=100, threads=2):
    design = velmora.Design.load(ENGINE)
    vary = {"Piston.Stroke": (100, 180, points), "Displacer.Mass": (0.5, 2, points)}
    out = os.path.join(tempfile.mkdtemp(), "sweep.csv")
    command = [os.path.join(BIN, "velmora-cli"), "sweep", ENGINE,
               "--vary", "Piston.Stroke=100:180:%d" % points,
               "--vary", "Displacer.Mass=0.5:2:%d" % points,
               "--threads", str(threads), "-o", out]

    def python_sweep():
        velmora.sweep(design, vary, threads=threads)

    def cli_sweep():
        subprocess.run(command, check=True)

    compare("sweep %dx%d, %d threads" % (points, points, threads), python_sweep, cli_sweep,
            repeats=max(3, REPEATS // 2))


def evaluate_many_overhead(count=1000):
    design = velmora.Design.load(ENGINE)
    design["ComputeCycle.Count"] = 3
    design["GraphCycle.Count"] = 1
    value = design["Piston.Stroke"]
    designs = [design.copy() for _ in range(count)]

    def batch():
        velmora.evaluate_many(designs, outputs=["indicated_power_w"], threads=1)

    def cxx_loop():
        velmora.sweep(design, {"Piston.Stroke": (value, value, count)},
                      outputs=["indicated_power_w"], threads=1)

    compare("evaluate_many() x %d" % count, batch, cxx_loop)


MEMORY_SCRIPT = """
import resource, sys
import numpy, pandas
import velmora
design = velmora.Design.load(sys.argv[1])
before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
rows = velmora.sweep(design, {"Piston.Stroke": (100, 180, 1000), "Displacer.Mass": (0.5, 2, 100)},
                     threads=2)
peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
size = rows.memory_usage(deep=True).sum()
print("sweep 1000x100: result %.1f MB, peak rise %.1f MB (%.2f x the result)"
      % (size / 1e6, (peak - before) * 1024 / 1e6, (peak - before) * 1024 / size))
"""


def sweep_memory():
    subprocess.run([sys.executable, "-c", MEMORY_SCRIPT, ENGINE], check=True)


if __name__ == "__main__":
    evaluate_overhead()
    evaluate_many_overhead()
    sweep_against_cli()
    sweep_memory()
