#include "simulation/cycle_simulation.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "report/number_text.h"
#include "report/unit_text.h"
#include "simulation/engine.h"
#include "simulation/pv_power.h"
#include "simulation/simulation_output.h"

namespace velmora {
namespace {

// The gas constant in extended precision for the pressure equation.
constexpr long double kGasConstantExtended = 283.76791808873720138L;
// 3.14159 / 180: one crank degree with the program's pi, not the true pi / 180.
constexpr long double kRadiansPerDegree = 0.0174532777777777777776L;

constexpr int kStepsPerCycle = static_cast<int>(SimulatedRevolution::kSteps);
constexpr std::size_t kEqualizationWindow = 360;

std::int32_t NextStep(std::int32_t count) {
    // A 32-bit counter that wraps instead of overflowing on absurdly long runs.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(count) + 1u);
}

// Isothermal pressure of the gas mass in the three spaces (doc/physics.md section 1, Pressure);
// 0 without all three temperatures.
// All three volume terms 0 (no displacer, piston and dead space) leave nothing to hold the gas:
// the pressure is then 0 as well, and so is any result that overflows. The terms that do not
// change within a cycle are worked out once per cycle, by the same operations in the same
// order, so every pressure keeps its bits.
class EnginePressure {
  public:
    explicit EnginePressure(const ParameterSet& params)
        : params_(params),
          defined_(params.HotTemp != 0 && params.ColdTemp != 0 && params.DeadSpaceTemp != 0),
          deadSpaceTerm_(
              defined_ ? static_cast<long double>(params.DeadSpaceVol) / params.DeadSpaceTemp : 0),
          massTerm_(params.GasMass * kGasConstantExtended) {}

    double operator()(double hotVolume, double coldVolume) const {
        if (!defined_) return 0;
        const long double denominator = static_cast<long double>(hotVolume) / params_.HotTemp +
                                        static_cast<long double>(coldVolume) / params_.ColdTemp +
                                        deadSpaceTerm_;
        if (denominator == 0) return 0;
        const auto p = static_cast<double>(massTerm_ / denominator);
        return std::isfinite(p) ? p : 0.0;
    }

