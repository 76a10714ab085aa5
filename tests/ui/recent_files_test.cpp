#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class RecentFiles : public WindowTest {
  protected:
    QStringList Entries() {
        QStringList paths;
        for (QAction* item : Control<QMenu>("RecentFiles1")->actions())
            paths << item->data().toString();
        return paths;
    }
};

TEST_F(RecentFiles, LoadedAndSavedFilesSurviveARestartAndADeletedOneIsDropped) {
    CopyExample("KESTMORE.RBP");
    CopyExample("BRANDOCK TAPPER.RBP");
    StartAndSettle();
    window->BugMemoClick();
    EXPECT_TRUE(Entries().isEmpty());
    dialogs->LoadAnswers << Path("KESTMORE.RBP") << Path("BRANDOCK TAPPER.RBP");
    TriggerAction(window.get(), "Load1");
    dialogs->SaveAnswers << Path("Mine.RBP");
    TriggerAction(window.get(), "Save1");
    TriggerAction(window.get(), "Load1");
    const QStringList expected = {Path("BRANDOCK TAPPER.RBP"), Path("Mine.RBP"),
                                  Path("KESTMORE.RBP")};
    EXPECT_EQ(Entries(), expected);

    window.reset();
    StartAndSettle();
    EXPECT_EQ(Entries(), expected);
    // The 56 keys of the window are still read as before.
    EXPECT_EQ(window->Caption(), "Velmora -- Default");

    // Picking an entry loads it as Load Parameters does.
    TriggerAction(window.get(), "RecentFile3");
    EXPECT_EQ(window->Caption(), "Velmora -- KESTMORE");
    EXPECT_EQ(Control<QLineEdit>("EditDispDiameter")->text(), "127.2");
    EXPECT_EQ(Entries().front(), Path("KESTMORE.RBP"));

    ASSERT_TRUE(QFile::remove(Path("Mine.RBP")));
    TriggerAction(window.get(), "RecentFile3");
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_TRUE(dialogs->Messages.front().contains(Path("Mine.RBP")));
    EXPECT_EQ(window->Caption(), "Velmora -- KESTMORE");
    EXPECT_EQ(Entries(), (QStringList{Path("KESTMORE.RBP"), Path("BRANDOCK TAPPER.RBP")}));

    window.reset();
    StartAndSettle();
    EXPECT_EQ(Entries(), (QStringList{Path("KESTMORE.RBP"), Path("BRANDOCK TAPPER.RBP")}));
}

TEST_F(RecentFiles, FilesAndHelpHaveTheirShortcuts) {
    StartAndSettle();
    EXPECT_EQ(Control<QAction>("Load1")->shortcut(), QKeySequence("Ctrl+O"));
    // Ctrl+S is the quick save's; Save Parameters with its dialog moved to Ctrl+Shift+S.
    EXPECT_EQ(Control<QAction>("QuickSave1")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(Control<QAction>("Save1")->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(Control<QAction>("Help1")->shortcut(), QKeySequence("F1"));
    EXPECT_EQ(Control<QAction>("Undo1")->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(Control<QAction>("Redo1")->shortcut(), QKeySequence("Ctrl+Shift+Z"));
    // The Files menu keeps its three commands first, in their order.
    const QList<QAction*> items = Control<QMenu>("Files1")->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "&Load Parameters");
    EXPECT_EQ(items[1]->text(), "&Save Parameters");
    EXPECT_EQ(items[2]->text(), "Clear Parameters");
}

}  // namespace
}  // namespace velmora::testing
