// Not a check: grabs every page at the smallest usual size and a large one, for looking at.
#include <QLineEdit>

#include "screenshots/shots.h"

namespace velmora::testing {
namespace {

class LayoutScreenshots : public ShotWindow {};

TEST_F(LayoutScreenshots, EveryPageAtTwoSizes) {
    CopyExample("Help.RTF");
    CopyExample("KESTMORE.RBP");
    StartAndSettle();
    window->BugMemoClick();
    Load("KESTMORE.RBP");
    int before = Runs();
    ChooseItem(Control<QComboBox>("ShowGraph2RG"), 1);
    SettleAfter(before);
    auto* pages = Control<QTabWidget>("PageControl1");
    for (const QSize size : {QSize(800, 550), QSize(1400, 1000), window->minimumSize()}) {
        window->resize(size);
        QTest::qWaitFor([&] { return window->size() == size; }, 2000);
        before = Runs();
        window->RedGraphRGClick();
        SettleAfter(before);
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            Shot(QString("velmora_layout_%1x%2_page%3.png")
                     .arg(size.width())
                     .arg(size.height())
                     .arg(page + 1));
        }
    }
}

}  // namespace
}  // namespace velmora::testing

namespace velmora::testing {
namespace {

// What a user sees after typing a new piston stroke, at the smallest usual size: the report
// and the graphs of the new design.
TEST_F(LayoutScreenshots, ResultsAfterAnEditAt800By550) {
    CopyExample("KESTMORE.RBP", "Default.INI");
    StartAndSettle();
    window->BugMemoClick();
    window->resize(800, 550);
    auto* stroke = Control<QLineEdit>("EditPistonStroke");
    stroke->selectAll();
    const int before = Runs();
    TypeKeys(stroke, "175");
    SettleAfter(before);
    Page("MemoSheet");
    Shot("velmora_after_edit_report.png");
    Page("GraphSheet");
    Shot("velmora_after_edit_graphs.png");
    Page("InputSheet");
    Shot("velmora_after_edit_inputs.png");
}

}  // namespace
}  // namespace velmora::testing
