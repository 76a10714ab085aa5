#pragma once

#include <QGuiApplication>

namespace velmora::cli {

// The application object that drawing text needs, on the offscreen platform unless
// QT_QPA_PLATFORM names another: the command line renders without a display.
class OffscreenGui {
  public:
    OffscreenGui();

  private:
    int argc_ = 1;
    char name_[12] = "velmora-cli";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication app_;
};

}  // namespace velmora::cli
