#pragma once

#include <QImage>
#include <QWidget>

namespace velmora {

// The animation surface of the Graphs page: a fixed-size raster that the engine drawing
// paints into and the widget shows as it stands.
class EngineImage : public QWidget {
    Q_OBJECT
  public:
    EngineImage(int width, int height, QWidget* parent = nullptr);

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};

}  // namespace velmora
