#include "ui/tools/design_space_map.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

namespace velmora {

namespace {

constexpr int kContourLevels = 8;

QString Number(double value) {
    return QString::number(value, 'g', 4);
}

}  // namespace

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
    return QRect(QPoint(70, 28), QPoint(width() - 100, height() - 48));
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
    const double span = high > low ? high - low : 1;

    // Cells.
    const double cw = static_cast<double>(plot.width()) / nx;
    const double ch = static_cast<double>(plot.height()) / ny;
    for (int i = 0; i < nx; ++i) {
        for (int j = 0; j < ny; ++j) {
            const std::size_t k = static_cast<std::size_t>(i) * ny + j;
            const QRectF cell(plot.left() + i * cw, plot.bottom() - (j + 1) * ch, cw + 0.5,
                              ch + 0.5);
            const std::optional<double>& v = data_.values[k];
            painter.fillRect(cell, v ? MapColour((*v - low) / span) : QColor(225, 225, 225));
        }
    }
    // Overdriven cells: hatched.
    const QBrush hatch(QColor(255, 255, 255, 200), Qt::BDiagPattern);
    for (std::size_t k = 0; k < data_.overdriven.size(); ++k) {
        if (!data_.overdriven[k]) continue;
        const int i = static_cast<int>(k) / ny;
        const int j = static_cast<int>(k) % ny;
        painter.fillRect(
            QRectF(plot.left() + i * cw, plot.bottom() - (j + 1) * ch, cw + 0.5, ch + 0.5), hatch);
    }

    // Contour lines through the cell centres (marching squares, lines joined per square).
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(20, 20, 20, 170), 1));
    if (any && high > low) {
        for (int level = 1; level < kContourLevels; ++level) {
            const double c = low + span * level / kContourLevels;
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
                    for (std::size_t p = 0; p + 1 < crossings.size(); p += 2)
                        painter.drawLine(crossings[p], crossings[p + 1]);
                }
            }
        }
    }

    // The current design.
    if (data_.markerX && data_.markerY && data_.x.size() > 1 && data_.y.size() > 1) {
        auto fraction = [](const std::vector<double>& axis, double value) {
            const bool log = axis.size() > 2 && axis.front() > 0 &&
                             std::fabs((axis[1] - axis[0]) - (axis[2] - axis[1])) >
                                 1e-9 * std::fabs(axis[2] - axis[0]);
            if (log) return std::log(value / axis.front()) / std::log(axis.back() / axis.front());
            return (value - axis.front()) / (axis.back() - axis.front());
        };
        const double fx = fraction(data_.x, *data_.markerX);
        const double fy = fraction(data_.y, *data_.markerY);
        if (fx >= 0 && fx <= 1 && fy >= 0 && fy <= 1) {
            const QPointF at = ToWidget(fx * (nx - 1), fy * (ny - 1));
            painter.setPen(QPen(Qt::red, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, 5, 5);
        }
    }

    // Frame, axis values and titles.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(plot);
    const QFontMetrics metrics(font());
    for (int t = 0; t < 5; ++t) {
        const int i = (nx - 1) * t / 4;
        const QPointF at = ToWidget(i, 0);
        const QString label = Number(data_.x[i]);
        painter.drawLine(QPointF(at.x(), plot.bottom()), QPointF(at.x(), plot.bottom() + 4));
        painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(label) / 2.0,
                                 plot.bottom() + 6 + metrics.ascent()),
                         label);
        const int j = (ny - 1) * t / 4;
        const QPointF atY = ToWidget(0, j);
        const QString yLabel = Number(data_.y[j]);
        painter.drawLine(QPointF(plot.left() - 4, atY.y()), QPointF(plot.left(), atY.y()));
        painter.drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(yLabel),
                                 atY.y() + metrics.ascent() / 2.0 - 1),
                         yLabel);
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

    // Colour bar with its end values.
    const QRect bar(plot.right() + 14, plot.top(), 14, plot.height());
    for (int y = 0; y < bar.height(); ++y)
        painter.fillRect(QRect(bar.left(), bar.bottom() - y, bar.width(), 1),
                         MapColour(static_cast<double>(y) / std::max(bar.height() - 1, 1)));
    painter.drawRect(bar);
    const QString title = metrics.elidedText(
        data_.valueTitle + "; hatched: overdriven (engine speed above Omega Bar)", Qt::ElideRight,
        width() - 8);
    painter.drawText(QRect(4, 4, width() - 8, metrics.height()), Qt::AlignCenter, title);
    if (any) {
        painter.drawText(QPointF(bar.right() + 4, bar.top() + metrics.ascent()), Number(high));
        painter.drawText(QPointF(bar.right() + 4, bar.bottom()), Number(low));
    }
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
