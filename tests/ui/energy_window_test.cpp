// Tools > Energy and Power...: it shows the design's figures under the model its file chooses,
// switching the model there changes the design (saved with it), and a change of the design
// is shown again; the figures are those of the evaluator.
#include "ui/tools/energy_window.h"

#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "export/energy_table.h"
#include "form/design_form.h"
#include "simulation/design_energy.h"
#include "simulation/design_evaluator.h"
#include "ui/support/window_fixture.h"
#include "ui/widgets/shown_numbers.h"

namespace velmora::testing {
namespace {

// The area a closed polyline encloses, in its own units.
double ShoelaceArea(const QLineSeries* line) {
    double twice = 0;
    for (int i = 0; i + 1 < line->count(); ++i)
        twice += line->at(i).x() * line->at(i + 1).y() - line->at(i + 1).x() * line->at(i).y();
    return twice / 2;
}

class EnergyInWindow : public WindowTest {
  protected:
    void SetUp() override {
        StartWithEngine();
        TriggerAction(window.get(), "EnergyAndPower1");
        energy = Control<EnergyWindow>("EnergyWindow");
        ASSERT_NE(energy, nullptr);
        ASSERT_TRUE(energy->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !energy->Busy(); }, 10000));
    }

    QString Cell(int row) const {
        return FindControl<QTableWidget>(energy, "EnergyTable")->item(row, 1)->text();
    }

    // The table against an evaluation of the same controls made here.
    void ExpectTableOf(const ControlState& controls) {
        EvaluationOptions options;
        options.energy = true;
        const DesignResult expected = EvaluateDesign(ReadDesign(controls).design, options);
        // The same figures, grouped as the user's locale shows them ("19,474.9").
        for (std::size_t i = 0; i < kEnergyOutputs.size(); ++i)
            EXPECT_EQ(Cell(static_cast<int>(i)).toStdString(),
                      GroupedNumber(EnergyValueText(expected, kEnergyOutputs[i]),
                                    window->Session().State.outputs.numbers)
                          .toStdString())
                << OutputColumn(kEnergyOutputs[i]).name;
        EXPECT_FALSE(Cell(0).contains(QRegularExpression("\\d{4}"))) << Cell(0).toStdString();
    }

    EnergyWindow* energy = nullptr;
};

