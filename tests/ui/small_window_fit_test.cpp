// At 800 x 550, the smallest size the window keeps, three places that used to cut their text
// show it: Design it Yourself step 6, the Optimize chart's titles and the Design Space outputs.
#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

#include "ui/support/window_fixture.h"
#include "ui/tools/optimize_window.h"

namespace velmora::testing {
namespace {

class SmallWindow : public WindowTest {
  protected:
    void SetUp() override { StartWithEngine(); }
};

TEST_F(SmallWindow, StepSixShowsItsWholeResult) {
    window->Ui().PageControl1->setCurrentWidget(window->Ui().DesignSheet);
    window->resize(800, 550);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == QSize(800, 550); }, 5000));
    Settle();
    HandlePostedEvents();
    QLabel* result = window->Ui().lStep6Results;
    ASSERT_TRUE(result->text().contains("diam"));
    const QRect room = result->contentsRect();
    // Every line of the text is inside the label, and the label ends before its button.
    EXPECT_LE(result->heightForWidth(room.width()), room.height()) << result->text().toStdString();
    if (result->heightForWidth(room.width()) < 0)
        EXPECT_LE(result->fontMetrics().horizontalAdvance(result->text()), room.width());
    QPushButton* use = window->Ui().UseRodDiamButton;
    EXPECT_LE(result->mapTo(window.get(), QPoint(result->width(), 0)).x(),
              use->mapTo(window.get(), QPoint(0, 0)).x());
    window->grab().save("/tmp/velmora_step6_800x550.png");
}

TEST_F(SmallWindow, TheOptimizeChartsTitlesFit) {
    TriggerAction(window.get(), "Optimize1");
    auto* optimize = Control<OptimizeWindow>("OptimizeWindow");
    ASSERT_NE(optimize, nullptr);
    optimize->resize(800, 550);
    FindControl<QLineEdit>(optimize, "OptimizeBudget")->setText("30");
    QSignalSpy finished(optimize, &OptimizeWindow::RunFinished);
    FindControl<QPushButton>(optimize, "OptimizeStart")->click();
    ASSERT_TRUE(finished.count() > 0 || finished.wait(30000));
    HandlePostedEvents();
    QChart* chart = FindControl<QChartView>(optimize, "OptimizeChart")->chart();
    const QFontMetrics title(chart->titleFont());
    EXPECT_LE(title.horizontalAdvance(chart->title()), chart->size().width())
        << chart->title().toStdString();
    QAbstractAxis* y = chart->axes(Qt::Vertical).value(0);
    const QFontMetrics axis(y->titleFont());
    EXPECT_LE(axis.horizontalAdvance(y->titleText()), chart->plotArea().height())
        << y->titleText().toStdString();
    EXPECT_TRUE(chart->title().contains("PV power at engine speed"));
    optimize->grab().save("/tmp/velmora_optimize_800x550.png");
}

TEST_F(SmallWindow, TheDesignSpaceOutputsShowMostOfTheirList) {
    TriggerAction(window.get(), "DesignSpace1");
    QWidget* space = Control<QWidget>("DesignSpaceWindow");
    ASSERT_NE(space, nullptr);
    space->resize(800, 550);
    FindControl<QTabWidget>(space, "DesignSpacePages")->setCurrentIndex(1);
    HandlePostedEvents();
    auto* outputs = FindControl<QListWidget>(space, "DesignSpaceOutputs");
    ASSERT_TRUE(outputs->isVisible());
    const int rowHeight = outputs->sizeHintForRow(0);
    ASSERT_GT(rowHeight, 0);
    // At least half of the outputs at once (five used to show), the rest a scroll away.
    EXPECT_GE(outputs->viewport()->height() / rowHeight, outputs->count() / 2)
        << outputs->viewport()->height() << " px for rows of " << rowHeight;
    EXPECT_LE(space->minimumSizeHint().height(), 550);
    space->grab().save("/tmp/velmora_design_space_outputs_800x550.png");
}

}  // namespace
}  // namespace velmora::testing
