// Files > "Save to NAME.RBP" (Ctrl+S) beside Save Parameters (Ctrl+Shift+S, with its dialog).
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class QuickSave : public WindowTest {
  protected:
    void StartAndWaitForFirstRun() {
        Start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Runs() > 0; }, 10000));
    }
    QAction* Item() { return Control<QAction>("QuickSave1"); }
    int DialogsShown() { return dialogs->LastFolder.isNull() ? 0 : 1; }
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(QuickSave, DisabledWhileTheTitleNamesDefault) {
    StartAndWaitForFirstRun();
    EXPECT_EQ(window->Caption(), "Velmora -- Default");
    EXPECT_FALSE(Item()->isEnabled());
    EXPECT_EQ(Item()->text(), "Save &to Default.RBP");
    EXPECT_EQ(Item()->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(Control<QAction>("Save1")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Item()->trigger();  // a shortcut cannot reach it; a trigger anyway writes nothing
    EXPECT_FALSE(QFile::exists(Path("Default.RBP")));
}

TEST_F(QuickSave, WritesTheLoadedFileInItsFolderWithoutAnyDialog) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("engines"));
    CopyExample("KESTMORE.RBP", "engines/KESTMORE.RBP");
    StartAndWaitForFirstRun();
    dialogs->LoadAnswers = {Path("engines/KESTMORE.RBP")};
    window->LoadButtonClick();
    EXPECT_EQ(window->Caption(), "Velmora -- KESTMORE");
    ASSERT_TRUE(Item()->isEnabled());
    EXPECT_EQ(Item()->text(), "Save &to KESTMORE.RBP");

    Control<QLineEdit>("EditPistonDiameter")->setText("130");
    dialogs->LastFolder = QString();
    dialogs->LastProposedName = QString();
    dialogs->SaveAnswers = {Path("Elsewhere.RBP")};  // would be taken if a dialog asked
    Item()->trigger();
    EXPECT_TRUE(dialogs->LastFolder.isNull());  // no save dialog
    EXPECT_EQ(dialogs->SaveAnswers.size(), 1);
    EXPECT_TRUE(dialogs->Messages.isEmpty());  // no overwrite question, no failure
    EXPECT_TRUE(ReadAll(Path("engines/KESTMORE.RBP")).contains("=130"));
    EXPECT_FALSE(QFile::exists(Path("Elsewhere.RBP")));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->Caption(), "Velmora -- KESTMORE");
}

TEST_F(QuickSave, FollowsTheFolderOfTheLastSaveAndSaveParametersStillAsks) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("copies"));
    StartAndWaitForFirstRun();
    dialogs->SaveAnswers = {Path("copies/Mine.RBP")};
    TriggerAction(window.get(), "Save1");
    EXPECT_EQ(dialogs->LastProposedName, "Default.RBP");  // Save Parameters asked
    ASSERT_TRUE(QFile::exists(Path("copies/Mine.RBP")));
    ASSERT_TRUE(Item()->isEnabled());
    EXPECT_EQ(Item()->text(), "Save &to Mine.RBP");

    QFile::remove(Path("copies/Mine.RBP"));
    dialogs->LastFolder = QString();
    Item()->trigger();
    EXPECT_TRUE(dialogs->LastFolder.isNull());
    EXPECT_TRUE(QFile::exists(Path("copies/Mine.RBP")));

    // Save Parameters keeps its dialog after a quick save.
    dialogs->SaveAnswers = {QString()};  // cancelled
    TriggerAction(window.get(), "Save1");
    EXPECT_FALSE(dialogs->LastFolder.isNull());
    EXPECT_EQ(dialogs->LastProposedName, "Mine.RBP");
}

TEST_F(QuickSave, AFailedQuickSaveShowsTheSaveMessageAndKeepsTheFile) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("engines"));
    CopyExample("KESTMORE.RBP", "engines/KESTMORE.RBP");
    StartAndWaitForFirstRun();
    dialogs->LoadAnswers = {Path("engines/KESTMORE.RBP")};
    window->LoadButtonClick();
    // The folder goes away (a removed stick, a deleted folder): the save routine's message.
    ASSERT_TRUE(QDir(Path("engines")).removeRecursively());
    Item()->trigger();
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_TRUE(dialogs->Messages.front().startsWith("Unable to write to "))
        << dialogs->Messages.front().toStdString();
    EXPECT_EQ(window->Caption(), "Velmora -- KESTMORE");
}

}  // namespace
}  // namespace velmora::testing
