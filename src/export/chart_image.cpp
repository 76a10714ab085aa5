#include "export/chart_image.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "export/chart_painter.h"
#include "export/memory_headroom.h"

namespace velmora {

QByteArray ChartSvg(const ChartData& chart, QSize size) {
    if (!HasMemoryHeadroom()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QString::fromStdString(chart.title));
    generator.setDescription("Velmora chart");
    {
        QPainter painter(&generator);
        PaintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), chart);
    }
    return bytes;
}

QImage ChartImage(const ChartData& chart, QSize size, int dotsPerInch) {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull() || !HasMemoryHeadroom())
        return {};  // no room for the pixels or the painting
    image.fill(Qt::white);
    const auto dotsPerMeter = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    PaintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), chart);
    return image;
}

QByteArray ChartPng(const ChartData& chart, QSize size, int dotsPerInch) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = ChartImage(chart, size, dotsPerInch);
    // No image, or one the encoder could not finish: nothing rather than a part.
    if (image.isNull() || !image.save(&buffer, "PNG")) return {};
    return bytes;
}

}  // namespace velmora