  private:
    const ParameterSet& params_;
    bool defined_;
    long double deadSpaceTerm_;
    long double massTerm_;
};

double FiniteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

void StartGraphedStretch(CycleRun& run) {
    run.sim.SimStepCount = 0;
    if (run.graphs != nullptr) run.graphs->Restart();
}

}  // namespace

double StepSines::At(std::int32_t stepCount, double offset) {
    // Enough for a thousand cycles; counts beyond (or wrapped below 0) are worked out each time.
    constexpr std::int32_t kMaxKept = 361 * 1000;
    const auto compute = [offset](std::int32_t count) {
        return std::sin(DegreesToRadians(count) + offset);
    };
    if (stepCount < 0 || stepCount > kMaxKept) return compute(stepCount);
    if (offset != offset_) {
        values_.clear();
        offset_ = offset;
    }
    while (static_cast<std::int32_t>(values_.size()) <= stepCount)
        values_.push_back(compute(static_cast<std::int32_t>(values_.size())));
    return values_[static_cast<std::size_t>(stepCount)];
}

bool LimitCycleCounts(CycleSchedule& schedule) {
    bool limited = false;
    for (int* count : {&schedule.ComputeCycles, &schedule.GraphCycles, &schedule.MaxAutoCycles}) {
        if (*count > kMaxCycleCount) {
            *count = kMaxCycleCount;
            limited = true;
        }
    }
    return limited;
}

void PressureHistory::FillWith(double pressure) {
    entries_.fill(pressure);
    next_ = 0;
}

void PressureHistory::Push(double pressure) {
    entries_[next_] = pressure;
    next_ = (next_ + 1) % kSize;
}

bool IsPressureEqualized(const PressureHistory& history, double meanPressure) {
    double above = 0;
    double below = 0;
    // Oldest of the window first, as the sums were always taken.
    for (std::size_t k = kEqualizationWindow; k-- > 0;) {
        const double d = history.Newest(k) - meanPressure;
        if (d > 0) {
            above += d;
        } else {
            below -= d;
        }
    }
    const double total = above + below;
    // Nothing deviates from the mean: that is as equal as it gets.
    if (total == 0) return true;
    return RoundHalfEven(100 * below / total) == RoundHalfEven(100 * above / total);
}

void SimulateCycle(CycleRun& run, bool graphed) {
    ParameterSet& params = run.params;
    SimulationState& sim = run.sim;
    const bool leak = run.design.pressureEqualization;
    const Engine engine = EngineOf(params, run.design.displacerWeight);
    const double offset = run.schedule.XAxisOffsetDeg * kTwoPi / 360;
    const double half = params.DispHalfStroke;

    const EnginePressure pressureOf(params);
    StepValues step;
    SimulatedRevolution& last = sim.LastRevolution;
    last.complete = false;
    last.dispPos[0] = run.x;
    for (int i = 0; i < kStepsPerCycle; ++i) {
        sim.SimStepCount = NextStep(sim.SimStepCount);
        const double theta = DegreesToRadians(sim.SimStepCount);
        step.time = theta / params.EngineSpeed;
        step.pistonPos = params.PistonHalfStroke * sim.Sines.At(sim.SimStepCount, offset);

        // doc/physics.md section 1, in the one-degree model's arithmetic.
        step.hotVolume = engine.HotVolume(run.x);
        step.coldVolume = engine.ColdVolumeAtPiston(run.x, step.pistonPos);
        step.totalVolume = step.hotVolume + step.coldVolume + engine.deadVolume;
        step.pressure = pressureOf(step.hotVolume, step.coldVolume);

        if (leak) {
            run.history.Push(step.pressure);
            sim.AverageEnginePressure = (sim.AverageEnginePressure * 3599 + step.pressure) / 3600;
            params.MeanEnginePressure =
                0.7 * params.MeanEnginePressure + 0.3 * sim.AverageEnginePressure;
        }
        step.meanPressure = params.MeanEnginePressure;

        step.rodPressure = step.pressure - params.MeanEnginePressure;
        const double rodForce = params.DispRodArea * step.rodPressure;
        step.springForce = engine.SpringForce(run.x);
        step.netForce = rodForce + step.springForce + engine.WeightForce();
        double a = step.netForce / params.DispMass;

        // doc/physics.md section 1, Motion of the displacer. Semi-implicit Euler: the position
        // moves with the new velocity. Values that overflow stop the displacer rather than
        // carrying inf or NaN into later steps.
        run.v = FiniteOrZero(run.v + a * run.timeStep);
        run.x = FiniteOrZero(run.x + run.v * run.timeStep);

        // The stops: the displacer rests there while the force pushes it into the stop.
        if (run.x > half) {
            run.x = half;
            if (a > 0) a = 0;
            run.v = 0;
        }
        if (run.x < -half) {
            run.x = -half;
            if (a < 0) a = 0;
            run.v = 0;
        }
        const auto k = static_cast<std::size_t>(i);
        last.pistonPos[k] = step.pistonPos;
        last.pressure[k] = step.pressure;
        last.dispPos[k + 1] = run.x;

        if (graphed) {
            step.dispPos = run.x;
            step.velocity = run.v;
            step.acceleration = FiniteOrZero(a);
            RecordStep(sim, run.stepUnits, run.graphs, step, run.recording);
            run.host.StepRecorded(sim.SimStepCount, step);
        }
    }

    last.complete = true;
    if (graphed) run.graphedCycleEnded = true;
    run.host.CycleEnded();
}

void SummarizeGraphedCycle(CycleRun& run) {
    run.graphedCycleEnded = false;
    // A run that records only its results needs the summary's values, not its texts.
    if (run.recording == Recording::ResultsOnly) {
        run.sim.Summary = SummarizeCycleValues(run.sim, run.params);
    } else {
        SummarizeCycle(run.sim, run.params);
    }
    // The diagram is the one simulated at EngineSpeed; the speeds only set the frequency.
    const PVDiagramArea diagram = MeasurePVDiagram(run.sim, run.design.units, run.sim.PVImage);
    run.params.PVPowerAtEngineSpeed = PVPowerAt(diagram, run.params.EngineSpeed);
    run.params.PVPowerAtOmegaBar = PVPowerAt(diagram, run.params.OmegaBar);
}

void RunSimulation(ParameterSet& params, const Design& design, SimulationState& sim,
                   SimulationNotes& notes, SimulationHost& host, Recording recording,
                   CycleGraphs* graphs) {
    notes = {};
    // A fresh start for everything the graphed cycles fill.
    if (graphs != nullptr) graphs->Begin();
    sim.PVSeries.clear();
    ClearSampleLists(sim);
    sim.PVMinVolume = 1e10;
    sim.PVMinPressure = 1e10;
    sim.PVMaxVolume = 0;
    sim.PVMaxPressure = 0;
    sim.PVPointCount = 0;
    params.PVPowerAtEngineSpeed = 0;
    params.PVPowerAtOmegaBar = 0;
    sim.RawSamples = recording == Recording::ResultsOnly;
    sim.LastRevolution.complete = false;

    // Nothing moves without a speed and a displacer mass.
    if (params.EngineSpeed == 0 || params.DispMass == 0) return;

    // Without choices to draw its curves by, a run records only its results.
    if (graphs == nullptr) recording = Recording::ResultsOnly;
    CycleRun run(params, design, graphs, sim, host);
    run.recording = recording;
    run.timeStep = static_cast<double>(kRadiansPerDegree / params.EngineSpeed);
    // Without both curve choices the run ends here; only a run that shows its graphs titles them.
    if (recording == Recording::ResultsOnly ? !design.curvesChosen
                                            : !graphs->SetUp(params, run.timeStep))
        return;

    run.schedule = design.schedule;
    notes.countsLimited = LimitCycleCounts(run.schedule);
    int& computeCycles = run.schedule.ComputeCycles;
    int& graphCycles = run.schedule.GraphCycles;
    const int maxAutoCycles = run.schedule.MaxAutoCycles;
    run.history.FillWith(params.MeanEnginePressure);
    sim.AverageEnginePressure = params.MeanEnginePressure;

    // Automatic equalization run: cycles until the pressure settles, then the graphed ones.
    if (computeCycles == -1 && design.pressureEqualization) {
        host.SetBusyCursor(true);
        if (graphCycles == -1) StartGraphedStretch(run);
        int n = 0;
        for (;;) {
            SimulateCycle(run, graphCycles == -1);
            ++n;
            if (n > maxAutoCycles) break;
            if (IsPressureEqualized(run.history, params.MeanEnginePressure)) break;
        }
        notes.leakAdjusted = true;
        notes.adjustedPressure = params.MeanEnginePressure;
        notes.leakCycles = n;
        notes.equilibrated = n <= maxAutoCycles;
        if (graphCycles != -1) StartGraphedStretch(run);
        if (graphCycles == -1) {
            SimulateCycle(run, true);
        } else {
            for (int q = 0; q < graphCycles; ++q) SimulateCycle(run, true);
        }
        host.SetBusyCursor(false);
    }

    // Automatic without equalization: three cycles, the last one graphed.
    if (computeCycles == -1 && !design.pressureEqualization) {
        computeCycles = 3;
        graphCycles = 1;
        if (graphs != nullptr) graphs->Restart();
    }

    // Fixed count: the last GraphCycles cycles are graphed, counted from step 1.
    if (computeCycles > 0) {
        if (graphCycles >= computeCycles) sim.SimStepCount = 0;
        // 64-bit: ComputeCycles - GraphCycles must not overflow for extreme counts.
        const long long ungraphed = static_cast<long long>(computeCycles) - graphCycles;
        for (long long q = 1; q <= computeCycles; ++q) {
            SimulateCycle(run, q > ungraphed);
            if (q == ungraphed) sim.SimStepCount = 0;
        }
    }

    // Each graphed cycle's summary and PV powers replace those of the cycle before, and the
    // graphed cycles are the last of the schedule: working them out once, after the last of
    // them, gives the same texts and powers.
    if (run.graphedCycleEnded) SummarizeGraphedCycle(run);

    // The summary of the last graphed cycle, also when this run graphed none.
    notes.summaryReported = true;
    notes.summary = sim.Summary;

    if (graphs != nullptr && host.IsPowerCurveShown()) graphs->DrawPowerCurve(params, host);
}

}  // namespace velmora
