#include "ui/pages/graphs/engine_image.h"

#include <QPainter>

namespace velmora {

EngineImage::EngineImage(int width, int height, QWidget* parent)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    setFixedSize(width, height);
}

void EngineImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

}  // namespace velmora
