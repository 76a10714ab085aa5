// What hovering over a chart reads out: the main graph and its copy at the nearest recorded
// step, the pressure/volume diagram at its nearest point, the power curve at the nearest speed.
#include "ui/charts/chart_readouts.h"

#include <cmath>
#include <limits>

#include "report/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/plot_curve.h"
#include "ui/charts/pv_point_cloud.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/widgets/shown_numbers.h"

namespace velmora {

int NearestByX(const PointSeries& points, double x) {
    int best = -1;
    double gap = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double d = std::abs(points[i].x - x);
        if (d < gap) {
            gap = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int NearestInPixels(const std::vector<ColoredPoint>& points, const QPointF& at, const QRectF& area,
                    double xMin, double xMax, double yMin, double yMax) {
    if (!(xMax > xMin) || !(yMax > yMin)) return -1;
    const double sx = area.width() / (xMax - xMin);
    const double sy = area.height() / (yMax - yMin);
    int best = -1;
    double gap = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double dx = area.left() + (points[i].x - xMin) * sx - at.x();
        const double dy = area.bottom() - (points[i].y - yMin) * sy - at.y();
        const double d = dx * dx + dy * dy;
        if (d < gap) {
            gap = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

namespace {

// "title = value": four digits, grouped, signed as the axes are (not the report's exponents).
QString Item(const QString& title, double value, const NumberSettings& numbers) {
    return title + " = " + ReadoutNumber(value, numbers);
}

// Two curves sharing the bottom axis, read at the point of the first nearest to x.
QString TwoCurves(const ChartPanel* chart, const PlotCurve* left, const PlotCurve* right,
                  const QString& xTitle, double x, const NumberSettings& numbers) {
    const int i = NearestByX(left->Points(), x);
    if (i < 0) return {};
    const PlotPoint& p = left->Points()[static_cast<std::size_t>(i)];
    QString text =
        Item(xTitle, p.x, numbers) + "; " + Item(chart->LeftAxis()->titleText(), p.y, numbers);
    const int j = NearestByX(right->Points(), p.x);
    if (j >= 0)
        text += "; " + Item(chart->RightAxis()->titleText(),
                            right->Points()[static_cast<std::size_t>(j)].y, numbers);
    return text;
}

}  // namespace

void TForm1::ConnectChartReadouts() {
    WindowControls& c = ui_;
    auto main = [this](ChartPanel* chart, PlotCurve* red, PlotCurve* blue) {
        chart->SetReadout([this, chart, red, blue](double x, double, const QPointF&) {
            const int step = NearestByX(red->Points(), x);
            if (step < 0) return QString();
            const QString xTitle = ui_.XAxisRG->currentIndex() == 1 ? "degrees" : "seconds";
            return QString("Step %1: ").arg(step) +
                   TwoCurves(chart, red, blue, xTitle, x, session_.State.outputs.numbers);
        });
    };
    main(c.MainChart, c.Series1, c.Series2);
    main(c.MainChartA, c.Series1a, c.Series2a);
    c.Chart3->SetReadout([this](double x, double, const QPointF&) {
        return TwoCurves(ui_.Chart3, ui_.PowerSeries, ui_.PhaseOrTorqueSeries,
                         ui_.Chart3->BottomAxis()->titleText(), x, session_.State.outputs.numbers);
    });
    c.PVChart->SetReadout([this](double, double, const QPointF& at) {
        const ChartPanel* chart = ui_.PVChart;
        const std::vector<ColoredPoint>& points = ui_.PVSeries->Points();
        const QValueAxis* bottom = chart->BottomAxis();
        const QValueAxis* left = chart->LeftAxis();
        const int i = NearestInPixels(points, at, chart->chart()->plotArea(), bottom->min(),
                                      bottom->max(), left->min(), left->max());
        if (i < 0) return QString();
        const ColoredPoint& p = points[static_cast<std::size_t>(i)];
        const NumberSettings& numbers = session_.State.outputs.numbers;
        return Item(bottom->titleText(), p.x, numbers) + "; " +
               Item(left->titleText(), p.y, numbers);
    });
}

}  // namespace velmora
