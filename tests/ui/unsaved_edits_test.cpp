// Loading another file over unsaved edits asks first (save, discard, cancel); the bug list
// opens by itself on the first start only.
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

using Choice = WindowDialogs::UnsavedChoice;

class UnsavedEdits : public WindowTest {
  protected:
    void SetUp() override {
        CopyExample("KESTMORE.RBP", "Mine.RBP");
        CopyExample("BRANDOCK TAPPER.RBP", "Other.RBP");
        StartAndSettle();
        window->BugMemoClick();
        LoadFile("Mine.RBP");
    }
    void LoadFile(const QString& name) {
        dialogs->LoadAnswers = {Path(name)};
        window->LoadButtonClick();
    }
    QLineEdit* Piston() { return Control<QLineEdit>("EditPistonDiameter"); }
    QByteArray Saved() {
        QFile file(Path("Mine.RBP"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(UnsavedEdits, AnUneditedDesignIsReplacedWithoutAQuestion) {
    LoadFile("Other.RBP");
    EXPECT_TRUE(dialogs->UnsavedQuestions.isEmpty());
    EXPECT_EQ(window->Caption(), "Velmora -- Other");
}

TEST_F(UnsavedEdits, CancelKeepsTheEditsAndTheFile) {
    Piston()->setText("131");
    dialogs->UnsavedAnswers = {Choice::Cancel};
    LoadFile("Other.RBP");
    EXPECT_EQ(dialogs->UnsavedQuestions, QStringList{"Mine"});
    EXPECT_EQ(window->Caption(), "Velmora -- Mine");
    EXPECT_EQ(Piston()->text(), "131");
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(UnsavedEdits, SaveWritesTheEditsBeforeTheOtherFileLoads) {
    Piston()->setText("131");
    dialogs->UnsavedAnswers = {Choice::Save};
    LoadFile("Other.RBP");
    EXPECT_TRUE(Saved().contains("Diameter=131"));
    EXPECT_EQ(window->Caption(), "Velmora -- Other");
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(UnsavedEdits, DiscardLoadsAndLeavesTheFileAsItWas) {
    const QByteArray before = Saved();
    Piston()->setText("131");
    dialogs->UnsavedAnswers = {Choice::Discard};
    LoadFile("Other.RBP");
    EXPECT_EQ(dialogs->UnsavedQuestions.size(), 1);
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(window->Caption(), "Velmora -- Other");
}

class BugListStart : public WindowTest {};

TEST_F(BugListStart, OpensOnTheFirstStartOnlyAndTheMenuStillOpensIt) {
    StartAndSettle();
    EXPECT_TRUE(Control<QPlainTextEdit>("BugMemo")->isVisible());
    window.reset();  // quits, as closing the window does
    StartAndSettle();
    EXPECT_FALSE(Control<QPlainTextEdit>("BugMemo")->isVisible());
    TriggerAction(window.get(), "BugList1");
    EXPECT_TRUE(Control<QPlainTextEdit>("BugMemo")->isVisible());
    // The parameter keys are untouched: the flag is in the window's own section.
    QFile state(Path("Default.INI"));
    ASSERT_TRUE(state.open(QIODevice::ReadOnly));
    EXPECT_TRUE(state.readAll().contains("[Window]\nBugListSeen=Yes"));
}

}  // namespace
}  // namespace velmora::testing
