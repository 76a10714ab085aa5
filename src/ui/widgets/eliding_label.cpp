#include "ui/widgets/eliding_label.h"

#include <QPainter>

namespace velmora {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {}

QSize ElidingLabel::minimumSizeHint() const {
    if (wordWrap()) return QLabel::minimumSizeHint();
    return {0, QLabel::minimumSizeHint().height()};
}

QSize ElidingLabel::sizeHint() const {
    if (!wordWrap()) return QLabel::sizeHint();
    const QMargins margins = contentsMargins();
    const int width =
        fontMetrics().horizontalAdvance(text()) + margins.left() + margins.right() + 2 * margin();
    return {width, heightForWidth(width)};
}

void ElidingLabel::paintEvent(QPaintEvent* event) {
    // A label that may wrap shows its whole text on as many lines as it needs.
    if (wordWrap()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(area, static_cast<int>(alignment()) | Qt::TextSingleLine, shown);
}

}  // namespace velmora
