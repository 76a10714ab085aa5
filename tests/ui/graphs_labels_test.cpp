// The Graphs page cuts no label with "..." where its text fits: checked on the laid-out page
// at 800 x 550 and 1400 x 1000 (pictures in /tmp/velmora_graphs_labels_*.png).
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <functional>

#include "ui/support/window_fixture.h"
#include "ui/widgets/eliding_label.h"

namespace velmora::testing {
namespace {

class GraphsLabels : public WindowTest {
  protected:
    // KESTMORE loaded, the bug list closed (it would cover the pictures) and `sheet` shown.
    void ShowEngineOn(QWidget* (*sheetOf)(TForm1&)) {
        CopyExample("KESTMORE.RBP");
        StartAndSettle();
        dialogs->LoadAnswers = {Path("KESTMORE.RBP")};
        const int runs = Runs();
        window->LoadButtonClick();
        SettleAfter(runs);
        window->BugMemoClick();
        window->Ui().PageControl1->setCurrentWidget(sheetOf(*window));
    }

    // At 800 x 550 and 1400 x 1000: a plain label of `sheet` is never given less than its text
    // needs; an eliding one shows all its text, or reaches within `slack` px of the x (in the
    // sheet's coordinates) that `rowLimit` gives for its place: all the width its row has.
    void ExpectNoLabelCut(QWidget* sheet, const QString& picture,
                          const std::function<int(const QRect&)>& rowLimit, int slack) {
        for (const QSize size : {QSize(800, 550), QSize(1400, 1000)}) {
            window->resize(size);
            ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == size; }, 5000));
            HandlePostedEvents();  // layouts settle
            window->grab().save(picture.arg(size.width()).arg(size.height()));
            for (QLabel* label : sheet->findChildren<QLabel*>()) {
                if (!label->isVisible() || label->text().isEmpty()) continue;
                const std::string what = label->objectName().toStdString() + " \"" +
                                         label->text().toStdString() + "\" at " +
                                         std::to_string(size.width());
                if (qobject_cast<ElidingLabel*>(label) == nullptr) {
                    EXPECT_GE(label->width(), label->minimumSizeHint().width()) << what;
                    continue;
                }
                const int needed = label->fontMetrics().horizontalAdvance(label->text());
                const int room = label->contentsRect().width();
                const QRect at(label->mapTo(sheet, QPoint(0, 0)), label->size());
                EXPECT_TRUE(needed <= room || at.right() >= rowLimit(at) - slack)
                    << what << ": needs " << needed << " px, has " << room;
            }
        }
    }
};

TEST_F(GraphsLabels, NoLabelIsCutWhereItsTextFits) {
    ASSERT_NO_FATAL_FAILURE(ShowEngineOn([](TForm1& w) -> QWidget* { return w.Ui().GraphSheet; }));
    QWidget* sheet = window->Ui().GraphSheet;
    auto* picture = Control<QWidget>("Image1");
    // An eliding line reaches the picture beside it.
    ExpectNoLabelCut(
        sheet, "/tmp/velmora_graphs_labels_%1x%2.png",
        [&](const QRect&) { return picture->mapTo(sheet, QPoint(0, 0)).x(); }, 12);
    // The dwell line is whole at 1400 px.
    auto* dwell = Control<QLabel>("lDwell");
    EXPECT_LE(dwell->fontMetrics().horizontalAdvance(dwell->text()), dwell->contentsRect().width());
}

TEST_F(GraphsLabels, NoDesignPageLabelIsCutWhereItsTextFits) {
    ASSERT_NO_FATAL_FAILURE(ShowEngineOn([](TForm1& w) -> QWidget* { return w.Ui().DesignSheet; }));
    QWidget* sheet = window->Ui().DesignSheet;
    // An eliding line reaches the button beside it or the page's edge.
    const auto rowLimit = [&](const QRect& at) {
        int limit = sheet->width();
        for (const QWidget* button : sheet->findChildren<QPushButton*>()) {
            const QRect other(button->mapTo(sheet, QPoint(0, 0)), button->size());
            if (button->isVisible() && other.left() >= at.right() && other.top() < at.bottom() &&
                other.bottom() > at.top())
                limit = std::min(limit, other.left());
        }
        return limit;
    };
    ExpectNoLabelCut(sheet, "/tmp/velmora_design_labels_%1x%2.png", rowLimit, 24);
}

TEST_F(GraphsLabels, EscapeClosesTheBugListAndIsFreeOtherwise) {
    Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Runs() > 0; }, 10000));
    auto* bugs = Control<QWidget>("BugMemo");
    ASSERT_TRUE(bugs->isVisible());  // shown at every start
    auto* field = Control<QWidget>("EditXAxisOffset");
    window->Ui().PageControl1->setCurrentWidget(window->Ui().GraphSheet);
    window->activateWindow();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(bugs->isVisible());
    EXPECT_FALSE(Control<QShortcut>("BugMemoEscape")->isEnabled());
    TriggerAction(window.get(), "BugList1");
    EXPECT_TRUE(bugs->isVisible());
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(bugs->isVisible());
}

}  // namespace
}  // namespace velmora::testing
