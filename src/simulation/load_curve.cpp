#include "simulation/load_curve.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "simulation/lossy_energy.h"

namespace velmora {

namespace {

constexpr int kGridPoints = 24;
constexpr double kLowestShare = 0.02;
constexpr double kHighestShare = 4;
constexpr int kRefinements = 40;
constexpr double kHotTempResolution = 0.1;  // K

struct Point {
    double speed = 0;
    std::optional<double> brake;  // W; empty when the run did not settle
};

Point BrakeAt(const ParameterSet& p, const Design& d, double speed) {
    const LossyRun run = RunLossyCycle(p, d, speed);
    return {speed, run.settled ? std::optional<double>(run.brakePower) : std::nullopt};
}

std::vector<Point> Grid(const ParameterSet& p, const Design& d) {
    std::vector<Point> grid;
    const double low = kLowestShare * p.EngineSpeed, high = kHighestShare * p.EngineSpeed;
    for (int i = 0; i < kGridPoints; ++i)
        grid.push_back(BrakeAt(p, d, low * std::pow(high / low, double(i) / (kGridPoints - 1))));
    return grid;
}

// The speed between a and b where g changes sign (g(a) > 0 >= g(b)), by bisection.
template <class G>
std::optional<double> Crossing(double a, double b, G g) {
    for (int i = 0; i < kRefinements; ++i) {
        const double mid = 0.5 * (a + b);
        const std::optional<double> value = g(mid);
        if (!value) return std::nullopt;
        (*value > 0 ? a : b) = mid;
    }
    return 0.5 * (a + b);
}

std::optional<double> MaxOfGrid(const std::vector<Point>& grid, std::size_t* at = nullptr) {
    std::optional<double> best;
    for (std::size_t i = 0; i < grid.size(); ++i)
        if (grid[i].brake && (!best || *grid[i].brake > *best)) {
            best = grid[i].brake;
            if (at != nullptr) *at = i;
        }
    return best;
}

}  // namespace

UnderLoad SearchUnderLoad(const ParameterSet& p, const Design& d) {
    UnderLoad u;
    if (!(p.EngineSpeed > 0)) return u;
    const std::vector<Point> grid = Grid(p, d);
    std::size_t at = 0;
    if (!MaxOfGrid(grid, &at)) return u;
    // Golden section between the grid neighbours of the best point.
    double a = grid[at == 0 ? 0 : at - 1].speed;
    double b = grid[at + 1 < grid.size() ? at + 1 : at].speed;
    const double r = (std::sqrt(5.0) - 1) / 2;
    const auto brake = [&](double speed) { return BrakeAt(p, d, speed).brake.value_or(-INFINITY); };
    double c = b - r * (b - a), e = a + r * (b - a);
    double fc = brake(c), fe = brake(e);
    for (int i = 0; i < kRefinements && b - a > 1e-7 * p.EngineSpeed; ++i) {
        if (fc > fe) {
            b = e, e = c, fe = fc;
            c = b - r * (b - a), fc = brake(c);
        } else {
            a = c, c = e, fc = fe;
            e = a + r * (b - a), fe = brake(e);
        }
    }
    u.maxBrakePower = *grid[at].brake;
    u.speedAtMaxBrakePower = grid[at].speed;
    if (std::max(fc, fe) > *u.maxBrakePower) {
        u.maxBrakePower = std::max(fc, fe);
        u.speedAtMaxBrakePower = fc > fe ? c : e;
    }
    const auto powerLeft = [&](double speed) { return BrakeAt(p, d, speed).brake; };
    const double load = d.losses.loadTorque;
    const auto torqueLeft = [&](double speed) -> std::optional<double> {
        const std::optional<double> power = BrakeAt(p, d, speed).brake;
        if (!power) return std::nullopt;
        return *power / speed - load;
    };
    for (std::size_t i = at; i + 1 < grid.size(); ++i)
        if (grid[i].brake && grid[i + 1].brake && *grid[i].brake > 0 && *grid[i + 1].brake <= 0) {
            u.noLoadSpeed = Crossing(grid[i].speed, grid[i + 1].speed, powerLeft);
            break;
        }
    // The stable running point: the torque falls through the load as the speed rises; of
    // several, the fastest (the engine run up from rest settles there).
    for (std::size_t i = grid.size() - 1; i > 0; --i) {
        const Point& lo = grid[i - 1];
        const Point& hi = grid[i];
        if (lo.brake && hi.brake && *lo.brake / lo.speed - load > 0 &&
            *hi.brake / hi.speed - load <= 0) {
            u.runningSpeed = Crossing(lo.speed, hi.speed, torqueLeft);
            break;
        }
    }
    return u;
}

std::optional<double> MinHotTemp(const ParameterSet& analysed, const Design& d) {
    const auto maxBrake = [&](double hot) {
        ParameterSet p = analysed;
        p.HotTemp = hot;
        const std::optional<double> best = SearchUnderLoad(p, d).maxBrakePower;
        return best && *best > 0;
    };
    double high = analysed.HotTemp, low = analysed.ColdTemp;
    if (!(high > low) || !maxBrake(high)) return std::nullopt;
    while (high - low > kHotTempResolution) {
        const double mid = 0.5 * (low + high);
        (maxBrake(mid) ? high : low) = mid;
    }
    return high;
}

}  // namespace velmora
