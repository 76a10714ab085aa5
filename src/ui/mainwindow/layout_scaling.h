#pragma once

#include <QSize>

class QWidget;

namespace velmora {

// The layout is designed at 96 pixels per inch; on other screens at least 800 pixels wide it
// is shrunk once by this factor.
constexpr double kLayoutScaleFactor = 100.0 / 130.0;

bool ShouldScaleLayout(bool layoutScaled, int screenPixelsPerInch, int screenWidth);

// Shrinks the fonts and the fixed sizes of every control of `window` by `factor`, and the
// geometry of controls outside any layout (marked with the property "placedByHand").
void ScaleWidgetTree(QWidget* window, double factor);

// The client size that fits the scaled controls: the scaled client size with 12 pixels more
// width, never below what the layouts need.
QSize ScaledClientSize(QSize client, QSize minimum, double factor);

}  // namespace velmora
