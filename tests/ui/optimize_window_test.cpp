// Tools > Optimize...: a run on worker threads gives the headless optimizer's design, Apply
// puts it into the Design Parameters page as one undoable step, bad fields stop Start, and
// Cancel keeps and offers the best feasible design so far.
#include "ui/tools/optimize_window.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <QValueAxis>
#include <memory>
#include <utility>

#include "designspace/rounded_text.h"
#include "optimizer/readable_result.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class OptimizeInWindow : public WindowTest {
  protected:
    void SetUp() override {
        StartWithEngine();
        TriggerAction(window.get(), "Optimize1");
        optimize = Control<OptimizeWindow>("OptimizeWindow");
        ASSERT_NE(optimize, nullptr);
        ASSERT_TRUE(optimize->isVisible());
        inputs = FindControl<QTableWidget>(optimize, "OptimizeInputs");
        finished = std::make_unique<QSignalSpy>(optimize, &OptimizeWindow::RunFinished);
    }

    QPushButton* Button(const char* name) { return FindControl<QPushButton>(optimize, name); }
    // Row of an input in the table: the order of the Design Parameters page.
    QTableWidgetItem* Cell(const char* key, int column) {
        return inputs->item(static_cast<int>(FindSweepInput(key) - kSweepInputs.data()), column);
    }

    // Waits for the end of the run, which comes with its result shown.
    bool WaitUntilDone(int ms) { return finished->count() > 0 || finished->wait(ms); }

    OptimizeWindow* optimize = nullptr;
    std::unique_ptr<QSignalSpy> finished;
    QTableWidget* inputs = nullptr;
};

TEST_F(OptimizeInWindow, RunGivesTheHeadlessDesignAndApplyIsOneUndoableStep) {
    // Defaults: piston stroke and displacer mass from 0.5 to 1.5 times their values.
    EXPECT_EQ(Cell("Piston.Stroke", 1)->text(), "70");
    EXPECT_EQ(Cell("Piston.Stroke", 2)->text(), "210");
    EXPECT_EQ(Cell("Displacer.Mass", 0)->checkState(), Qt::Checked);
    EXPECT_EQ(Cell("Displacer.Mass", 0)->text(), "Displacer Mass (kilo-grams)");
    Cell("Piston.Stroke", 1)->setText("100");
    Cell("Piston.Stroke", 2)->setText("200");
    Cell("Displacer.Mass", 1)->setText("0.5");
    Cell("Displacer.Mass", 2)->setText("2");
    ASSERT_TRUE(Button("OptimizeStart")->isEnabled());
    Button("OptimizeStart")->click();
    ASSERT_TRUE(WaitUntilDone(30000));

    OptimizeRun headless(optimize->Run()->Problem());
    headless.Run(1);
    const OptimizeOutcome& outcome = optimize->Run()->Outcome();
    ASSERT_EQ(outcome.status, OptimizeStatus::Found);
    EXPECT_EQ(outcome.best->texts, headless.Outcome().best->texts);
    EXPECT_EQ(outcome.evaluations, headless.Outcome().evaluations);

    auto* result = FindControl<QTableWidget>(optimize, "OptimizeResult");
    ASSERT_EQ(result->rowCount(), 4);
    // Inputs in the order of the Design Parameters page, by name with their unit, the values
    // rounded to the digits they were typed with (at least four).
    EXPECT_EQ(result->item(0, 0)->text(), "Displacer Mass (kilo-grams)");
    EXPECT_EQ(result->item(1, 0)->text(), "Piston Stroke (mm)");
    EXPECT_EQ(result->item(1, 1)->text(), "140");
    const double stroke = outcome.best->values[1];
    EXPECT_EQ(result->item(1, 2)->text().toStdString(), RoundedText(stroke, 4));
    EXPECT_LE(result->item(1, 2)->text().size(), 6);
    EXPECT_EQ(result->item(2, 0)->text(), "PV power at engine speed (W)");
    EXPECT_EQ(result->item(3, 0)->text(), "Engine speed / Omega Bar (<= 0.95)");
    // Every input that ended at a bound says which.
    const Variable& strokeBounds = optimize->Run()->Problem().variables[1];
    EXPECT_EQ(result->item(1, 3)->text().startsWith("at "),
              NearBound(strokeBounds, stroke) != BoundSide::None);
    EXPECT_EQ(FindControl<QLabel>(optimize, "OptimizeStatus")->text(),
              QString("Finished: best feasible design, %1 evaluations.").arg(outcome.evaluations));
    optimize->resize(1000, 640);
    HandlePostedEvents();
    optimize->grab().save("/tmp/velmora_optimize.png");
    optimize->resize(800, 550);
    HandlePostedEvents();
    optimize->grab().save("/tmp/velmora_optimize_small.png");

    ASSERT_TRUE(Button("OptimizeApply")->isEnabled());
    const int steps = window->UndoStack()->count();
    const int runs = Runs();
    Button("OptimizeApply")->click();
    SettleAfter(runs);
    // The fields get the values as the table shows them, never a 15-digit text, and show
    // their leading digits.
    for (const auto& [name, row] :
         {std::pair{"EditDispMass", 0}, std::pair{"EditPistonStroke", 1}}) {
        auto* field = Control<QLineEdit>(name);
        EXPECT_EQ(field->text(), result->item(row, 2)->text()) << name;
        EXPECT_LE(field->text().size(), 7) << name;
        EXPECT_EQ(field->cursorPosition(), 0) << name;
    }
    EXPECT_EQ(window->UndoStack()->count(), steps + 1);
    // The main window computed the applied design: its PV power is the optimized one, within
    // what the rounding to four digits moves it.
    EXPECT_NEAR(window->Session().Driver.Params.PVPowerAtEngineSpeed,
                *outcome.best->judgement.objective, 0.01 * *outcome.best->judgement.objective);
    window->UndoStack()->undo();
    EXPECT_EQ(Control<QLineEdit>("EditPistonStroke")->text(), "140");
    EXPECT_EQ(Control<QLineEdit>("EditDispMass")->text(), "1");
}

