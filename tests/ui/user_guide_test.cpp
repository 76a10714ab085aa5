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

    // Opens a tool window from its Tools action and presses F1 there: the guide, not the main
    // window's Help/About page, opens at `section`.
    void ExpectF1OpensGuideAt(const char* action, const char* name, const QString& section) {
        TriggerAction(window.get(), action);
        auto* tool = window->findChild<QWidget*>(name);
        ASSERT_NE(tool, nullptr);
        tool->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tool));
        QTest::keyClick(tool, Qt::Key_F1);
        EXPECT_NE(window->Ui().PageControl1->currentWidget(), window->Ui().HelpSheet);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Guide()->isVisible(); }, 5000));
        EXPECT_EQ(Guide()->source().fragment(), section);
    }
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
                              "Energy and power", "Comparing two designs", "The command line",
                              "Which power to build by", "The Losses, Gas and Load window"})
        EXPECT_TRUE(text.contains(topic)) << topic;
    // What the two save keys do, and the power to build by.
    for (const char* words :
         {"Save to NAME.RBP (Ctrl+S)", "Save Parameters (Ctrl+Shift+S)",
          "Build by the shaft power of the accurate model", "Shaft power (accurate model)"})
        EXPECT_TRUE(text.simplified().contains(words)) << words;
    // Every command of velmora-cli, as its usage line starts.
    for (const char* command :
         {"report FILE", "cycle FILE", "pv FILE", "samples FILE", "powercurve FILE", "chart FILE",
          "sweep FILE", "optimize FILE", "energy FILE"})
        EXPECT_TRUE(text.contains(command)) << command;
    Guide()->close();

    ASSERT_NO_FATAL_FAILURE(ExpectF1OpensGuideAt("Optimize1", "OptimizeWindow", "optimize"));
    EXPECT_GT(Guide()->verticalScrollBar()->value(), 0);  // at its section, not the top
    Guide()->close();
    ASSERT_NO_FATAL_FAILURE(
        ExpectF1OpensGuideAt("DesignSpace1", "DesignSpaceWindow", "design-space"));
    Guide()->close();
    ASSERT_NO_FATAL_FAILURE(
        ExpectF1OpensGuideAt("LossInputs1", "LossInputsWindow", "losses-window"));
    Guide()->close();
    ASSERT_NO_FATAL_FAILURE(ExpectF1OpensGuideAt("EnergyAndPower1", "EnergyWindow", "energy"));
    auto* energy = Control<EnergyWindow>("EnergyWindow");
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
