#include "simulation/load_curve.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "simulation/lossy_energy.h"

namespace velmora {

namespace {

constexpr int kGridPoints = 24;
constexpr double kLowestShare = 0.02;
constexpr double kHighestShare = 4;
constexpr int kRefinements = 60;
constexpr double kMaximumTolerance = 1e-6;   // of the engine speed, on the speed of the maximum
constexpr double kCrossingTolerance = 1e-9;  // of the engine speed, on a crossing's speed
constexpr double kHotTempResolution = 0.1;   // K
// A solved speed within this log distance (a factor of 1.5) starts the next run's fixed point;
// from further away the walls serve as well.
const double kWarmStartReach = std::log(1.5);

// The brake power over speed of one design. Each run starts its heater and cooler fixed point
// from the solution at the nearest speed run before, where it needs a round or two instead of
// starting from the wall temperatures.
class BrakeCurve {
  public:
    BrakeCurve(const ParameterSet& p, const Design& d) : p_(p), d_(d) {}

    // W; empty when the run did not settle.
    std::optional<double> At(double speed) {
        GasTemperatureStart start = Nearest(speed);
        const LossyRun run = RunLossyCycle(p_, d_, speed, &start);
        if (run.settled && start.known) known_.emplace_back(speed, start);
        if (!run.settled) return std::nullopt;
        return run.brakePower;
    }

  private:
    GasTemperatureStart Nearest(double speed) const {
        GasTemperatureStart best;
        double distance = kWarmStartReach;
        for (const auto& [at, start] : known_)
            if (std::abs(std::log(at / speed)) < distance) {
                distance = std::abs(std::log(at / speed));
                best = start;
            }
        return best;
    }

