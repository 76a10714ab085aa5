#pragma once

#include <QByteArray>
#include <QSize>

#include "export/chart_data.h"

class QImage;

namespace velmora {

inline constexpr int kDefaultImageWidth = 1600;
inline constexpr int kDefaultImageHeight = 1000;

// The chart as an SVG document of `size` units, and as a PNG image of `size` pixels at
// `dotsPerInch` (written into the file); empty when the image could not be made (its pixels
// not allocated, the encoder failed). Both need a QGuiApplication for their fonts.
QByteArray ChartSvg(const ChartData& chart, QSize size);
QByteArray ChartPng(const ChartData& chart, QSize size, int dotsPerInch = 96);

// The chart as an image, for the clipboard; a null image when its pixels could not be had.
QImage ChartImage(const ChartData& chart, QSize size, int dotsPerInch = 96);

}  // namespace velmora
