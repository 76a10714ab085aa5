#pragma once

#include <QLabel>

namespace velmora {

// A one-line label that asks for no width of its own: given less room than its text needs,
// it ends the text with "..." instead of widening the window. text() stays the full text.
class ElidingLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmora
