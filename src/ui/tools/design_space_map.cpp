#include "ui/tools/design_space_map.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

#include "export/axis_scale.h"
#include "ui/charts/chart_panel.h"

namespace velmora {

namespace {

// A tick or contour value as the window's charts write numbers: round, grouped, no "-0".
QString Number(double value, int decimals) {
    const QString text = ChartLocale().toString(value, 'f', decimals);
    return text.startsWith('-') && ChartLocale().toDouble(text) == 0 ? text.mid(1) : text;
}

bool LogAxis(const std::vector<double>& axis) {
    return axis.size() > 2 && axis.front() > 0 &&
           std::fabs((axis[1] - axis[0]) - (axis[2] - axis[1])) >
               1e-9 * std::fabs(axis[2] - axis[0]);
}

const QBrush& OverdrivenBrush() {
    static const QBrush brush(QColor(255, 255, 255, 200), Qt::BDiagPattern);
    return brush;
}

const QBrush& WillNotRunBrush() {
    static const QBrush brush(QColor(200, 0, 0, 230), Qt::DiagCrossPattern);
    return brush;
}

}  // namespace

double AxisFraction(const std::vector<double>& axis, double value) {
    if (axis.size() < 2 || axis.back() == axis.front()) return 0;
    if (LogAxis(axis)) return std::log(value / axis.front()) / std::log(axis.back() / axis.front());
    return (value - axis.front()) / (axis.back() - axis.front());
}

std::vector<double> MapTicks(const std::vector<double>& axis, int& decimals) {
    decimals = 0;
    if (axis.empty()) return {};
    const double low = std::min(axis.front(), axis.back());
    const double high = std::max(axis.front(), axis.back());
    if (!(high > low)) {
        decimals = AutoScale(low, low).decimals + 1;
        return {axis.front()};
    }
    const double slack = (high - low) * 1e-9;
    std::vector<double> ticks;
    if (LogAxis(axis) && high / low > 20) {
        for (double decade = std::pow(10.0, std::floor(std::log10(low))); decade <= high;
             decade *= 10) {
            for (const double m : {1.0, 2.0, 5.0}) {
                const double value = m * decade;
                if (value >= low - slack && value <= high + slack) ticks.push_back(value);
            }
            decimals = std::max(decimals, AutoScale(0, decade * 5).decimals);
        }
        return ticks;
    }
    const AxisScale scale = AutoScale(low, high);
    decimals = scale.decimals;
    for (const double value : ScaleStepValues(scale))
        if (value >= low - slack && value <= high + slack) ticks.push_back(value);
    return ticks;
}

QColor MapColour(double t) {
    // Stops of a perceptually even scale, readable in grey as well.
    static const std::array<QColor, 5> stops{QColor(68, 1, 84), QColor(59, 82, 139),
                                             QColor(33, 145, 140), QColor(94, 201, 98),
                                             QColor(253, 231, 37)};
    t = std::clamp(t, 0.0, 1.0) * (stops.size() - 1);
    const auto low = static_cast<std::size_t>(std::min(std::floor(t), double(stops.size() - 2)));
    const double f = t - static_cast<double>(low);
    const QColor& a = stops[low];
    const QColor& b = stops[low + 1];
    return QColor::fromRgbF(static_cast<float>(a.redF() + f * (b.redF() - a.redF())),
                            static_cast<float>(a.greenF() + f * (b.greenF() - a.greenF())),
                            static_cast<float>(a.blueF() + f * (b.blueF() - a.blueF())));
}

DesignSpaceMap::DesignSpaceMap(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(320, 240);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void DesignSpaceMap::SetData(Data data) {
    data_ = std::move(data);
    update();
}

QRect DesignSpaceMap::PlotRect() const {
    const int line = QFontMetrics(font()).height();
    return QRect(QPoint(70, 10 + line), QPoint(width() - 100, height() - 14 - 3 * line));
}

QPointF DesignSpaceMap::ToWidget(double i, double j) const {
    const QRect plot = PlotRect();
    const double nx = static_cast<double>(std::max<std::size_t>(data_.x.size(), 1));
    const double ny = static_cast<double>(std::max<std::size_t>(data_.y.size(), 1));
    return {plot.left() + (i + 0.5) * plot.width() / nx,
            plot.bottom() - (j + 0.5) * plot.height() / ny};
}

int DesignSpaceMap::CellAt(QPoint position) const {
    const QRect plot = PlotRect();
    if (data_.x.empty() || data_.y.empty() || !plot.contains(position)) return -1;
    const auto nx = static_cast<int>(data_.x.size());
    const auto ny = static_cast<int>(data_.y.size());
    const int i =
        std::clamp((position.x() - plot.left()) * nx / std::max(plot.width(), 1), 0, nx - 1);
    const int j =
        std::clamp((plot.bottom() - position.y()) * ny / std::max(plot.height(), 1), 0, ny - 1);
    return i * ny + j;
}

QPoint DesignSpaceMap::CellCentre(int cell) const {
    const auto ny = static_cast<int>(std::max<std::size_t>(data_.y.size(), 1));
    return ToWidget(cell / ny, cell % ny).toPoint();
}

void DesignSpaceMap::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect plot = PlotRect();
    const auto nx = static_cast<int>(data_.x.size());
    const auto ny = static_cast<int>(data_.y.size());
    painter.setPen(palette().color(QPalette::Text));
    if (nx == 0 || ny == 0 || data_.values.size() != static_cast<std::size_t>(nx) * ny) {
        painter.drawText(rect(), Qt::AlignCenter, "Choose two inputs and press Start");
        return;
    }

    double low = 0;
    double high = 0;
    bool any = false;
    for (const std::optional<double>& v : data_.values) {
        if (!v || !std::isfinite(*v)) continue;
        low = any ? std::min(low, *v) : *v;
        high = any ? std::max(high, *v) : *v;
        any = true;
    }
    // The colour scale runs over the colour bar's round range, so its ticks read off exactly.
    const AxisScale bar = ColourBarScale(low, high);
    const double span = bar.max > bar.min ? bar.max - bar.min : 1;

    // Cells, then the overdriven ones hatched and those that will not run cross-hatched.
    const double cw = static_cast<double>(plot.width()) / nx;
    const double ch = static_cast<double>(plot.height()) / ny;
    auto cellRect = [&](std::size_t k) {
        const int i = static_cast<int>(k) / ny;
        const int j = static_cast<int>(k) % ny;
        return QRectF(plot.left() + i * cw, plot.bottom() - (j + 1) * ch, cw + 0.5, ch + 0.5);
    };
    for (std::size_t k = 0; k < data_.values.size(); ++k) {
        const std::optional<double>& v = data_.values[k];
        painter.fillRect(cellRect(k), v ? MapColour((*v - bar.min) / span) : QColor(225, 225, 225));
    }
    for (std::size_t k = 0; k < data_.overdriven.size(); ++k)
        if (data_.overdriven[k]) painter.fillRect(cellRect(k), OverdrivenBrush());
    for (std::size_t k = 0; k < data_.willNotRun.size(); ++k)
        if (data_.willNotRun[k]) painter.fillRect(cellRect(k), WillNotRunBrush());

    // Contour lines at the colour bar's inner ticks through the cell centres (marching
    // squares, lines joined per square), each labelled with its value near the middle.
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetrics metrics(font());
    if (any && high > low) {
        const std::vector<double> levels = ScaleStepValues(bar);
        for (std::size_t level = 1; level + 1 < levels.size(); ++level) {
            const double c = levels[level];
            QLineF labelAt;
            double labelDistance = INFINITY;
            painter.setPen(QPen(QColor(20, 20, 20, 170), 1));
            for (int i = 0; i + 1 < nx; ++i) {
                for (int j = 0; j + 1 < ny; ++j) {
                    const std::array<std::pair<int, int>, 4> corner{
                        {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}}};
                    std::array<double, 4> v{};
                    bool complete = true;
                    for (int q = 0; q < 4; ++q) {
                        const std::optional<double>& value =
                            data_.values[static_cast<std::size_t>(corner[q].first) * ny +
                                         corner[q].second];
                        complete = complete && value.has_value();
                        if (value) v[q] = *value;
                    }
                    if (!complete) continue;
                    std::vector<QPointF> crossings;
                    for (int q = 0; q < 4; ++q) {
                        const double a = v[q];
                        const double b = v[(q + 1) % 4];
                        if ((a < c) == (b < c)) continue;
                        const double f = (c - a) / (b - a);
                        const auto [ai, aj] = corner[q];
                        const auto [bi, bj] = corner[(q + 1) % 4];
                        crossings.push_back(ToWidget(ai + f * (bi - ai), aj + f * (bj - aj)));
                    }
                    for (std::size_t p = 0; p + 1 < crossings.size(); p += 2) {
                        const QLineF segment(crossings[p], crossings[p + 1]);
                        painter.drawLine(segment);
                        const double d = QLineF(segment.center(), plot.center()).length();
                        if (d < labelDistance) {
                            labelDistance = d;
                            labelAt = segment;
                        }
                    }
                }
            }
            if (std::isfinite(labelDistance)) {
                const QString text = Number(c, bar.decimals);
                QRectF box(0, 0, metrics.horizontalAdvance(text) + 4, metrics.height());
                box.moveCenter(labelAt.center());
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(255, 255, 255, 190));
                painter.drawRect(box);
                painter.setPen(QColor(20, 20, 20));
                painter.drawText(box, Qt::AlignCenter, text);
                painter.setBrush(Qt::NoBrush);
            }
        }
    }

    // The current design.
    if (data_.markerX && data_.markerY && nx > 1 && ny > 1) {
        const double fx = AxisFraction(data_.x, *data_.markerX);
        const double fy = AxisFraction(data_.y, *data_.markerY);
        if (fx >= 0 && fx <= 1 && fy >= 0 && fy <= 1) {
            const QPointF at = ToWidget(fx * (nx - 1), fy * (ny - 1));
            painter.setPen(QPen(Qt::red, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, 5, 5);
        }
    }

    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintAxes(painter);
    if (any) PaintColourBar(painter, bar);
    PaintLegend(painter);
}

