// Tools > Energy and Power as the place to build by: its headline is the figure velmora-cli
// energy prints (brake power with losses, the accurate shaft power without), its waterfall's
// bars are the command line's flows and close from heat in to brake, the running point on the
// brake chart carries the load's torque, and a held design's figures stand beside the live ones.
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChartView>
#include <QHeaderView>
#include <QHorizontalStackedBarSeries>
#include <QLabel>
#include <QProcess>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <map>

#include "export/energy_table.h"
#include "form/design_form.h"
#include "presentation/energy_figures.h"
#include "simulation/design_energy.h"
#include "simulation/design_evaluator.h"
#include "ui/commands/compare_commands.h"
#include "ui/support/window_fixture.h"
#include "ui/tools/energy_window.h"
#include "ui/widgets/shown_numbers.h"

namespace velmora::testing {
namespace {

constexpr int kLossyTimeoutMs = 180000;  // the under-load search takes seconds on a busy machine

// The figures `velmora-cli energy FILE ARGS` prints, by caption.
std::map<QString, double> CliEnergy(const QString& file, const QStringList& more = {}) {
    QProcess process;
    process.start(QString::fromLocal8Bit(qgetenv("VELMORA_RUNTIME_DIR")) + "/velmora-cli",
                  QStringList{"energy", file} + more);
    std::map<QString, double> figures;
    if (!process.waitForFinished(kLossyTimeoutMs) || process.exitCode() != 0) return figures;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        const int colon = line.lastIndexOf(": ");
        bool number = false;
        const double value = line.mid(colon + 2).toDouble(&number);
        if (colon > 0 && number) figures[line.left(colon)] = value;
    }
    return figures;
}

// Whole watts grouped by hand with the window's separator: "15,975".
QString GroupedWatts(double watts, const NumberSettings& numbers) {
    QString digits = QString::number(std::llround(std::abs(watts)));
    for (int at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QString::fromStdString(numbers.thousandsSeparator));
    return (watts < 0 ? "-" : "") + digits;
}

// The waterfall's bars by name ("Heat in", "Rod loss"): a level's height or a loss's size.
std::map<QString, double> WaterfallBars(EnergyWindow* energy) {
    std::map<QString, double> bars;
    QChart* chart = FindControl<QChartView>(energy, "EnergyWaterfallChart")->chart();
    if (chart->series().isEmpty()) return bars;
    auto* series = qobject_cast<QHorizontalStackedBarSeries*>(chart->series().front());
    auto* axis = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Vertical).front());
    std::map<QString, QBarSet*> sets;
    for (QBarSet* set : series->barSets()) sets[set->label()] = set;
    for (int i = 0; i < axis->count(); ++i) {
        const QString name = axis->at(i).section(':', 0, 0);
        bars[name] =
            sets["Power or heat"]->at(i) + sets["Loss"]->at(i) - sets["Loss below zero"]->at(i);
    }
    return bars;
}

class BuildBy : public WindowTest {
  protected:
    void Open() {
        TriggerAction(window.get(), "EnergyAndPower1");
        energy = Control<EnergyWindow>("EnergyWindow");
        ASSERT_NE(energy, nullptr);
        WaitForEnergy();
    }
    void WaitForEnergy() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !energy->Busy(); }, kLossyTimeoutMs));
    }
    QString Headline() const { return FindControl<QLabel>(energy, "EnergyHeadline")->text(); }
    const NumberSettings& Numbers() { return window->Session().State.outputs.numbers; }
    QString Example(const QString& name) const {
        return QString::fromLocal8Bit(qgetenv("VELMORA_SOURCE_DIR")) + "/examples/" + name;
    }
    // Each tab at the window's size and at 800 x 550, for a look.
    void Grab(const QString& name) {
        auto* tabs = FindControl<QTabWidget>(energy, "EnergyCharts");
        const QSize normal = energy->size();
        for (const QSize size : {normal, QSize(800, 550)}) {
            energy->resize(size);
            // The layout the last figures asked for is done before the look.
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            ASSERT_TRUE(QTest::qWaitFor([&] { return energy->size() == size; }, 5000))
                << energy->minimumSizeHint().width() << " table "
                << FindControl<QTableWidget>(energy, "EnergyTable")->minimumWidth() << " charts "
                << FindControl<QTabWidget>(energy, "EnergyCharts")->minimumSizeHint().width()
                << " headline "
                << FindControl<QLabel>(energy, "EnergyHeadline")->minimumSizeHint().width();
            for (int tab = 0; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                energy->grab().save(QString("/tmp/velmora_buildby_%1_%2x%3_tab%4.png")
                                        .arg(name)
                                        .arg(size.width())
                                        .arg(size.height())
                                        .arg(tab));
            }
            // Nothing of the figures is cut: the headline and every table column fit.
            auto* headline = FindControl<QLabel>(energy, "EnergyHeadline");
            EXPECT_LE(headline->sizeHint().width(), headline->width()) << size.width();
            auto* table = FindControl<QTableWidget>(energy, "EnergyTable");
            EXPECT_LE(table->horizontalHeader()->length(), table->viewport()->width())
                << size.width();
            EXPECT_GE(table->width(), table->minimumWidth()) << size.width();
            EXPECT_LT(table->geometry().right(), tabs->geometry().left()) << size.width();
        }
        energy->resize(normal);
        tabs->setCurrentIndex(0);
    }
    EnergyWindow* energy = nullptr;
};

