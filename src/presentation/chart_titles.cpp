#include "presentation/chart_titles.h"

#include "model/compute_report.h"
#include "presentation/engine_frame.h"
#include "report/number_text.h"
#include "presentation/curve_quantities.h"

namespace velmora {
namespace {

bool Names(int choice) {
    return choice >= 0 && choice < kCurveItemCount;
}

}  // namespace

std::string CurveAxisTitle(int choice, const OutputUnits& units) {
    if (!Names(choice)) return {};
    const CurveQuantityRow& q = kCurveQuantities[choice];
    return std::string(q.titleWord) + " (" + UnitName(q.family, units) + q.unitAppend + ")";
}

std::string CurveTitleWord(int choice) {
    return Names(choice) ? kCurveQuantities[choice].titleWord : "";
}

std::string CurveAndText(int choice) {
    return Names(choice) ? " and " + CurveTitleWord(choice) : "";
}

ChartTitles MainChartTitles(const GraphChoices& graphs) {
    ChartTitles titles;
    if (graphs.right)
        titles.RightAxisTitle = CurveAxisTitle(graphs.right->curve, graphs.right->units);
    if (graphs.left) {
        titles.Title = CurveTitleWord(graphs.left->curve) + CurveAndText(graphs.titleRight);
        titles.LeftAxisTitle = CurveAxisTitle(graphs.left->curve, graphs.left->units);
        // Without an x-axis choice the x values are seconds, so the title says so.
        titles.BottomAxisTitle = XAxisInDegrees(graphs.xAxisChoice) ? "Degrees" : "Seconds";
    }
    if (graphs.phase) {
        const PhaseMark& mark = *graphs.phase;
        titles.BottomAxisTitle = PhaseAxisTitle(titles.BottomAxisTitle, mark.animating,
                                                mark.xAxisChoice, mark.xv, mark.numbers);
    }
    return titles;
}

ChartTitles PVChartTitles(const GraphChoices& graphs) {
    ChartTitles titles;
    if (!graphs.left) return titles;
    titles.LeftAxisTitle = "Pressure " + PressureUnitName(graphs.left->units);
    titles.BottomAxisTitle = "Volume " + VolumeUnitName(graphs.left->units);
    return titles;
}

std::string TimeIncrementCaption(const GraphChoices& graphs) {
    if (!graphs.timeIncrement) return {};
    return "Time Increment =\r\n1 degree =\r\n" +
           FormatDuration(*graphs.timeIncrement, graphs.timeIncrementNumbers);
}

std::string PowerCurveTitle(const PowerCurve& curve) {
    switch (curve.End) {
        case PowerSweepEnd::NotSwept:
            break;
        case PowerSweepEnd::PhaseUnknown:
            return "Unable to calc Power because unable to calc Tee Zero";
        case PowerSweepEnd::NoPositivePower:
            return "No positive power between 2% and 100% of Omega Bar";
        case PowerSweepEnd::MaxFound:
            return "Max Power = " + PowerText(curve.Units, curve.MaxPower) + " at " +
                   FormatNumber(RadiansToDegrees(curve.MaxPhase), curve.Units.numbers) +
                   " degrees and " +
                   FormatNumber(RadPerSecToRpm(curve.MaxSpeed), curve.Units.numbers) + " RPM";
    }
    return "Power/Phase vs RPM";
}

std::string PowerCurveRightAxisTitle(const PowerCurve& curve) {
    return curve.PhaseShown ? "Phase Angle (deg)" : "Torque";
}

std::string CycleSummaryCaption(const SimulationState& sim) {
    return sim.ShownSummary ? CycleSummaryLabel(*sim.ShownSummary) : std::string();
}

std::array<std::string, 3> CycleSummaryReportLines(const SimulationState& sim) {
    if (!sim.ShownSummary) return {};
    return CycleSummaryLines(*sim.ShownSummary);
}

}  // namespace velmora