void DesignSpaceMap::PaintAxes(QPainter& painter) const {
    const QRect plot = PlotRect();
    const auto nx = static_cast<int>(data_.x.size());
    const auto ny = static_cast<int>(data_.y.size());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(plot);
    const QFontMetrics metrics(font());
    int decimals = 0;
    for (const double value : MapTicks(data_.x, decimals)) {
        const QPointF at = ToWidget(AxisFraction(data_.x, value) * (nx - 1), 0);
        const QString label = Number(value, decimals);
        painter.drawLine(QPointF(at.x(), plot.bottom()), QPointF(at.x(), plot.bottom() + 4));
        painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(label) / 2.0,
                                 plot.bottom() + 6 + metrics.ascent()),
                         label);
    }
    for (const double value : MapTicks(data_.y, decimals)) {
        const QPointF at = ToWidget(0, AxisFraction(data_.y, value) * (ny - 1));
        const QString label = Number(value, decimals);
        painter.drawLine(QPointF(plot.left() - 4, at.y()), QPointF(plot.left(), at.y()));
        painter.drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(label),
                                 at.y() + metrics.ascent() / 2.0 - 1),
                         label);
    }
    painter.drawText(
        QRect(plot.left(), plot.bottom() + 8 + metrics.height(), plot.width(), metrics.height()),
        Qt::AlignCenter, data_.xTitle);
    painter.save();
    painter.translate(14, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-plot.height() / 2, -metrics.ascent(), plot.height(), metrics.height()),
                     Qt::AlignCenter, data_.yTitle);
    painter.restore();
    painter.drawText(QRect(4, 4, width() - 8, metrics.height()), Qt::AlignCenter,
                     metrics.elidedText(data_.valueTitle, Qt::ElideRight, width() - 8));
}