TEST_F(BuildBy, WithoutLossesTheAccurateShaftPowerAndAWaterfallWithoutLosses) {
    StartWithEngine();
    Open();
    const std::map<QString, double> cli =
        CliEnergy(Example("KESTMORE.RBP"), {"--model", "accurate"});
    ASSERT_TRUE(cli.count("Shaft power (W)"));
    EXPECT_EQ(Headline(), "Shaft power (accurate model): " +
                              GroupedWatts(cli.at("Shaft power (W)"), Numbers()) + " W");
    EXPECT_FALSE(FindControl<QLabel>(energy, "EnergyHeldHeadline")->isVisible());

    // The accurate model's flows, each to the command line's tenth of a watt, and no losses.
    std::map<QString, double> bars = WaterfallBars(energy);
    ASSERT_EQ(bars.size(), 10u);
    EXPECT_NEAR(bars["Heat in"], cli.at("Heat in (W)"), 0.06);
    EXPECT_NEAR(bars["Heat rejected"], cli.at("Heat out (W)"), 0.2);
    EXPECT_NEAR(bars["Gas cycle"], cli.at("Indicated power (W)"), 0.06);
    EXPECT_NEAR(bars["Rod loss"], cli.at("Rod work lost at the stops (W)"), 0.06);
    EXPECT_NEAR(bars["Shaft"], cli.at("Shaft power (W)"), 0.06);
    for (const char* none : {"Conduction", "Shuttle", "Reheat", "Mechanism"})
        EXPECT_EQ(bars[none], 0) << none;
    EXPECT_EQ(bars["Brake"], bars["Shaft"]);
    Grab("lossless");
}

TEST_F(BuildBy, WithLossesTheBrakePowerAndAWaterfallFromHeatInToBrake) {
    StartWithEngine();
    CopyExample("KESTMORE with losses.RBP");
    ASSERT_TRUE(window->LoadParameterFile(Path("KESTMORE with losses.RBP")));
    Settle();
    Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !energy->Busy() && Headline().startsWith("Brake"); },
                                kLossyTimeoutMs));
    const std::map<QString, double> cli = CliEnergy(Example("KESTMORE with losses.RBP"));
    ASSERT_TRUE(cli.count("Brake power (W)"));
    EXPECT_EQ(Headline(), "Brake power to build by: " +
                              GroupedWatts(cli.at("Brake power (W)"), Numbers()) + " W");

    // Each bar is the command line's figure; the rod's loss is its three parts (the friction
    // in the annulus and the guide, and the stops), as the dissipation must close.
    std::map<QString, double> bars = WaterfallBars(energy);
    ASSERT_EQ(bars.size(), 10u);
    EXPECT_NEAR(bars["Heat in"], cli.at("Total heat in (W)"), 0.06);
    EXPECT_NEAR(bars["Conduction"], cli.at("Conduction loss (W)"), 0.06);
    EXPECT_NEAR(bars["Shuttle"], cli.at("Shuttle loss (W)"), 0.06);
    EXPECT_NEAR(bars["Reheat"], cli.at("Reheat loss (W)"), 0.06);
    EXPECT_NEAR(bars["Mechanism"], cli.at("Mechanism loss (W)"), 0.06);
    EXPECT_NEAR(bars["Brake"], cli.at("Brake power (W)"), 0.06);
    EXPECT_NEAR(bars["Rod loss"],
                cli.at("Annulus friction loss (W)") + cli.at("Rod friction loss (W)") +
                    cli.at("Impact loss at the stops (W)"),
                0.2);
    EXPECT_NEAR(bars["Shaft"], cli.at("Brake power (W)") + cli.at("Mechanism loss (W)"), 0.1);
    // Heat in less every loss is the brake power; each level is the one before less its losses.
    double lost = 0;
    for (const char* loss :
         {"Conduction", "Shuttle", "Reheat", "Heat rejected", "Rod loss", "Mechanism"})
        lost += bars[loss];
    EXPECT_NEAR(bars["Heat in"] - lost, bars["Brake"], 1e-6 * bars["Heat in"]);
    EXPECT_NEAR(bars["Gas cycle"] - bars["Rod loss"], bars["Shaft"], 1e-6 * bars["Heat in"]);
    const QStringList labels =
        qobject_cast<QBarCategoryAxis*>(FindControl<QChartView>(energy, "EnergyWaterfallChart")
                                            ->chart()
                                            ->axes(Qt::Vertical)
                                            .front())
            ->categories();
    EXPECT_TRUE(
        labels.contains("Brake: " + GroupedWatts(cli.at("Brake power (W)"), Numbers()) + " W"))
        << labels.join(" | ").toStdString();

    // The running point on the brake chart: at the command line's running speed, with the
    // torque of the file's load (50 N m).
    QChart* brake = FindControl<QChartView>(energy, "BrakeSpeedChart")->chart();
    QScatterSeries* running = nullptr;
    for (QAbstractSeries* s : brake->series())
        if (s->name().startsWith("Running point")) running = qobject_cast<QScatterSeries*>(s);
    ASSERT_NE(running, nullptr);
    ASSERT_EQ(running->count(), 1);
    EXPECT_NEAR(running->at(0).x(), cli.at("Running speed under the load (RPM)"), 0.06);
    EXPECT_NEAR(running->at(0).y(), 50, 1e-3);
    EXPECT_TRUE(brake->title().endsWith(
        "Runs at " + GroupedWatts(cli.at("Running speed under the load (RPM)"), Numbers()) +
        " RPM under the load of 50 N m"))
        << brake->title().toStdString();
    Grab("lossy");
}

