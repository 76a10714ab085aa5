// A held design drawn under the live curves of a chart, with its legend.
#include <QGraphicsTextItem>
#include <cmath>

#include "ui/charts/chart_panel.h"
#include "ui/charts/plot_curve.h"

namespace velmora {

namespace {

QColor Faint(std::uint32_t rgb) {
    const QColor c((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    return QColor(255 - (255 - c.red()) * 2 / 5, 255 - (255 - c.green()) * 2 / 5,
                  255 - (255 - c.blue()) * 2 / 5);
}

}  // namespace

void ChartPanel::SetHeld(const std::vector<ChartCurve>& curves,
                         const std::vector<LegendEntry>& legend) {
    for (PlotCurve* curve : heldCurves_) delete curve;
    heldCurves_.clear();
    held_ = curves;
    legend_ = legend;
    SetLegendAbove(false);
    for (std::size_t i = 0; i < held_.size(); ++i) {
        auto* curve = new PlotCurve(objectName() + "Held" + QString::number(i), chart_, bottom_,
                                    held_[i].rightAxis ? right_ : left_, Faint(held_[i].rgb));
        curve->setZValue(4);  // under the live curves
        curve->SetPoints(held_[i].points);
        heldCurves_.push_back(curve);
    }
    if (legend_.empty()) {
        delete legendItem_;
        legendItem_ = nullptr;
        return;
    }
    if (legendItem_ == nullptr) {
        legendItem_ = new QGraphicsTextItem(chart_);
        legendItem_->setObjectName("ComparisonLegend");
        legendItem_->setZValue(6);
        QFont font = legendItem_->font();
        font.setPointSize(8);
        legendItem_->setFont(font);
        connect(chart_, &QChart::plotAreaChanged, legendItem_, [this] { PlaceLegend(); });
    }
    QString html = "<table style='background: rgba(255,255,255,220)'>";
    for (const LegendEntry& entry : legend_) {
        const QColor colour = entry.faint ? Faint(entry.rgb)
                                          : QColor((entry.rgb >> 16) & 0xFF,
                                                   (entry.rgb >> 8) & 0xFF, entry.rgb & 0xFF);
        html += QString("<tr><td style='color:%1'>&#9473;&#9473;</td><td>%2</td></tr>")
                    .arg(colour.name(), QString::fromStdString(entry.text).toHtmlEscaped());
    }
    legendItem_->setHtml(html + "</table>");
    PlaceLegend();
}

void ChartPanel::paintEvent(QPaintEvent* event) {
    PlaceLegend();
    QChartView::paintEvent(event);
}

QStringList ChartPanel::LegendLines() const {
    QStringList lines;
    for (const LegendEntry& entry : legend_) lines << QString::fromStdString(entry.text);
    return lines;
}

void ChartPanel::PlaceLegend() {
    if (legendItem_ == nullptr) return;
    // In the corner of the plot that no curve, live or held, passes through; above the plot
    // where every corner is crossed.
    const QRectF area = chart_->plotArea();
    const QRectF box = legendItem_->boundingRect();
    // Above: in the band the top margin opens over the title.
    QPointF at(area.right() - box.width(), 2);
    if (!legendAbove_) {
        std::vector<std::vector<PixelPoint>> curves;
        for (const std::vector<PlotCurve*>* list : {&curves_, &heldCurves_})
            for (const PlotCurve* curve : *list) curves.push_back(curve->PixelPoints());
        const LegendPlacement place =
            PlaceLegendBox(curves, {area.left(), area.top(), area.width(), area.height()},
                           box.width(), box.height(), 2);
        if (place.coversCurve) {
            SetLegendAbove(true);  // the plot area changes, and the legend is placed from there
            return;
        }
        at = QPointF(place.box.left, place.box.top);
    }
    if (legendItem_->pos() != at) legendItem_->setPos(at);
}

void ChartPanel::SetLegendAbove(bool above) {
    if (legendAbove_ == above) return;
    legendAbove_ = above;
    const int band = above && legendItem_ != nullptr
                         ? static_cast<int>(std::ceil(legendItem_->boundingRect().height())) + 2
                         : 0;
    chart_->setMargins(QMargins(2, 2 + band, 2, 2));
}

}  // namespace velmora