TEST_F(EnergyInWindow, ShowsTheChosenModelAndFollowsTheDesign) {
    auto* model = FindControl<QComboBox>(energy, "EnergyModel");
    EXPECT_EQ(model->currentIndex(), static_cast<int>(IntegrationModel::Specified));
    EXPECT_EQ(energy->ShownModel(), IntegrationModel::Specified);
    EXPECT_EQ(Cell(9), "yes");
    ExpectTableOf(window->Session().Controls());
    EXPECT_TRUE(FindControl<QLabel>(energy, "EnergyStatus")->text().startsWith("Model: specified"));
    energy->grab().save("/tmp/velmora_energy_specified.png");

    // The accurate choice: the design's own key, so a save carries it.
    model->setCurrentIndex(static_cast<int>(IntegrationModel::Accurate));
    emit model->activated(model->currentIndex());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !energy->Busy() && energy->ShownModel() == IntegrationModel::Accurate; },
        10000));
    EXPECT_EQ(window->Session().State.Integration, IntegrationModel::Accurate);
    ExpectTableOf(window->Session().Controls());
    energy->grab().save("/tmp/velmora_energy_accurate.png");

    // Beside the bars, the loops of both models: a closed revolution each. On this engine the
    // accurate one encloses less (the one-degree charge leaves out the rod, which pushes its
    // displacer towards the hot end).
    auto* loops = FindControl<QChartView>(energy, "EnergyCycleChart");
    const QList<QAbstractSeries*> series = loops->chart()->series();
    ASSERT_EQ(series.size(), 2);
    for (QAbstractSeries* loop : series) {
        const auto* line = qobject_cast<QLineSeries*>(loop);
        ASSERT_NE(line, nullptr);
        ASSERT_EQ(line->count(), 361) << line->name().toStdString();
        EXPECT_EQ(line->at(0), line->at(360));
    }
    const double oneDegree = std::abs(ShoelaceArea(qobject_cast<QLineSeries*>(series[0])));
    const double accurate = std::abs(ShoelaceArea(qobject_cast<QLineSeries*>(series[1])));
    EXPECT_LT(accurate, oneDegree);
    EXPECT_GT(accurate, 0.7 * oneDegree);
    FindControl<QTabWidget>(energy, "EnergyCharts")->setCurrentIndex(1);
    energy->grab().save("/tmp/velmora_energy_loops.png");
    // It fits a small screen: every row of the table whole at 800 x 550.
    const QSize normal = energy->size();
    energy->resize(800, 550);
    ASSERT_TRUE(QTest::qWaitFor([&] { return energy->size() == QSize(800, 550); }, 5000));
    energy->grab().save("/tmp/velmora_energy_loops_800x550.png");
    auto* table = FindControl<QTableWidget>(energy, "EnergyTable");
    EXPECT_LE(table->horizontalHeader()->length(), table->viewport()->width());
    energy->resize(normal);
    FindControl<QTabWidget>(energy, "EnergyCharts")->setCurrentIndex(0);
    ASSERT_TRUE(window->SaveParameterFile(Path("Saved.RBP")));
    QFile saved(Path("Saved.RBP"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().endsWith("[Model]\nIntegration=accurate\n"));

    // The choice is one undo step like any other change of the design.
    EXPECT_EQ(window->Ui().Undo1->text(), "&Undo Integration model");
    window->Ui().Undo1->trigger();
    EXPECT_EQ(window->Session().State.Integration, IntegrationModel::Specified);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !energy->Busy() && energy->ShownModel() == IntegrationModel::Specified; },
        10000));
    EXPECT_EQ(model->currentIndex(), static_cast<int>(IntegrationModel::Specified));
    window->Ui().Redo1->trigger();
    EXPECT_EQ(window->Session().State.Integration, IntegrationModel::Accurate);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !energy->Busy() && energy->ShownModel() == IntegrationModel::Accurate; },
        10000));

    // A change of the design (one undoable step) is evaluated again.
    const QString before = Cell(1);
    ControlState faster = window->Session().Controls();
    faster.EditEngineSpeed.text = "1400";
    window->ApplyInputsAsOneStep(faster, "Speed");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !energy->Busy() && Cell(1) != before; }, 10000));
    ExpectTableOf(window->Session().Controls());

    // A heavy displacer at 694 RPM does not settle: the figures are left empty and the window
    // says why.
    ControlState heavy = window->Session().Controls();
    heavy.EditEngineSpeed.text = "693.939393939394";
    heavy.EditDispMass.text = "3.86161616161616";
    window->ApplyInputsAsOneStep(heavy, "Heavy");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !energy->Busy() && Cell(9) == "no"; }, 10000));
    EXPECT_EQ(Cell(1), "not settled");
    EXPECT_TRUE(FindControl<QLabel>(energy, "EnergyStatus")->text().contains("did not settle"));
    energy->grab().save("/tmp/velmora_energy_unsettled.png");

    // The one-degree model with one cycle graphed: its figures all the same, from the last
    // revolution of the schedule. The cycle counts are no design step: the window is asked again.
    ControlState specified = window->Session().Controls();
    specified.Integration = IntegrationModel::Specified;
    window->ApplyInputsAsOneStep(specified, "Specified");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !energy->Busy() && energy->ShownModel() == IntegrationModel::Specified; },
        10000));
    FindControl<QLineEdit>(window.get(), "GraphCycleCountEdit")->setText("1");
    ASSERT_EQ(window->Session().Controls().GraphCycleCountEdit, "1");
    energy->Recompute();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !energy->Busy(); }, 10000));
    EXPECT_EQ(Cell(9), "yes");
    ExpectTableOf(window->Session().Controls());
    // A schedule of no cycles: nothing to give, and the window says why.
    FindControl<QLineEdit>(window.get(), "ComputeCycleCountEdit")->setText("0");
    energy->Recompute();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !energy->Busy() && Cell(9) != "yes"; }, 10000));
    EXPECT_EQ(Cell(1), "not computed (the cycle schedule computes no cycle)");
    EXPECT_EQ(FindControl<QLabel>(energy, "EnergyStatus")->text(),
              "No cycle could be computed: the cycle schedule computes no cycle.");
}

}  // namespace
}  // namespace velmora::testing
