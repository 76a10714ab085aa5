#pragma once

#include <QDir>
#include <QString>
#include <QTabWidget>
#include <QTest>

#include "ui/support/window_fixture.h"

namespace velmora::testing {

// The folder the pictures go to: $VELMORA_SCREENSHOT_DIR, else /tmp.
inline QString ShotPath(const QString& name) {
    QString folder = QString::fromLocal8Bit(qgetenv("VELMORA_SCREENSHOT_DIR"));
    if (folder.isEmpty()) folder = "/tmp";
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

// A window with its results in; pictures are taken once the computation asked for has shown
// its results and the window has been painted.
class ShotWindow : public WindowTest {
  protected:
    void Load(const char* file) {
        const int before = Runs();
        dialogs->LoadAnswers.push_back(Path(file));
        TriggerAction(window.get(), "Load1");
        SettleAfter(before);
    }
    void Page(const char* name) {
        Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>(name));
    }
    void Shot(QWidget* widget, const QString& name) {
        Settle();
        widget->grab().save(ShotPath(name));
    }
    void Shot(const QString& name) { Shot(window.get(), name); }
};

}  // namespace velmora::testing