void DesignSpaceMap::PaintColourBar(QPainter& painter, const AxisScale& scale) const {
    const QRect plot = PlotRect();
    const QRect bar(plot.right() + 14, plot.top(), 14, plot.height());
    for (int y = 0; y < bar.height(); ++y)
        painter.fillRect(QRect(bar.left(), bar.bottom() - y, bar.width(), 1),
                         MapColour(static_cast<double>(y) / std::max(bar.height() - 1, 1)));
    painter.drawRect(bar);
    const QFontMetrics metrics(font());
    const double span = scale.max > scale.min ? scale.max - scale.min : 1;
    for (const double value : ScaleStepValues(scale)) {
        const double y = bar.bottom() - (value - scale.min) / span * bar.height();
        painter.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 4, y));
        painter.drawText(QPointF(bar.right() + 6, y + metrics.ascent() / 2.0 - 1),
                         Number(value, scale.decimals));
    }
}

void DesignSpaceMap::PaintLegend(QPainter& painter) const {
    // What the marks mean, below the axis title: a swatch of each and its meaning.
    const QFontMetrics metrics(font());
    const QRect plot = PlotRect();
    int x = plot.left();
    const int y = plot.bottom() + 10 + 2 * metrics.height();
    const QColor cell = MapColour(0.45);
    auto item = [&](const QBrush& brush, const QString& text) {
        const QRect swatch(x, y + (metrics.height() - 12) / 2, 18, 12);
        painter.fillRect(swatch, cell);
        painter.fillRect(swatch, brush);
        painter.drawRect(swatch);
        painter.drawText(QPointF(x + 24, y + metrics.ascent()), text);
        x += 24 + metrics.horizontalAdvance(text) + 18;
    };
    item(OverdrivenBrush(), "overdriven");
    item(WillNotRunBrush(), "will not run (Beta < 1)");
    QPen marker(Qt::red, 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(marker);
    painter.drawEllipse(QPointF(x + 6, y + metrics.height() / 2.0), 5, 5);
    painter.restore();
    painter.drawText(QPointF(x + 16, y + metrics.ascent()), "current design");
}

void DesignSpaceMap::mouseMoveEvent(QMouseEvent* event) {
    const int cell = CellAt(event->position().toPoint());
    if (cell >= 0) emit CellHovered(cell);
}

void DesignSpaceMap::mousePressEvent(QMouseEvent* event) {
    const int cell = CellAt(event->position().toPoint());
    if (cell >= 0 && event->button() == Qt::LeftButton) emit CellClicked(cell);
}

}  // namespace velmora