// The window says which model its objective comes from, for the design as it stands.
TEST_F(OptimizeInWindow, SaysWhichModelTheObjectiveComesFrom) {
    auto* source = FindControl<QLabel>(optimize, "OptimizeSource");
    EXPECT_EQ(source->text(),
              "From the one-degree run; the design's model: Specified (one-degree steps).");
    ControlState inputs = window->Session().Controls();
    inputs.Integration = IntegrationModel::Accurate;
    window->ApplyInputsAsOneStep(inputs, "Integration model");
    Settle();
    FindControl<QComboBox>(optimize, "OptimizeObjective")
        ->setCurrentIndex(
            FindControl<QComboBox>(optimize, "OptimizeObjective")->findText("Shaft power (W)"));
    EXPECT_EQ(source->text(),
              "From the Accurate (error-controlled) model; the design's model: "
              "Accurate (error-controlled).");
}

TEST_F(OptimizeInWindow, TheEmptyProgressChartHasRoundAxes) {
    auto* view = FindControl<QChartView>(optimize, "OptimizeChart");
    auto* x = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
    auto* y = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
    ASSERT_NE(x, nullptr);
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(x->min(), 0);
    EXPECT_EQ(x->max(), 10);
    EXPECT_EQ(y->min(), 0);
    EXPECT_EQ(y->max(), 1);
    // Labels with the decimals the step needs: 0.0, 0.2, ... 1.0, not 0 0 0 0 1.
    EXPECT_EQ(y->labelFormat(), "%.1f");
    EXPECT_EQ(y->tickInterval(), 0.2);
    EXPECT_EQ(y->titleText(), "W");
    optimize->resize(800, 550);
    HandlePostedEvents();
    optimize->grab().save("/tmp/velmora_optimize_empty.png");
}

TEST_F(OptimizeInWindow, BadFieldsAreMarkedAndStopStart) {
    EXPECT_TRUE(Button("OptimizeStart")->isEnabled());
    Cell("Piston.Stroke", 1)->setText("300");
    EXPECT_FALSE(Button("OptimizeStart")->isEnabled());
    EXPECT_EQ(Cell("Piston.Stroke", 1)->toolTip(),
              "Piston.Stroke: FROM (300) must be below TO (210)");
    Cell("Piston.Stroke", 1)->setText("-5");
    EXPECT_FALSE(Button("OptimizeStart")->isEnabled());
    Cell("Piston.Stroke", 0)->setCheckState(Qt::Unchecked);  // an unchecked row is not read
    EXPECT_TRUE(Button("OptimizeStart")->isEnabled());
    Cell("Displacer.Mass", 0)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(Button("OptimizeStart")->isEnabled());
    EXPECT_EQ(FindControl<QLabel>(optimize, "OptimizeProblem")->text(),
              "Check at least one input to vary.");
    Cell("Displacer.Mass", 0)->setCheckState(Qt::Checked);
    FindControl<QLineEdit>(optimize, "OptimizeMarginnot-overdriven")->setText("x");
    EXPECT_FALSE(Button("OptimizeStart")->isEnabled());
    FindControl<QLineEdit>(optimize, "OptimizeMarginnot-overdriven")->setText("0.9");
    FindControl<QLineEdit>(optimize, "OptimizeBudget")->setText("0");
    EXPECT_FALSE(Button("OptimizeStart")->isEnabled());
    FindControl<QLineEdit>(optimize, "OptimizeBudget")->setText("50");
    EXPECT_TRUE(Button("OptimizeStart")->isEnabled());
}

