// The user guide: shipped beside Help.RTF, opened from Tools > User Guide and by F1 in the tool
// windows at their section; it names every velmora-cli command; a missing file is said in its
// window; the Help/About page keeps Help.RTF.
#include "ui/pages/help/user_guide.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "ui/support/window_fixture.h"
#include "ui/tools/design_space_window.h"
#include "ui/tools/energy_window.h"
#include "ui/tools/optimize_window.h"

namespace velmora::testing {
namespace {

class UserGuide : public WindowTest {
  protected:
    QTextBrowser* Guide() { return window->findChild<QTextBrowser*>("UserGuideWindow"); }
};

TEST_F(UserGuide, OpensFromToolsAndFromF1InTheToolWindows) {
    CopyExample("KESTMORE.RBP", "Default.INI");
    CopyExample("UserGuide.html");
    StartAndSettle();
    window->BugMemoClick();
    ASSERT_EQ(Guide(), nullptr);
    TriggerAction(window.get(), "UserGuide1");
    ASSERT_NE(Guide(), nullptr);
    EXPECT_TRUE(Guide()->isVisible());
    const QString text = Guide()->toPlainText();
    for (const char* topic : {"Undo and redo", "Files and recent files", "Exports and printing",
                              "Charts, zoom and the chart menu", "Design Space", "Optimize",
                              "Energy and power", "Comparing two designs", "The command line"})
        EXPECT_TRUE(text.contains(topic)) << topic;
    // Every command of velmora-cli, as its usage line starts.
    for (const char* command :
         {"report FILE", "cycle FILE", "pv FILE", "samples FILE", "powercurve FILE", "chart FILE",
          "sweep FILE", "optimize FILE", "energy FILE"})
        EXPECT_TRUE(text.contains(command)) << command;
    Guide()->close();

    TriggerAction(window.get(), "Optimize1");
    auto* optimize = Control<OptimizeWindow>("OptimizeWindow");
    optimize->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(optimize));
    QTest::keyClick(optimize, Qt::Key_F1);
    // F1 there is the guide's, not the main window's Help/About page.
    EXPECT_NE(window->Ui().PageControl1->currentWidget(), window->Ui().HelpSheet);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Guide()->isVisible(); }, 5000));
    EXPECT_EQ(Guide()->source().fragment(), "optimize");
    EXPECT_GT(Guide()->verticalScrollBar()->value(), 0);  // at its section, not the top
    Guide()->close();
    TriggerAction(window.get(), "DesignSpace1");
    auto* space = Control<DesignSpaceWindow>("DesignSpaceWindow");
    space->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(space));
    QTest::keyClick(space, Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Guide()->isVisible(); }, 5000));
    EXPECT_EQ(Guide()->source().fragment(), "design-space");
    Guide()->close();
    TriggerAction(window.get(), "EnergyAndPower1");
    auto* energy = Control<EnergyWindow>("EnergyWindow");
    energy->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(energy));
    QTest::keyClick(energy, Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Guide()->isVisible(); }, 5000));
    EXPECT_EQ(Guide()->source().fragment(), "energy");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !energy->Busy(); }, 10000));
    Guide()->resize(800, 550);
    Guide()->grab().save("/tmp/velmora_user_guide.png");
}

TEST_F(UserGuide, AMissingGuideIsSaidInItsWindowAndHelpStaysAsItWas) {
    CopyExample("KESTMORE.RBP", "Default.INI");
    CopyExample("Help.RTF");
    StartAndSettle();
    window->BugMemoClick();
    TriggerAction(window.get(), "UserGuide1");
    ASSERT_NE(Guide(), nullptr);
    EXPECT_EQ(Guide()->toPlainText(), "Unable to locate the user guide, \"UserGuide.html\"!");
    EXPECT_TRUE(dialogs->Messages.isEmpty());
    // F1 in the main window still opens the Help/About page with Help.RTF.
    TriggerAction(window.get(), "Help1");
    EXPECT_FALSE(Control<QTextBrowser>("RichEdit1")->toPlainText().isEmpty());
}

}  // namespace
}  // namespace velmora::testing
