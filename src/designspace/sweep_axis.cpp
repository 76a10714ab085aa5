#include "designspace/sweep_axis.h"

#include <charconv>
#include <cmath>

namespace velmora {

namespace {

// The point at i/last of the way. The plain form gives the values sweeps have always shown;
// where its span overflows (ends of opposite sign near the limits of a double) the weighted
// form, whose terms never exceed the ends, takes over.
double LinearPoint(double from, double to, int i, int last) {
    const double plain = from + (to - from) * i / last;
    if (std::isfinite(plain)) return plain;
    const double t = static_cast<double>(i) / last;
    return from * (1 - t) + to * t;
}

// The same on a logarithmic scale (ends of one sign, neither 0); through the logarithms of the
// ends when their ratio overflows or underflows.
double LogPoint(double from, double to, int i, int last) {
    const double t = static_cast<double>(i) / last;
    const double ratio = to / from;
    if (std::isnormal(ratio)) {
        const double plain = from * std::pow(ratio, t);
        if (std::isfinite(plain)) return plain;
    }
    const double size = std::exp(std::log(std::abs(from)) * (1 - t) + std::log(std::abs(to)) * t);
    return from < 0 ? -size : size;
}

}  // namespace

std::vector<double> AxisValues(const SweepAxis& axis) {
    std::vector<double> values;
    if (axis.points < 1) return values;
    values.reserve(static_cast<std::size_t>(axis.points));
    const int last = axis.points - 1;
    for (int i = 0; i <= last; ++i) {
        if (i == 0) {
            values.push_back(axis.from);
        } else if (i == last) {
            values.push_back(axis.to);
        } else if (axis.log) {
            values.push_back(LogPoint(axis.from, axis.to, i, last));
        } else {
            values.push_back(LinearPoint(axis.from, axis.to, i, last));
        }
    }
    return values;
}

std::vector<double> LinspaceAxisValues(const SweepAxis& axis) {
    std::vector<double> values = AxisValues(axis);
    if (axis.log || values.size() < 3) return values;
    const int last = axis.points - 1;
    const double step = (axis.to - axis.from) / last;
    if (!std::isfinite(step)) return values;
    for (int i = 1; i < last; ++i) values[static_cast<std::size_t>(i)] = axis.from + i * step;
    return values;
}

std::optional<double> ParseRangeNumber(std::string_view text) {
    if (text.empty() || text.front() == '+') return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string AxisProblem(const SweepAxis& axis) {
    if (axis.input == nullptr) return "no input chosen";
    if (axis.points < 1) return "points must be at least 1";
    if (axis.points > kMaxSweepDesigns) return "more than 1000000 points";
    if (axis.log && (axis.from == 0 || axis.to == 0 || (axis.from < 0) != (axis.to < 0)))
        return "a logarithmic range must not touch 0";
    return {};
}

std::optional<SweepAxis> ParseVary(std::string_view text, std::string& problem) {
    std::string quoted(1, '\'');
    quoted.append(text).push_back('\'');
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        problem = quoted + " is not SECTION.KEY=FROM:TO:N[:log]";
        return std::nullopt;
    }
    SweepAxis axis;
    const std::string_view key = text.substr(0, equals);
    axis.input = FindSweepInput(key);
    if (axis.input == nullptr) {
        problem = "unknown input key '" + std::string(key) + "'";
        return std::nullopt;
    }
    std::vector<std::string_view> parts;
    std::string_view rest = text.substr(equals + 1);
    for (;;) {
        const std::size_t colon = rest.find(':');
        parts.push_back(rest.substr(0, colon));
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    if (parts.size() < 3 || parts.size() > 4 || (parts.size() == 4 && parts[3] != "log")) {
        problem = quoted + " is not SECTION.KEY=FROM:TO:N[:log]";
        return std::nullopt;
    }
    const std::optional<double> from = ParseRangeNumber(parts[0]);
    const std::optional<double> to = ParseRangeNumber(parts[1]);
    if (!from || !to) {
        problem = "FROM and TO of " + quoted + " must be numbers";
        return std::nullopt;
    }
    long long points = 0;
    const auto [end, error] =
        std::from_chars(parts[2].data(), parts[2].data() + parts[2].size(), points);
    if (parts[2].empty() || error == std::errc::invalid_argument ||
        end != parts[2].data() + parts[2].size()) {
        problem = "N of " + quoted + " must be a whole number";
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range || points > kMaxSweepDesigns) {
        problem = "N of " + quoted + " is more than 1000000 points";
        return std::nullopt;
    }
    axis.from = *from;
    axis.to = *to;
    axis.points = static_cast<int>(points);
    axis.log = parts.size() == 4;
    problem = AxisProblem(axis);
    if (!problem.empty()) {
        problem = problem + " in " + quoted;
        return std::nullopt;
    }
    return axis;
}

std::string AxesProblem(const std::vector<SweepAxis>& axes) {
    if (axes.empty()) return "no input to vary";
    if (axes.size() > 2) return "at most two inputs can be varied";
    if (axes.size() == 2 && axes[0].input == axes[1].input) return "the same input varied twice";
    long long designs = 1;
    for (const SweepAxis& axis : axes) {
        const std::string problem = AxisProblem(axis);
        if (!problem.empty()) return problem;
        designs *= axis.points;
    }
    if (designs > kMaxSweepDesigns) return "more than 1000000 designs";
    return {};
}

}  // namespace velmora
