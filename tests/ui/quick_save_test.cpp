// Files > "Save to NAME.RBP" (Ctrl+S) beside Save Parameters (Ctrl+Shift+S, with its dialog).
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

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

TEST_F(QuickSave, WithoutAFileItAsksAsSaveParametersDoes) {
    StartAndWaitForFirstRun();
    EXPECT_EQ(window->Caption(), "Velmora -- Default");
    EXPECT_TRUE(Item()->isEnabled());
    EXPECT_EQ(Item()->text(), "Save &to...");
    EXPECT_EQ(Item()->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(Control<QAction>("Save1")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    dialogs->SaveAnswers = {Path("First.RBP")};
    Item()->trigger();
    EXPECT_EQ(dialogs->LastProposedName, "Default.RBP");
    EXPECT_TRUE(QFile::exists(Path("First.RBP")));
    EXPECT_FALSE(QFile::exists(Path("Default.RBP")));
    EXPECT_EQ(Item()->text(), "Save &to First.RBP");
}

// Letter case and length as the file has them on disk: a file beside it whose name differs
// only in case, or a name longer than the title keeps, is never written instead.
TEST_F(QuickSave, WritesExactlyTheLoadedPath) {
    const QString longName = QString(101, 'x') + ".rbp";  // 105 characters
    for (const QString& name : {QString("case.rbp"), QString("case.RBP"), longName})
        CopyExample("KESTMORE.RBP", name);
    StartAndWaitForFirstRun();
    for (const QString& name : {QString("case.rbp"), longName}) {
        dialogs->LoadAnswers = {Path(name)};
        window->LoadButtonClick();
        Control<QLineEdit>("EditPistonDiameter")->setText("131");
        dialogs->LastFolder = QString();
        Item()->trigger();
        EXPECT_TRUE(dialogs->LastFolder.isNull()) << name.toStdString();
        EXPECT_TRUE(ReadAll(Path(name)).contains("=131")) << name.toStdString();
    }
    EXPECT_FALSE(ReadAll(Path("case.RBP")).contains("=131"));
    EXPECT_EQ(QDir(folder.path()).entryList({"*.rbp", "*.RBP"}, QDir::Files).size(), 3);
}

// The reference engines are checked by their names: an edited design saved under one would be
// reported as a failed validation of the simulator.
TEST_F(QuickSave, AReferenceEngineIsNeverOverwrittenWithoutTheDialog) {
    CopyExample("KESTMORE.RBP");
    StartAndWaitForFirstRun();
    const QByteArray shipped = ReadAll(Path("KESTMORE.RBP"));
    dialogs->LoadAnswers = {Path("KESTMORE.RBP")};
    window->LoadButtonClick();
    EXPECT_EQ(Item()->text(), "Save &to...");
    Control<QLineEdit>("EditPistonDiameter")->setText("131");
    dialogs->SaveAnswers = {QString()};  // cancelled
    Item()->trigger();
    EXPECT_EQ(dialogs->LastProposedName, "KESTMORE.RBP");
    EXPECT_EQ(ReadAll(Path("KESTMORE.RBP")), shipped);
}

// Saved under a new name, the report is the one loading that file gives: no reference marks.
TEST_F(QuickSave, TheReportFollowsTheNewNameAsLoadingItWould) {
    CopyExample("KESTMORE.RBP");
    StartAndWaitForFirstRun();
    dialogs->LoadAnswers = {Path("KESTMORE.RBP")};
    window->LoadButtonClick();
    Settle(2);
    ASSERT_TRUE(window->Session().Driver.Memo2.back().find("validated") != std::string::npos);
    dialogs->SaveAnswers = {Path("Doubled.RBP")};
    const int before = Runs();
    Item()->trigger();
    SettleAfter(before);
    const std::vector<std::string> saved = window->Session().Driver.Memo2;
    for (const std::string& line : saved) EXPECT_EQ(line.find("validated"), std::string::npos);

    dialogs->LoadAnswers = {Path("Doubled.RBP")};
    const int beforeLoad = Runs();
    window->LoadButtonClick();
    SettleAfter(beforeLoad);
    EXPECT_EQ(window->Session().Driver.Memo2, saved);
    EXPECT_EQ(window->Session().Driver.LoadedFileName, Path("Doubled.RBP").toStdString());
}

TEST_F(QuickSave, WritesTheLoadedFileInItsFolderWithoutAnyDialog) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("engines"));
    CopyExample("KESTMORE.RBP", "engines/Engine.RBP");
    StartAndWaitForFirstRun();
    dialogs->LoadAnswers = {Path("engines/Engine.RBP")};
    window->LoadButtonClick();
    EXPECT_EQ(window->Caption(), "Velmora -- Engine");
    ASSERT_TRUE(Item()->isEnabled());
    EXPECT_EQ(Item()->text(), "Save &to Engine.RBP");

    Control<QLineEdit>("EditPistonDiameter")->setText("130");
    dialogs->LastFolder = QString();
    dialogs->LastProposedName = QString();
    dialogs->SaveAnswers = {Path("Elsewhere.RBP")};  // would be taken if a dialog asked
    Item()->trigger();
    EXPECT_TRUE(dialogs->LastFolder.isNull());  // no save dialog
    EXPECT_EQ(dialogs->SaveAnswers.size(), 1);
    EXPECT_TRUE(dialogs->Messages.isEmpty());  // no overwrite question, no failure
    EXPECT_TRUE(ReadAll(Path("engines/Engine.RBP")).contains("=130"));
    EXPECT_FALSE(QFile::exists(Path("Elsewhere.RBP")));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->Caption(), "Velmora -- Engine");
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
    CopyExample("KESTMORE.RBP", "engines/Engine.RBP");
    StartAndWaitForFirstRun();
    dialogs->LoadAnswers = {Path("engines/Engine.RBP")};
    window->LoadButtonClick();
    // The folder goes away (a removed stick, a deleted folder): the save routine's message.
    ASSERT_TRUE(QDir(Path("engines")).removeRecursively());
    Item()->trigger();
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_TRUE(dialogs->Messages.front().startsWith("Unable to write to "))
        << dialogs->Messages.front().toStdString();
    EXPECT_EQ(window->Caption(), "Velmora -- Engine");
}

}  // namespace
}  // namespace velmora::testing
