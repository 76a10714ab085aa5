#include <QTabWidget>
#include <QTextBrowser>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class HelpPage : public WindowTest {
  protected:
    void ShowPage(const char* name) {
        auto* pages = Control<QTabWidget>("PageControl1");
        pages->setCurrentWidget(Control<QWidget>(name));
    }
};

TEST_F(HelpPage, IsLoadedOnceTheFirstTimeItIsShown) {
    CopyExample("Help.RTF");
    StartAndSettle();
    auto* view = Control<QTextBrowser>("RichEdit1");
    EXPECT_TRUE(view->document()->isEmpty());
    TriggerAction(window.get(), "Help1");
    EXPECT_EQ(Control<QTabWidget>("PageControl1")->currentWidget()->objectName(), "HelpSheet");
    EXPECT_TRUE(view->toPlainText().contains("Velmora"));
    EXPECT_TRUE(view->isReadOnly());
    ASSERT_TRUE(QFile::remove(Path("Help.RTF")));
    ShowPage("GraphSheet");
    ShowPage("HelpSheet");  // not read again: the removed file is not missed
    EXPECT_TRUE(view->toPlainText().contains("Velmora"));
    EXPECT_TRUE(dialogs->Messages.isEmpty());
}

TEST_F(HelpPage, AMissingFileIsReportedEveryTimeThePageIsShown) {
    StartAndSettle();
    TriggerAction(window.get(), "Help1");
    ShowPage("InputSheet");
    ShowPage("HelpSheet");
    ASSERT_EQ(dialogs->Messages.size(), 2);
    EXPECT_EQ(dialogs->Messages[0], "Unable to locate the Help file, \"HELP.RTF\"!");
    EXPECT_TRUE(Control<QTextBrowser>("RichEdit1")->document()->isEmpty());
}

TEST_F(HelpPage, AStoredHelpPageIsFilledAtStartUp) {
    CopyExample("Help.RTF");
    QFile file(Path("Default.INI"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[TabControl]\nPage=5\n");
    file.close();
    Start();
    EXPECT_EQ(Control<QTabWidget>("PageControl1")->currentWidget()->objectName(), "HelpSheet");
    EXPECT_FALSE(Control<QTextBrowser>("RichEdit1")->document()->isEmpty());
}

}  // namespace
}  // namespace velmora::testing