TEST_F(BuildBy, AHeldDesignsFiguresStandBesideTheLiveOnes) {
    StartWithEngine();
    Open();
    const ControlState original = window->Session().Controls();
    Control<QAction>("HoldComparison1")->trigger();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !energy->Busy() && energy->HeldFigures(); }, kLossyTimeoutMs));
    // Two quick changes: the second supersedes the first, and only its figures are shown.
    for (const char* speed : {"1400", "1500"}) {
        ControlState faster = window->Session().Controls();
        faster.EditEngineSpeed.text = speed;
        window->ApplyInputsAsOneStep(faster, "Speed");
    }
    WaitForEnergy();
    EXPECT_NEAR(energy->Result().engineSpeed, 1500 * 2 * M_PI / 60, 1e-3);

    const HeldDesign* held = window->findChild<CompareCommands*>("CompareCommands")->Held();
    ASSERT_NE(held, nullptr);
    auto* table = FindControl<QTableWidget>(energy, "EnergyTable");
    ASSERT_EQ(table->columnCount(), 3);
    EXPECT_EQ(table->horizontalHeaderItem(2)->text().toStdString(), "held:\n" + held->name);
    // The held column is the held design's own figures, the value column the live one's.
    EvaluationOptions options;
    options.energy = true;
    const DesignResult then = EvaluateDesign(ReadDesign(original).design, options);
    const DesignResult now =
        EvaluateDesign(ReadDesign(window->Session().Controls()).design, options);
    for (std::size_t i = 0; i < kEnergyOutputs.size(); ++i) {
        const int row = static_cast<int>(i);
        const DesignOutput output = kEnergyOutputs[i];
        EXPECT_EQ(table->item(row, 2)->text(),
                  GroupedNumber(EnergyValueText(then, output), Numbers()))
            << OutputColumn(output).name;
        EXPECT_EQ(table->item(row, 1)->text(),
                  GroupedNumber(EnergyValueText(now, output), Numbers()))
            << OutputColumn(output).name;
    }
    EXPECT_NE(table->item(1, 1)->text(), table->item(1, 2)->text());
    // The held headline: KESTMORE's accurate shaft power, as the command line gives it.
    const std::map<QString, double> cli =
        CliEnergy(Example("KESTMORE.RBP"), {"--model", "accurate"});
    auto* heldHeadline = FindControl<QLabel>(energy, "EnergyHeldHeadline");
    EXPECT_TRUE(heldHeadline->isVisible());
    EXPECT_EQ(heldHeadline->text(), QString::fromStdString("held: " + held->name) + " \u2014 " +
                                        "Shaft power (accurate model): " +
                                        GroupedWatts(cli.at("Shaft power (W)"), Numbers()) + " W");
    EXPECT_NE(Headline(), heldHeadline->text().section(" \u2014 ", 1));
    Grab("held");

    Control<QAction>("ReleaseComparison1")->trigger();
    WaitForEnergy();
    EXPECT_EQ(table->columnCount(), 2);
    EXPECT_FALSE(heldHeadline->isVisible());
    EXPECT_FALSE(energy->HeldFigures());
}

}  // namespace
}  // namespace velmora::testing