TEST_F(OptimizeInWindow, CancelKeepsAndOffersTheBestFeasibleDesignSoFar) {
    // Six inputs: a search that needs hundreds of evaluations, well beyond the cancel.
    for (const char* key : {"Piston.Diameter", "Piston.Stroke", "Displacer.Diameter",
                            "Displacer.Stroke", "Displacer.Mass", "DisplacerRod.Diameter"})
        Cell(key, 0)->setCheckState(Qt::Checked);
    FindControl<QLineEdit>(optimize, "OptimizeBudget")->setText("100000");
    Button("OptimizeStart")->click();
    const QString hot = Control<QLineEdit>("EditHotTemp")->text();
    Control<QLineEdit>("EditHotTemp")->setText("651");  // the window answers while the run goes on
    EXPECT_EQ(Control<QLineEdit>("EditHotTemp")->text(), "651");
    // Cancelled after the first few evaluations: a run this short cannot have converged (the
    // whole run takes a few hundred, a fraction of a second).
    ASSERT_TRUE(QTest::qWaitFor([&] { return optimize->Run()->Evaluations() >= 3; }, 10000));
    // A loaded machine may let the run converge before the click: then there is no cancel to
    // see (the finished case has its own test).
    if (!optimize->Running()) GTEST_SKIP() << "the run finished before Cancel";
    Button("OptimizeCancel")->click();
    ASSERT_TRUE(WaitUntilDone(30000));
    const OptimizeOutcome& outcome = optimize->Run()->Outcome();
    // The run may still have ended by itself between the look and the click.
    if (!outcome.cancelled)
        GTEST_SKIP() << "the run finished before Cancel reached it, after " << outcome.evaluations
                     << " evaluations";
    ASSERT_EQ(outcome.status, OptimizeStatus::Found);
    EXPECT_TRUE(FindControl<QLabel>(optimize, "OptimizeStatus")
                    ->text()
                    .startsWith("Cancelled (best feasible so far): "));
    EXPECT_TRUE(Button("OptimizeStart")->isEnabled());
    // The hot temperature was changed during the run: the result is another design's.
    Settle();
    EXPECT_FALSE(Button("OptimizeApply")->isEnabled());
    Control<QLineEdit>("EditHotTemp")->setText(hot);
    Settle();
    EXPECT_TRUE(Button("OptimizeApply")->isEnabled());
}

// A result belongs to its design: another design loaded marks it, and Apply cannot push it
// onto that design; back on the design, it applies again.
TEST_F(OptimizeInWindow, ALoadedDesignMakesTheResultStale) {
    FindControl<QLineEdit>(optimize, "OptimizeBudget")->setText("30");
    Button("OptimizeStart")->click();
    ASSERT_TRUE(WaitUntilDone(30000));
    ASSERT_EQ(optimize->Run()->Outcome().status, OptimizeStatus::Found);
    ASSERT_TRUE(Button("OptimizeApply")->isEnabled());
    EXPECT_TRUE(FindControl<QLabel>(optimize, "OptimizeStale")->text().isEmpty());

    CopyExample("BRANDOCK TAPPER.RBP");
    dialogs->LoadAnswers = {Path("BRANDOCK TAPPER.RBP")};
    window->LoadButtonClick();
    Settle();
    EXPECT_FALSE(Button("OptimizeApply")->isEnabled());
    EXPECT_FALSE(FindControl<QLabel>(optimize, "OptimizeStale")->text().isEmpty());
    const QString stroke = Control<QLineEdit>("EditPistonStroke")->text();
    optimize->Apply();  // as a click that came before the button was disabled
    EXPECT_EQ(Control<QLineEdit>("EditPistonStroke")->text(), stroke);

    window->UndoStack()->undo();  // back to the optimized design
    Settle();
    EXPECT_TRUE(Button("OptimizeApply")->isEnabled());
    EXPECT_TRUE(FindControl<QLabel>(optimize, "OptimizeStale")->text().isEmpty());
}

}  // namespace
}  // namespace velmora::testing