    const ParameterSet& p_;
    const Design& d_;
    std::vector<std::pair<double, GasTemperatureStart>> known_;
};

struct Point {
    double speed = 0;
    std::optional<double> brake;
};

std::vector<Point> Grid(const ParameterSet& p, BrakeCurve& curve) {
    std::vector<Point> grid;
    const double low = kLowestShare * p.EngineSpeed, high = kHighestShare * p.EngineSpeed;
    for (int i = 0; i < kGridPoints; ++i) {
        const double speed = low * std::pow(high / low, double(i) / (kGridPoints - 1));
        grid.push_back({speed, curve.At(speed)});
    }
    return grid;
}

// The speed between a and b where g changes sign (g(a) = ga > 0 >= g(b) = gb), by regula
// falsi with the Illinois correction (the end that stays has its value halved), to `tol`.
template <class G>
std::optional<double> Crossing(double a, double b, double ga, double gb, double tol, G g) {
    int side = 0;
    for (int i = 0; i < kRefinements && b - a > tol; ++i) {
        double x = (a * gb - b * ga) / (gb - ga);
        if (!(x > a && x < b)) x = 0.5 * (a + b);
        const std::optional<double> gx = g(x);
        if (!gx) return std::nullopt;
        if (*gx == 0) return x;
        if (*gx > 0) {
            a = x, ga = *gx;
            if (side == 1) gb *= 0.5;
            side = 1;
        } else {
            b = x, gb = *gx;
            if (side == -1) ga *= 0.5;
            side = -1;
        }
    }
    return 0.5 * (a + b);
}

// The maximum of f on [a, b] by Brent's method (golden-section steps, parabolic ones where
// the last three points allow), to `tol` in the argument: (argument, value).
template <class F>
std::pair<double, double> MaximumOn(double a, double b, double tol, F f) {
    constexpr double kGolden = 0.3819660112501051;  // (3 - sqrt 5) / 2
    double x = a + kGolden * (b - a), w = x, v = x;
    double fx = f(x), fw = fx, fv = fx;
    double d = 0, e = 0;
    for (int i = 0; i < kRefinements; ++i) {
        const double m = 0.5 * (a + b);
        if (std::abs(x - m) <= 2 * tol - 0.5 * (b - a)) break;
        bool golden = true;
        if (std::abs(e) > tol) {
            // The parabola through (v, w, x); its vertex, if it lies well inside, is tried.
            const double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0) p = -p;
            q = std::abs(q);
            const double last = e;
            e = d;
            if (std::abs(p) < std::abs(0.5 * q * last) && p > q * (a - x) && p < q * (b - x)) {
                d = p / q;
                if (x + d - a < 2 * tol || b - x - d < 2 * tol) d = m > x ? tol : -tol;
                golden = false;
            }
        }
        if (golden) {
            e = x >= m ? a - x : b - x;
            d = kGolden * e;
        }
        const double u = std::abs(d) >= tol ? x + d : x + (d > 0 ? tol : -tol);
        const double fu = f(u);
        if (fu >= fx) {
            (u >= x ? a : b) = x;
            v = w, fv = fw, w = x, fw = fx, x = u, fx = fu;
        } else {
            (u < x ? a : b) = u;
            if (fu >= fw || w == x) {
                v = w, fv = fw, w = u, fw = fu;
            } else if (fu >= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
    return {x, fx};
}

// The grid and its best point refined, or nothing when no grid point settled.
struct Maximum {
    std::vector<Point> grid;
    std::size_t at = 0;  // the grid's best point
    double speed = 0;
    double power = 0;
};

std::optional<Maximum> SearchMaximum(const ParameterSet& p, BrakeCurve& curve) {
    Maximum m;
    m.grid = Grid(p, curve);
    bool found = false;
    for (std::size_t i = 0; i < m.grid.size(); ++i)
        if (m.grid[i].brake && (!found || *m.grid[i].brake > *m.grid[m.at].brake)) {
            m.at = i;
            found = true;
        }
    if (!found) return std::nullopt;
    m.speed = m.grid[m.at].speed;
    m.power = *m.grid[m.at].brake;
    // Between the grid neighbours of the best point.
    const double a = m.grid[m.at == 0 ? 0 : m.at - 1].speed;
    const double b = m.grid[m.at + 1 < m.grid.size() ? m.at + 1 : m.at].speed;
    if (b > a) {
        const auto [speed, power] =
            MaximumOn(a, b, kMaximumTolerance * p.EngineSpeed,
                      [&](double s) { return curve.At(s).value_or(-INFINITY); });
        if (power > m.power) m.speed = speed, m.power = power;
    }
    return m;
}

}  // namespace

UnderLoad SearchUnderLoad(const ParameterSet& p, const Design& d) {
    UnderLoad u;
    if (!(p.EngineSpeed > 0)) return u;
    BrakeCurve curve(p, d);
    const std::optional<Maximum> best = SearchMaximum(p, curve);
    if (!best) return u;
    u.maxBrakePower = best->power;
    u.speedAtMaxBrakePower = best->speed;
    const std::vector<Point>& grid = best->grid;
    const double tol = kCrossingTolerance * p.EngineSpeed;
    for (std::size_t i = best->at; i + 1 < grid.size(); ++i)
        if (grid[i].brake && grid[i + 1].brake && *grid[i].brake > 0 && *grid[i + 1].brake <= 0) {
            u.noLoadSpeed =
                Crossing(grid[i].speed, grid[i + 1].speed, *grid[i].brake, *grid[i + 1].brake, tol,
                         [&](double s) { return curve.At(s); });
            break;
        }
    // The stable running point: the torque falls through the load as the speed rises; of
    // several, the fastest (the engine run up from rest settles there).
    const double load = d.losses.loadTorque;
    const auto torqueLeft = [&](double speed) -> std::optional<double> {
        const std::optional<double> power = curve.At(speed);
        if (!power) return std::nullopt;
        return *power / speed - load;
    };
    for (std::size_t i = grid.size() - 1; i > 0; --i) {
        const Point& lo = grid[i - 1];
        const Point& hi = grid[i];
        if (!lo.brake || !hi.brake) continue;
        const double gLo = *lo.brake / lo.speed - load, gHi = *hi.brake / hi.speed - load;
        if (gLo > 0 && gHi <= 0) {
            u.runningSpeed = Crossing(lo.speed, hi.speed, gLo, gHi, tol, torqueLeft);
            break;
        }
    }
    return u;
}

std::optional<double> MinHotTemp(const ParameterSet& analysed, const Design& d) {
    double high = analysed.HotTemp, low = analysed.ColdTemp;
    if (!(high > low) || !(analysed.EngineSpeed > 0)) return std::nullopt;
    ParameterSet p = analysed;
    BrakeCurve own(p, d);
    const std::optional<Maximum> best = SearchMaximum(p, own);
    if (!best || !(best->power > 0)) return std::nullopt;
    // Whether the engine gives positive brake power at some speed with the hot wall at `hot`:
    // tried first at the speed of the design's own maximum, where it most likely does, and only
    // then over the whole range.
    const auto runs = [&](double hot) {
        p.HotTemp = hot;
        BrakeCurve curve(p, d);
        const std::optional<double> atBest = curve.At(best->speed);
        if (atBest && *atBest > 0) return true;
        const std::optional<Maximum> top = SearchMaximum(p, curve);
        return top && top->power > 0;
    };
    // Bisection on the sign. (Secant steps were tried: where the engine starts to run the
    // maximum bends sharply from a flat negative stretch, and they took more trials, not fewer.)
    while (high - low > kHotTempResolution) {
        const double mid = 0.5 * (low + high);
        (runs(mid) ? high : low) = mid;
    }
    return high;
}

}  // namespace velmora
