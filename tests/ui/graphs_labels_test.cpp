// The Graphs page cuts no label with "..." where its text fits: checked on the laid-out page
// at 800 x 550 and 1400 x 1000 (pictures in /tmp/velmora_graphs_labels_*.png).
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTest>

#include "ui/support/window_fixture.h"
#include "ui/widgets/eliding_label.h"

namespace velmora::testing {
namespace {

class GraphsLabels : public WindowTest {};

TEST_F(GraphsLabels, NoLabelIsCutWhereItsTextFits) {
    CopyExample("KESTMORE.RBP");
    Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Runs() > 0; }, 10000));
    dialogs->LoadAnswers = {Path("KESTMORE.RBP")};
    window->LoadButtonClick();
    window->BugMemoClick();  // the start-up bug list would cover the page's pictures
    window->Ui().PageControl1->setCurrentWidget(window->Ui().GraphSheet);
    auto* picture = Control<QWidget>("Image1");
    for (const QSize size : {QSize(800, 550), QSize(1400, 1000)}) {
        window->resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == size; }, 5000));
        QTest::qWait(0);  // layouts settle
        window->grab().save(
            QString("/tmp/velmora_graphs_labels_%1x%2.png").arg(size.width()).arg(size.height()));
        for (QLabel* label : window->Ui().GraphSheet->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().isEmpty()) continue;
            const std::string what = label->objectName().toStdString() + " \"" +
                                     label->text().toStdString() + "\" at " +
                                     std::to_string(size.width());
            if (qobject_cast<ElidingLabel*>(label) == nullptr) {
                // A plain label is never given less than its text needs.
                EXPECT_GE(label->width(), label->minimumSizeHint().width()) << what;
                continue;
            }
            // An eliding line shows all its text, or reaches the picture beside it: it has
            // all the width the page can give it.
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            const int room = label->contentsRect().width();
            const int rightEdge = label->mapTo(window.get(), QPoint(label->width(), 0)).x();
            const int pictureLeft = picture->mapTo(window.get(), QPoint(0, 0)).x();
            EXPECT_TRUE(needed <= room || rightEdge >= pictureLeft - 12)
                << what << ": needs " << needed << " px, has " << room;
        }
    }
    // The dwell line is whole at 1400 px.
    auto* dwell = Control<QLabel>("lDwell");
    EXPECT_LE(dwell->fontMetrics().horizontalAdvance(dwell->text()), dwell->contentsRect().width());
}

TEST_F(GraphsLabels, NoDesignPageLabelIsCutWhereItsTextFits) {
    CopyExample("KESTMORE.RBP");
    Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Runs() > 0; }, 10000));
    dialogs->LoadAnswers = {Path("KESTMORE.RBP")};
    window->LoadButtonClick();
    window->BugMemoClick();
    window->Ui().PageControl1->setCurrentWidget(window->Ui().DesignSheet);
    for (const QSize size : {QSize(800, 550), QSize(1400, 1000)}) {
        window->resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == size; }, 5000));
        QTest::qWait(0);
        window->grab().save(
            QString("/tmp/velmora_design_labels_%1x%2.png").arg(size.width()).arg(size.height()));
        for (QLabel* label : window->Ui().DesignSheet->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().isEmpty()) continue;
            const std::string what = label->objectName().toStdString() + " \"" +
                                     label->text().toStdString() + "\" at " +
                                     std::to_string(size.width());
            if (qobject_cast<ElidingLabel*>(label) == nullptr) {
                EXPECT_GE(label->width(), label->minimumSizeHint().width()) << what;
            } else {
                // An eliding line shows all its text, or has all the width its row leaves:
                // it reaches the button beside it or the page's edge.
                const int needed = label->fontMetrics().horizontalAdvance(label->text());
                const QWidget* page = window->Ui().DesignSheet;
                const QRect at(label->mapTo(page, QPoint(0, 0)), label->size());
                int limit = page->width();
                for (const QWidget* button : page->findChildren<QPushButton*>()) {
                    const QRect other(button->mapTo(page, QPoint(0, 0)), button->size());
                    if (button->isVisible() && other.left() >= at.right() &&
                        other.top() < at.bottom() && other.bottom() > at.top())
                        limit = std::min(limit, other.left());
                }
                EXPECT_TRUE(needed <= label->contentsRect().width() || at.right() >= limit - 24)
                    << what << ": needs " << needed << " px, has " << label->contentsRect().width();
            }
        }
    }
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
