#include "simulation/power_speed_curve.h"

#include <algorithm>
#include <cmath>

#include "report/number_text.h"
#include "report/unit_text.h"

namespace velmora {
namespace {

constexpr long double kSweepStep = 0.02L;

double Shown(double value) {
    return std::isfinite(value) ? value : 0.0;
}

// The free travel at one speed. Everything that does not depend on t is worked out once, so a
// search can evaluate thousands of positions cheaply; the arithmetic per position is that of
// the closed form, term by term in the same order.
class FreeTravel {
  public:
    FreeTravel(const ParameterSet& params, double speed) : params_(params), speed_(speed) {
        rootK_ = std::sqrt(params.K);
        e_ = rootK_ / speed;
        const CheckedValue teeZero = TeeZeroTime(params, speed);
        valid_ = teeZero.valid;
        t0_ = teeZero.value;
        amplitude_ = params.DispHalfStroke * speed * speed / (speed * speed + params.K);
        rising_ = 1 - e_ * params.Chi;
        falling_ = e_ * params.Chi + 1;
    }

    bool Valid() const { return valid_; }

    double At(double t) const {
        const double growing = std::exp(rootK_ * (t - t0_));
        const double decaying = std::exp(-rootK_ * (t - t0_));
        return Combine(t, growing, decaying);
    }

    // How many of the following grid points (spaced `step`) the search may pass over without
    // evaluating them, because the position at t leaves too much room above the limit for any
    // of them to reach it. The slope of the position is bounded term by term over a stretch in
    // which the growing exponential at most doubles; only half the room is used, and only when
    // it is far above the rounding of the terms. A search that skips meets the limit at exactly
    // the grid point a search without skips meets it.
    long SafeSkip(double t, double divisor, double step) const {
        const double growing = std::exp(rootK_ * (t - t0_));
        const double decaying = std::exp(-rootK_ * (t - t0_));
        const double x = Combine(t, growing, decaying);
        const double half = params_.DispHalfStroke;
        const double room = (x + half) - x / divisor;  // the limit is met when room < 0
        const double a = std::fabs(amplitude_);
        const double grow = std::fabs(rising_) * 0.5 * 2 * growing;  // doubled: see above
        const double decay = std::fabs(falling_) * 0.5 * decaying;
        const double wave = std::fabs(params_.Beta) * e_ * e_;
        const double scale = a * (grow + decay + wave) + half;
        if (!(room > 1e-9 * scale) || !std::isfinite(scale)) return 0;
        const double slope = a * (rootK_ * (grow + decay) + wave * std::fabs(speed_));
        double stretch = rootK_ > 0 ? 0.69 / rootK_ : kLongStretch;
        if (slope > 0) stretch = std::min(stretch, 0.5 * room / slope);
        const double points = std::floor(stretch / step) - 1;
        if (!(points > 0)) return 0;
        return points >= kLongStretch ? static_cast<long>(kLongStretch) : static_cast<long>(points);
    }

  private:
    static constexpr double kLongStretch = 1e9;

    double Combine(double t, double growing, double decaying) const {
        return amplitude_ * (growing * rising_ * 0.5 + decaying * falling_ * 0.5 +
                             std::sin(speed_ * t) * params_.Beta * e_ * e_);
    }

    const ParameterSet& params_;
    double speed_;
    double rootK_ = 0;
    double e_ = 0;
    double t0_ = 0;
    double amplitude_ = 0;
    double rising_ = 0;
    double falling_ = 0;
    bool valid_ = false;
};

}  // namespace

CheckedValue AnalyticDispPosition(const ParameterSet& params, double t, double speed) {
    const FreeTravel travel(params, speed);
    if (!travel.Valid()) return {0, false};
    return {travel.At(t), true};
}

CheckedValue FindStopCrossing(const ParameterSet& params, double start, double end, double divisor,
                              double speed) {
    const FreeTravel travel(params, speed);
    if (!travel.Valid()) return {0, false};
    const double step = 0.1 * start / divisor;
    // A step that cannot advance t would never end the search.
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(end)) return {0, true};
    double t = start;
    long skip = 0;
    do {
        if (skip > 0) {
            --skip;
        } else {
            const double x = travel.At(t);
            if (ShortfallWithin(divisor, -params.DispHalfStroke, x)) return {t, true};
            skip = travel.SafeSkip(t, divisor, step);
        }
        // The grid is built by repeated addition, skipped points included.
        const double next = t + step;
        if (next == t) break;
        t = next;
    } while (t <= end);
    return {0, true};
}

