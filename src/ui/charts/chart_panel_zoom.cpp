// Mouse work on a chart: a click picks, a drag zooms (never a click), double click or Esc
// shows the whole chart again, hovering reads values out.
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QToolTip>
#include <cmath>

#include "ui/charts/chart_copier.h"
#include "ui/charts/chart_panel.h"

namespace velmora {

double ChartPanel::ValueAt(const QValueAxis* axis, const QPoint& viewPos) const {
    const QRectF area = chart()->plotArea();
    const QPointF at = chart()->mapFromScene(mapToScene(viewPos));
    if (area.width() <= 0 || area.height() <= 0) return axis->min();
    const double frac = axis->orientation() == Qt::Horizontal
                            ? (at.x() - area.left()) / area.width()
                            : (area.bottom() - at.y()) / area.height();
    return axis->min() + frac * (axis->max() - axis->min());
}

QString ChartPanel::ReadoutAt(const QPoint& viewPos) const {
    if (!readout_) return {};
    const QPointF at = chart()->mapFromScene(mapToScene(viewPos));
    if (!chart()->plotArea().contains(at)) return {};
    return readout_(ValueAt(BottomAxis(), viewPos), ValueAt(LeftAxis(), viewPos), at);
}

void ChartPanel::ZoomTo(const QRect& viewRect) {
    const QRect rect = viewRect.normalized();
    if (rect.width() < 2 || rect.height() < 2) return;
    std::vector<SavedAxis> before;
    for (QValueAxis* axis : {BottomAxis(), LeftAxis(), RightAxis()})
        before.push_back({axis, axis->min(), axis->max(), axis->tickInterval(), axis->tickAnchor(),
                          axis->tickType(), axis->tickCount(), axis->labelFormat()});
    for (QValueAxis* axis : {BottomAxis(), LeftAxis(), RightAxis()}) {
        const double a = ValueAt(axis, rect.topLeft());
        const double b = ValueAt(axis, rect.bottomRight());
        if (!std::isfinite(a) || !std::isfinite(b) || a == b) return;
        ApplyScale(axis, AutoScale(std::min(a, b), std::max(a, b)));
    }
    if (saved_.empty()) saved_ = std::move(before);  // a zoom inside a zoom resets to the whole
}

void ChartPanel::ResetZoom() {
    for (const SavedAxis& s : saved_) {
        s.axis->setTickType(QValueAxis::TicksFixed);
        s.axis->setRange(s.min, s.max);
        s.axis->setTickCount(s.count);
        if (s.type == QValueAxis::TicksDynamic) {
            s.axis->setTickAnchor(s.anchor);
            s.axis->setTickInterval(s.interval);
            s.axis->setTickType(QValueAxis::TicksDynamic);
        }
        s.axis->setLabelFormat(s.format);
    }
    saved_.clear();
}

int ChartPanel::UnzoomedX(int x) const {
    if (saved_.empty()) return x;
    const SavedAxis& bottom = saved_.front();
    const int left = PlotLeft();
    const int right = PlotRight();
    const double value = ValueAt(BottomAxis(), QPoint(x, 0));
    if (bottom.max == bottom.min) return x;
    return left + static_cast<int>(std::lround((value - bottom.min) / (bottom.max - bottom.min) *
                                               (right - left)));
}

void ChartPanel::mousePressEvent(QMouseEvent* event) {
    QChartView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    pressAt_ = event->position().toPoint();
    pressed_ = true;
    dragging_ = false;
}

void ChartPanel::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    if (pressed_ && (event->buttons() & Qt::LeftButton) != 0) {
        if (!dragging_ && (at - pressAt_).manhattanLength() >= QApplication::startDragDistance()) {
            dragging_ = true;
            if (band_ == nullptr) band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
        }
        if (dragging_) {
            band_->setGeometry(QRect(pressAt_, at).normalized());
            band_->show();
        }
        return;
    }
    const QString text = ReadoutAt(at);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

bool ChartPanel::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !pressed_) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ReadoutAt(help->pos());
        if (!text.isEmpty()) {
            QToolTip::showText(help->globalPos(), text, this);
            return true;
        }
    }
    return QChartView::viewportEvent(event);
}

void ChartPanel::mouseReleaseEvent(QMouseEvent* event) {
    QChartView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    if (dragging_) {
        dragging_ = false;
        if (band_ != nullptr) band_->hide();
        ZoomTo(QRect(pressAt_, event->position().toPoint()));
        return;
    }
    EmitClick(pressAt_);
}

void ChartPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    QChartView::mouseDoubleClickEvent(event);
    ResetZoom();
}

void ChartPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && IsZoomed()) {
        ResetZoom();
        return;
    }
    QChartView::keyPressEvent(event);
}

}  // namespace velmora
