#pragma once

#include <QLabel>

namespace velmora {

// A one-line label that asks for no width of its own: given less room than its text needs,
// (unless word wrap is set: then it wraps as a label does)
// it ends the text with "..." instead of widening the window. text() stays the full text.
class ElidingLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // With word wrap: the one-line width, so that the text takes one line where it has room.
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmora
