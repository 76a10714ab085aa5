#include "export/chart_data.h"

#include <algorithm>
#include <limits>

#include "export/csv_field.h"
#include "export/csv_number.h"
#include "presentation/chart_titles.h"

namespace velmora {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kPvPoints = 0x000000;

std::string OrDefault(const std::string& text, const char* fallback) {
    return text.empty() ? fallback : text;
}

}  // namespace

ChartData MainChartData(const ShownRun& sim) {
    const ChartTitles titles = MainChartTitles(sim.Graphs);
    ChartData chart;
    chart.title = OrDefault(titles.Title, "Main Graph");
    chart.bottomTitle = OrDefault(titles.BottomAxisTitle, "seconds");
    chart.leftTitle = titles.LeftAxisTitle;
    chart.rightTitle = OrDefault(titles.RightAxisTitle, " ");
    chart.scales = MainChartScales(sim.MainChart, sim.Series1, sim.Series2);
    chart.curves.push_back({titles.LeftAxisTitle, sim.Series1, kRed, false, false});
    chart.curves.push_back({titles.RightAxisTitle, sim.Series2, kBlue, true, false});
    return chart;
}

ChartData PvChartData(const ShownRun& sim) {
    ChartData chart;
    const ChartTitles titles = PVChartTitles(sim.Graphs);
    chart.title = OrDefault(titles.Title, "Pressure/Volume");
    chart.bottomTitle = OrDefault(titles.BottomAxisTitle, "Volume (m^3)");
    chart.leftTitle = OrDefault(titles.LeftAxisTitle, "Pressure");
    ChartCurve points{chart.leftTitle, {}, kPvPoints, false, true};
    points.points.reserve(sim.PVSeries.size());
    for (const ColoredPoint& p : sim.PVSeries) points.points.push_back({p.x, p.y});
    chart.curves.push_back(std::move(points));
    chart.scales = PvChartScales(sim, std::numeric_limits<int>::max());
    chart.bottomStepsByWidth = true;
    return chart;
}

ChartData PowerChartData(const PowerCurve& curve) {
    ChartData chart;
    chart.title = PowerCurveTitle(curve);
    chart.bottomTitle = "Speed - RPM";
    chart.leftTitle = "Power (watts)";
    chart.rightTitle = PowerCurveRightAxisTitle(curve);
    chart.scales = PowerChartScales(curve);
    chart.curves.push_back({chart.leftTitle, curve.PowerSeries, kRed, false, false});
    chart.curves.push_back({chart.rightTitle, curve.PhaseOrTorqueSeries, kBlue, true, false});
    return chart;
}

std::string ChartDataTable(const ChartData& chart, char separator) {
    // Curves of one design share their x values: the first curve's x leads each group. A
    // held design's curves form a group of their own, with their own x column before it.
    std::vector<std::vector<const ChartCurve*>> groups(2);
    for (const ChartCurve& curve : chart.curves)
        if (!curve.points.empty()) groups[curve.faint ? 0 : 1].push_back(&curve);
    if (groups[0].empty()) groups.erase(groups.begin());
    std::string out;
    std::size_t rows = 0;
    for (const std::vector<const ChartCurve*>& group : groups) {
        if (!out.empty()) out += separator;
        out +=
            CsvField((group.empty() || !group.front()->faint ? "" : "held: ") + chart.bottomTitle,
                     separator);
        for (const ChartCurve* curve : group) {
            out += separator;
            out += CsvField(curve->name, separator);
            rows = std::max(rows, curve->points.size());
        }
    }
    out += '\n';
    for (std::size_t i = 0; i < rows; ++i) {
        bool firstGroup = true;
        for (const std::vector<const ChartCurve*>& group : groups) {
            if (!firstGroup) out += separator;
            firstGroup = false;
            if (!group.empty() && i < group.front()->points.size())
                AppendCsvNumber(out, group.front()->points[i].x);
            for (const ChartCurve* curve : group) {
                out += separator;
                if (i < curve->points.size()) AppendCsvNumber(out, curve->points[i].y);
            }
        }
        out += '\n';
    }
    return out;
}

}  // namespace velmora