CheckedValue DisplacerTravelTime(const ParameterSet& params, double speed) {
    const double half = PeriodOfRadPerSec(speed) / 2;
    const CheckedValue t1 = FindStopCrossing(params, 0.01 * half, half, 10, speed);
    if (!t1.valid || t1.value == 0) return {0, t1.valid};
    const CheckedValue t2 = FindStopCrossing(params, 0.9 * t1.value, 1.1 * t1.value, 100, speed);
    if (!t2.valid || t2.value == 0) return {0, t2.valid};
    return FindStopCrossing(params, 0.9 * t2.value, 1.1 * t2.value, 1000, speed);
}

CheckedValue PhaseAtSpeed(const ParameterSet& params, double speed) {
    if (speed == 0) return {0, false};
    const CheckedValue travelTime = DisplacerTravelTime(params, speed);
    if (!travelTime.valid) return {0, false};
    if (params.Beta == 0) return {0, false};
    const CheckedValue a = CheckedArcSin(1 / params.Beta);
    if (!a.valid) return {0, false};
    return {kPi - a.value / 2 - speed * travelTime.value / 2, true};
}

void PowerSpeedCurve(const ParameterSet& params, const OutputUnits& units, bool phaseShown,
                     PowerCurve& curve, SimulationHost& host) {
    curve.PowerSeries.clear();
    curve.PhaseOrTorqueSeries.clear();
    curve.MaxFound = false;
    if (params.EngineSpeed == 0 || params.OmegaBar == 0) return;

    curve.Units = units;
    double maxPower = 0;
    double maxPhase = 0;
    double maxSpeed = 0;
    host.SetBusyCursor(true);

    const auto increment = static_cast<double>(kSweepStep * params.OmegaBar);
    double speed = increment;
    bool valid = false;
    do {
        const CheckedValue phase = PhaseAtSpeed(params, speed);
        valid = phase.valid;
        if (!valid) {
            curve.End = PowerSweepEnd::PhaseUnknown;
            break;
        }
        const double power = Shown(PowerFromWork(speed, SchmidtWorkAt(params, phase.value)));
        const double rpm = RadPerSecToRpm(speed);
        curve.PowerSeries.push_back({rpm, power});
        if (phaseShown) {
            curve.PhaseOrTorqueSeries.push_back({rpm, Shown(RadiansToDegrees(phase.value))});
        } else {
            curve.PhaseOrTorqueSeries.push_back({rpm, Shown(power / speed)});
        }
        if (power > maxPower) {
            maxPower = power;
            maxPhase = phase.value;
            maxSpeed = speed;
        }
        speed = static_cast<double>(kSweepStep * params.OmegaBar + speed);
    } while (speed <= params.OmegaBar);

    host.SetBusyCursor(false);
    if (valid && maxPower > 0) {
        curve.MaxFound = true;
        curve.MaxPower = maxPower;
        curve.MaxPhase = maxPhase;
        curve.MaxSpeed = maxSpeed;
    }
    // Without a positive power there is no maximum to name.
    if (valid) curve.End = maxPower > 0 ? PowerSweepEnd::MaxFound : PowerSweepEnd::NoPositivePower;
    curve.PhaseShown = phaseShown;
}

std::vector<double> PowerSweepSpeeds(double omegaBar) {
    std::vector<double> speeds;
    if (omegaBar == 0) return speeds;
    // The same running sum as the sweep, so that each speed is bit for bit the one it used.
    const auto increment = static_cast<double>(kSweepStep * omegaBar);
    double speed = increment;
    do {
        speeds.push_back(speed);
        speed = static_cast<double>(kSweepStep * omegaBar + speed);
    } while (speed <= omegaBar && speeds.size() < 1000);
    return speeds;
}

}  // namespace velmora
