#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTextBrowser>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

// The window run from an installed tree: <root>/bin beside <root>/share/velmora, with the
// user's configuration folder under the test's own folder.
class InstalledLayout : public WindowTest {
  protected:
    void SetUp() override {
        savedConfig_ = qgetenv("XDG_CONFIG_HOME");
        QDir(folder.path()).mkpath("bin");
        QDir(folder.path()).mkpath("share/velmora");
        CopyExample("Default.INI", "share/velmora/Default.INI");
        CopyExample("Help.RTF", "share/velmora/Help.RTF");
    }
    void TearDown() override {
        WindowTest::TearDown();
        qputenv("XDG_CONFIG_HOME", savedConfig_);
    }
    void StartInstalled() {
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        window = std::make_unique<TForm1>(Path("bin"), std::move(scripted));
        window->show();
        Settle(1);
    }
    QByteArray savedConfig_;
};

TEST_F(InstalledLayout, StateLivesInTheConfigFolderSeededFromTheShippedFile) {
    qputenv("XDG_CONFIG_HOME", Path("cfg").toUtf8());
    StartInstalled();
    const QString state = Path("cfg/velmora/Default.INI");
    EXPECT_TRUE(QFileInfo::exists(state));
    // The shipped engine was loaded from the seeded copy.
    EXPECT_EQ(FindControl<QLineEdit>(window.get(), "EditDispDiameter")->text(), "127.2");
    TriggerAction(window.get(), "Save1");  // cancelled; shows where the dialog starts
    EXPECT_NE(QDir(dialogs->LastFolder), QDir(Path("bin")));

    FindControl<QLineEdit>(window.get(), "EditDispDiameter")->setText("130");
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs->Messages.isEmpty());
    QFile saved(state);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("Diameter=130"));
    EXPECT_FALSE(QFileInfo::exists(Path("bin/Default.INI")));
    // The shipped file is never written.
    QFile shipped(Path("share/velmora/Default.INI"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_FALSE(shipped.readAll().contains("Diameter=130"));
}

TEST_F(InstalledLayout, HelpComesFromTheSharedDataFolder) {
    qputenv("XDG_CONFIG_HOME", Path("cfg").toUtf8());
    StartInstalled();
    TriggerAction(window.get(), "Help1");
    window->HelpSheetShow();
    EXPECT_TRUE(dialogs->Messages.isEmpty());
    EXPECT_FALSE(FindControl<QTextBrowser>(window.get(), "RichEdit1")->document()->isEmpty());
}

TEST_F(InstalledLayout, UnwritableConfigFolderGivesTheWriteMessageAtExitOnly) {
    QFile blocker(Path("cfg"));  // a file where the configuration folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", Path("cfg").toUtf8());
    StartInstalled();
    EXPECT_TRUE(dialogs->Messages.isEmpty());
    EXPECT_EQ(FindControl<QLineEdit>(window.get(), "EditDispDiameter")->text(), "127.2");
    EXPECT_TRUE(window->close());
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_EQ(dialogs->Messages.front(), "Unable to write to " + Path("cfg/velmora/Default.INI"));
}

// As at a log-out or SIGTERM: the same unwritable state, but no dialog waits for a click; the
// failure goes to standard error and the window closes.
TEST_F(InstalledLayout, UnattendedCloseNeverWaitsOnADialog) {
    QFile blocker(Path("cfg"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", Path("cfg").toUtf8());
    StartInstalled();
    window->CloseUnattended();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs->Messages.isEmpty());
}

// A save killed mid-way leaves ".Default.INI.tmp-PID-HEX" beside the state file; the next
// start removes it when its process is gone, and keeps everything else.
TEST_F(InstalledLayout, StartRemovesTemporaryFilesOfKilledSaves) {
    qputenv("XDG_CONFIG_HOME", Path("cfg").toUtf8());
    QDir(folder.path()).mkpath("cfg/velmora");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const QString stale = Path("cfg/velmora/.Default.INI.tmp-%1-5eed").arg(child);
    const QString notes = Path("cfg/velmora/notes.txt");
    for (const QString& name : {stale, notes}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.close();
        // Written well before this window started.
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
        file.close();
    }
    StartInstalled();
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo::exists(notes));
}

}  // namespace
}  // namespace velmora::testing
