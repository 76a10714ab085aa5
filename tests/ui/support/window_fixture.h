#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "ui/mainwindow/main_window.h"
#include "ui/support/find_control.h"

namespace velmora::testing {

// A window whose executable folder is a fresh temporary folder and whose dialogs answer from
// the test's script.
class WindowTest : public ::testing::Test {
  protected:
    void TearDown() override { window.reset(); }

    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }

    // Copies a shipped example file into the window's folder under `as` (or its own name).
    void CopyExample(const QString& name, const QString& as = {}) {
        const QString source =
            QString::fromLocal8Bit(qgetenv("VELMORA_SOURCE_DIR")) + "/examples/" + name;
        ASSERT_TRUE(QFile::copy(source, Path(as.isEmpty() ? name : as))) << source.toStdString();
    }

    // Creates and shows the window; the first computation follows 100 ms later.
    void Start() {
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        window = std::make_unique<TForm1>(folder.path(), std::move(scripted));
        window->show();
    }

    // Shows the window and waits for the start-up computation.
    void StartAndSettle() {
        Start();
        WaitMs(300);
    }

    // KESTMORE as the design the window starts with, its first run over, the start-up bug
    // list closed.
    void StartWithEngine() {
        CopyExample("KESTMORE.RBP", "Default.INI");
        StartAndSettle();
        window->BugMemoClick();
    }

    int Runs() { return window->Session().Driver.RunCount(); }

    template <class T>
    T* Control(const char* name) {
        return FindControl<T>(window.get(), name);
    }

    QTemporaryDir folder;
    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<TForm1> window;
};

}  // namespace velmora::testing
