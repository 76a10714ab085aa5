#include "export/chart_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "export/axis_scale.h"
#include "presentation/legend_place.h"

namespace velmora {
namespace {

const QColor kLeftColor(0xFF, 0, 0);
const QColor kRightColor(0, 0, 0xFF);
const QColor kGridColor(0xDD, 0xDD, 0xDD);

QColor ColorOf(std::uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// A held design's colour: the curve's own, mostly white, so that the live curves stand out.
QColor FaintOf(std::uint32_t rgb) {
    const QColor c = ColorOf(rgb);
    return QColor(255 - (255 - c.red()) * 2 / 5, 255 - (255 - c.green()) * 2 / 5,
                  255 - (255 - c.blue()) * 2 / 5);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QFont FontOf(double pixels, bool bold = false) {
    QFont font("DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

// The window's chart labels are about 12 pixels high where a figure's are 22 units: the
// figure's width in window pixels, for the rule that keeps volume labels apart.
constexpr double kWindowTickPixels = 12;
constexpr double kTickFontUnits = 22;

double LabelWidth(const QFontMetricsF& metrics, const AxisScale& scale) {
    double width = 0;
    for (const double v : TickValues(scale))
        width =
            std::max(width, metrics.horizontalAdvance(Text(GroupedTickLabel(v, scale.decimals))));
    return width;
}

class Frame {
  public:
    Frame(const QRectF& plot, const AxisScale& x, const AxisScale& y) : plot_(plot), x_(x), y_(y) {}
    QPointF Map(double x, double y) const {
        return {plot_.left() + (x - x_.min) / (x_.max - x_.min) * plot_.width(),
                plot_.bottom() - (y - y_.min) / (y_.max - y_.min) * plot_.height()};
    }

  private:
    QRectF plot_;
    const AxisScale& x_;
    const AxisScale& y_;
};

void DrawRotated(QPainter& painter, const QPointF& center, double angle, const QString& text,
                 const QFontMetricsF& metrics) {
    painter.save();
    painter.translate(center);
    painter.rotate(angle);
    const double width = metrics.horizontalAdvance(text);
    painter.drawText(QPointF(-width / 2, metrics.ascent() / 2 - metrics.descent() / 2), text);
    painter.restore();
}

}  // namespace

PaintedChart PaintChart(QPainter& painter, const QRectF& area, const ChartData& chart) {
    const double u = std::min(area.width() / 1600, area.height() / 1000);
    const QFont titleFont = FontOf(34 * u, true);
    const QFont axisFont = FontOf(26 * u);
    const QFont tickFont = FontOf(22 * u);
    const QFontMetricsF titleMetrics(titleFont, painter.device());
    const QFontMetricsF axisMetrics(axisFont, painter.device());
    const QFontMetricsF tickMetrics(tickFont, painter.device());

    bool hasRight = !chart.rightTitle.empty();
    for (const ChartCurve& curve : chart.curves) hasRight = hasRight || curve.rightAxis;
    AxisScale xTicks = chart.scales.bottom;
    if (chart.bottomStepsByWidth) {
        const double windowPixels = area.width() / u * kWindowTickPixels / kTickFontUnits;
        xTicks = WithAtMostSteps(xTicks,
                                 std::max(2, static_cast<int>(windowPixels) / kVolumeLabelPixels));
    }
    const AxisScale& leftTicks = chart.scales.left;
    const AxisScale& rightTicks = chart.scales.right;

    const double gap = 14 * u;
    const double top = area.top() + gap + titleMetrics.height() + gap;
    double bottom = area.bottom() - gap - axisMetrics.height() - gap - tickMetrics.height() - gap;
    const double left =
        area.left() + gap + axisMetrics.height() + gap + LabelWidth(tickMetrics, leftTicks) + gap;
    const double right =
        area.right() - gap -
        (hasRight ? axisMetrics.height() + gap + LabelWidth(tickMetrics, rightTicks) + gap
                  : 3 * gap + tickMetrics.horizontalAdvance("0000") / 2);
    // The legend goes in a corner of the plot that no curve crosses; where every corner is
    // crossed, in a strip of its own below the plot, so that it never hides a curve.
    const double sample = 40 * u;
    const double line = tickMetrics.height() * 1.2;
    double legendTextWidth = 0;
    for (const LegendEntry& entry : chart.legend)
        legendTextWidth =
            std::max(legendTextWidth, tickMetrics.horizontalAdvance(Text(entry.text)));
    const double boxWidth = gap + sample + gap + legendTextWidth + gap;
    const double boxHeight = gap + line * static_cast<double>(chart.legend.size());
    const auto legendPlace = [&](const QRectF& plot) {
        const Frame leftFrame(plot, xTicks, leftTicks);
        const Frame rightFrame(plot, xTicks, rightTicks);
        std::vector<std::vector<PixelPoint>> pixels;
        for (const ChartCurve& curve : chart.curves) {
            const Frame& frame = curve.rightAxis ? rightFrame : leftFrame;
            std::vector<PixelPoint>& mapped = pixels.emplace_back();
            for (const PlotPoint& p : curve.points) {
                const QPointF at = frame.Map(p.x, p.y);
                mapped.push_back({at.x(), at.y()});
            }
        }
        return PlaceLegendBox(pixels, {plot.left(), plot.top(), plot.width(), plot.height()},
                              boxWidth, boxHeight, gap);
    };
    double legendStrip = 0;
    std::optional<QRectF> legendBox;
    if (!chart.legend.empty()) {
        const LegendPlacement inside =
            legendPlace(QRectF(QPointF(left, top), QPointF(right, bottom)));
        if (!inside.coversCurve) {
            legendBox = QRectF(inside.box.left, inside.box.top, boxWidth, boxHeight);
        } else {
            legendStrip = boxHeight + gap;
            bottom -= legendStrip;
        }
    }
    const QRectF plot(QPointF(left, top), QPointF(right, bottom));
    if (!chart.legend.empty() && !legendBox)
        legendBox = QRectF(plot.center().x() - boxWidth / 2, area.bottom() - gap - boxHeight,
                           boxWidth, boxHeight);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, Qt::white);

    // Title, centred; a long one is cut at the area's edges rather than overlapping nothing.
    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top() + gap, area.width(), titleMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, Text(chart.title));

    // Grid and tick labels.
    const Frame leftFrame(plot, xTicks, leftTicks);
    const Frame rightFrame(plot, xTicks, rightTicks);
    painter.setFont(tickFont);
    const QPen gridPen(kGridColor, std::max(1.0, 1.5 * u));
    for (const double x : TickValues(xTicks)) {
        const QPointF at = leftFrame.Map(x, leftTicks.min);
        painter.setPen(gridPen);
        painter.drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
        const QString label = Text(GroupedTickLabel(x, xTicks.decimals));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(at.x() - tickMetrics.horizontalAdvance(label) / 2,
                                 plot.bottom() + gap + tickMetrics.ascent()),
                         label);
    }
    for (const double y : TickValues(leftTicks)) {
        const QPointF at = leftFrame.Map(xTicks.min, y);
        painter.setPen(gridPen);
        painter.drawLine(QPointF(plot.left(), at.y()), QPointF(plot.right(), at.y()));
        const QString label = Text(GroupedTickLabel(y, leftTicks.decimals));
        painter.setPen(kLeftColor);
        painter.drawText(QPointF(plot.left() - gap - tickMetrics.horizontalAdvance(label),
                                 at.y() + tickMetrics.ascent() / 2 - tickMetrics.descent() / 2),
                         label);
    }
    if (hasRight) {
        painter.setPen(kRightColor);
        for (const double y : TickValues(rightTicks)) {
            const QPointF at = rightFrame.Map(xTicks.min, y);
            painter.drawText(QPointF(plot.right() + gap,
                                     at.y() + tickMetrics.ascent() / 2 - tickMetrics.descent() / 2),
                             Text(GroupedTickLabel(y, rightTicks.decimals)));
        }
    }
    painter.setPen(QPen(Qt::black, std::max(1.0, 2 * u)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    // Axis titles.
    painter.setFont(axisFont);
    painter.setPen(Qt::black);
    const QString bottomTitle = Text(chart.bottomTitle);
    painter.drawText(QPointF(plot.center().x() - axisMetrics.horizontalAdvance(bottomTitle) / 2,
                             area.bottom() - legendStrip - gap - axisMetrics.descent()),
                     bottomTitle);
    painter.setPen(kLeftColor);
    DrawRotated(painter, QPointF(area.left() + gap + axisMetrics.height() / 2, plot.center().y()),
                -90, Text(chart.leftTitle), axisMetrics);
    if (hasRight) {
        painter.setPen(kRightColor);
        DrawRotated(painter,
                    QPointF(area.right() - gap - axisMetrics.height() / 2, plot.center().y()), 90,
                    Text(chart.rightTitle), axisMetrics);
    }

    // One path per curve, inside the frame: a fixed range may cut a curve, as on screen.
    const double side = std::max(1.0, 4 * u);
    painter.setClipRect(plot);
    for (const ChartCurve& curve : chart.curves) {
        const Frame& frame = curve.rightAxis ? rightFrame : leftFrame;
        QPainterPath path;
        // Points of later cycles fall on those of earlier ones; overlapping squares must add
        // up, not cancel out as with the even-odd rule.
        path.setFillRule(Qt::WindingFill);
        bool started = false;
        for (const PlotPoint& p : curve.points) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
            const QPointF at = frame.Map(p.x, p.y);
            if (curve.pointsOnly) {
                path.addRect(QRectF(at.x() - side / 2, at.y() - side / 2, side, side));
            } else if (!started) {
                path.moveTo(at);
            } else {
                path.lineTo(at);
            }
            started = true;
        }
        if (!started) continue;
        const QColor color = curve.faint ? FaintOf(curve.rgb) : ColorOf(curve.rgb);
        if (curve.pointsOnly) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(color);
        } else {
            painter.setPen(
                QPen(color, std::max(1.0, 2.5 * u), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
        }
        painter.drawPath(path);
    }

    // The legend, on a white ground.
    if (legendBox) {
        painter.setClipping(false);
        painter.setFont(tickFont);
        const QRectF box = *legendBox;
        painter.setPen(QPen(Qt::black, std::max(1.0, u)));
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawRect(box);
        for (std::size_t i = 0; i < chart.legend.size(); ++i) {
            const LegendEntry& entry = chart.legend[i];
            const double y = box.top() + gap / 2 + line * (static_cast<double>(i) + 0.5);
            painter.setPen(
                QPen(entry.faint ? FaintOf(entry.rgb) : ColorOf(entry.rgb), std::max(1.0, 4 * u)));
            painter.drawLine(QPointF(box.left() + gap, y), QPointF(box.left() + gap + sample, y));
            painter.setPen(Qt::black);
            painter.drawText(QPointF(box.left() + 2 * gap + sample,
                                     y + tickMetrics.ascent() / 2 - tickMetrics.descent() / 2),
                             Text(entry.text));
        }
    }
    painter.restore();
    return {plot, legendBox};
}

}  // namespace velmora
