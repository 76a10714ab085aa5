// Not a check: grabs every page at the smallest usual size and a large one, for looking at.
// Run with --gtest_also_run_disabled_tests; the pictures go to /tmp/velmora_layout_*.png.
#include <QTabWidget>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class LayoutScreenshots : public WindowTest {};

TEST_F(LayoutScreenshots, DISABLED_EveryPageAtTwoSizes) {
    CopyExample("Help.RTF");
    CopyExample("KESTMORE.RBP");
    StartAndSettle();
    window->BugMemoClick();
    dialogs->LoadAnswers.push_back(Path("KESTMORE.RBP"));
    TriggerAction(window.get(), "Load1");
    ChooseItem(Control<QComboBox>("ShowGraph2RG"), 1);
    window->ShowGraph2RGClick();
    window->RedGraphRGClick();
    auto* pages = Control<QTabWidget>("PageControl1");
    for (const QSize size : {QSize(800, 550), QSize(1400, 1000), window->minimumSize()}) {
        window->resize(size);
        WaitMs(100);
        window->RedGraphRGClick();
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            WaitMs(100);
            window->grab().save(QString("/tmp/velmora_layout_%1x%2_page%3.png")
                                    .arg(size.width())
                                    .arg(size.height())
                                    .arg(page + 1));
        }
    }
}

}  // namespace
}  // namespace velmora::testing
