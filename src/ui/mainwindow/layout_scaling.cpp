#include "ui/mainwindow/layout_scaling.h"

#include <QLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "report/number_text.h"

namespace velmora {

namespace {

constexpr const char* kPlacedByHand = "placedByHand";

int Scaled(int pixels, double factor) {
    return static_cast<int>(RoundHalfEven(pixels * factor));
}

void ScaleFont(QWidget* widget, double factor) {
    if (!widget->testAttribute(Qt::WA_SetFont)) return;  // inherits the parent's scaled font
    QFont font = widget->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, Scaled(font.pixelSize(), factor)));
    widget->setFont(font);
}

void ScaleFixedSize(QWidget* widget, double factor) {
    const QSize min = widget->minimumSize();
    const QSize max = widget->maximumSize();
    if (min.width() == max.width() && min.width() > 0)
        widget->setFixedWidth(Scaled(min.width(), factor));
    if (min.height() == max.height() && min.height() > 0)
        widget->setFixedHeight(Scaled(min.height(), factor));
}

}  // namespace

bool ShouldScaleLayout(bool layoutScaled, int screenPixelsPerInch, int screenWidth) {
    return !layoutScaled && screenPixelsPerInch != 96 && screenWidth >= 800;
}

void ScaleWidgetTree(QWidget* window, double factor) {
    ScaleFont(window, factor);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        ScaleFont(child, factor);
        ScaleFixedSize(child, factor);
        if (child->property(kPlacedByHand).toBool()) {
            const QRect g = child->geometry();  // placed by hand, like the bug list
            child->setGeometry(Scaled(g.x(), factor), Scaled(g.y(), factor),
                               Scaled(g.width(), factor), Scaled(g.height(), factor));
        }
    }
}

QSize ScaledClientSize(QSize client, QSize minimum, double factor) {
    return QSize(std::max(minimum.width(), Scaled(client.width(), factor) + 12),
                 std::max(minimum.height(), Scaled(client.height(), factor)));
}

}  // namespace velmora
