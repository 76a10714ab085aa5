// Tools > Design Space...: a map runs on worker threads and shows, bad fields stop Start,
// Cancel keeps the rows done, edits in the main window do not reach a running map, and a
// clicked design lands in the Design Parameters page.
#include "ui/tools/design_space_window.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QValueAxis>
#include <cmath>
#include <memory>

#include "ui/support/window_fixture.h"
#include "ui/tools/design_space_map.h"

namespace velmora::testing {
namespace {

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void Click(QWidget* target, QPoint at) {
    SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

class DesignSpaceInWindow : public WindowTest {
  protected:
    void SetUp() override {
        StartWithEngine();
        TriggerAction(window.get(), "DesignSpace1");
        space = Control<DesignSpaceWindow>("DesignSpaceWindow");
        ASSERT_NE(space, nullptr);
        ASSERT_TRUE(space->isVisible());
        finished = std::make_unique<QSignalSpy>(space, &DesignSpaceWindow::RunFinished);
    }

    QLineEdit* Field(const char* name) { return FindControl<QLineEdit>(space, name); }
    QPushButton* Button(const char* name) { return FindControl<QPushButton>(space, name); }

    // Mass 0.5 to 1.5 kg by engine speed 500 to 1500 RPM (the file's units).
    void ChooseMap(int massPoints, int speedPoints) {
        FindControl<QCheckBox>(space, "DesignSpaceUseSecond")->setChecked(true);
        Field("DesignSpaceFrom1")->setText("0.5");
        Field("DesignSpaceTo1")->setText("1.5");
        Field("DesignSpacePoints1")->setText(QString::number(massPoints));
        Field("DesignSpaceFrom2")->setText("500");
        Field("DesignSpaceTo2")->setText("1500");
        Field("DesignSpacePoints2")->setText(QString::number(speedPoints));
    }

    // Waits for the end of the run, which comes with its rows shown.
    bool WaitUntilDone(int ms) { return finished->count() > 0 || finished->wait(ms); }

    DesignSpaceWindow* space = nullptr;
    std::unique_ptr<QSignalSpy> finished;
};

TEST_F(DesignSpaceInWindow, MapRunsShowsHatchesTheOverdrivenPartAndLoadsAClickedDesign) {
    ChooseMap(12, 10);
    ASSERT_TRUE(Button("DesignSpaceStart")->isEnabled());
    const QString pistonBefore = Control<QLineEdit>("EditPistonDiameter")->text();
    Button("DesignSpaceStart")->click();
    // An edit in the main window while the map runs does not mix into it.
    Control<QLineEdit>("EditPistonDiameter")->setText("99");
    ASSERT_TRUE(WaitUntilDone(20000));
    const SweepRun* run = space->Run();
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->Completed(), 120u);
    // The run's design is the piston as it stood at Start, in mm, not the edit made since.
    const DesignInput& piston = *FindSweepInput("Piston.Diameter")->input;
    EXPECT_EQ(run->Plan().base.UnitOf(piston), input_table::kMm);
    EXPECT_EQ(run->Plan().base.EnteredValue(piston), pistonBefore.toDouble());
    EXPECT_DOUBLE_EQ(run->Plan().base.design[piston], pistonBefore.toDouble() / 1000);
    EXPECT_EQ(FindControl<QProgressBar>(space, "DesignSpaceProgress")->value(), 120);
    EXPECT_TRUE(Button("DesignSpaceExport")->isEnabled());

    auto* map = FindControl<DesignSpaceMap>(space, "DesignSpaceMap");
    ASSERT_TRUE(map->isVisible());
    const DesignSpaceMap::Data& data = map->Values();
    ASSERT_EQ(data.values.size(), 120u);
    // Omega Bar falls with the mass: light displacers at low speed run, heavy ones at high
    // speed are overdriven.
    EXPECT_FALSE(data.overdriven[0]);
    EXPECT_TRUE(data.overdriven[119]);
    for (const std::optional<double>& value : data.values) EXPECT_TRUE(value.has_value());
    space->resize(980, 620);
    HandlePostedEvents();
    space->grab().save("/tmp/velmora_design_space_map.png");
    space->resize(800, 550);
    HandlePostedEvents();
    space->grab().save("/tmp/velmora_design_space_map_small.png");

    // Hover shows the design's values, a click puts them into the main window.
    const std::size_t k = 4 * 10 + 7;
    SendMouse(map, QEvent::MouseMove, map->CellCentre(static_cast<int>(k)), Qt::NoButton,
              Qt::NoButton);  // the map answers at once, no timer between
    EXPECT_TRUE(FindControl<QLabel>(space, "DesignSpaceReadout")
                    ->text()
                    .contains("Engine Speed (RPM) = " + space->ValueText(k, 1)));
    Control<QLineEdit>("EditPistonDiameter")->setText(pistonBefore);
    Settle();
    const int runs = Runs();
    Click(map, map->CellCentre(static_cast<int>(k)));
    // The values go in rounded to the digits that tell them from their neighbours.
    EXPECT_EQ(Control<QLineEdit>("EditDispMass")->text(), space->ValueText(k, 0));
    EXPECT_EQ(Control<QLineEdit>("EditEngineSpeed")->text(), space->ValueText(k, 1));
    EXPECT_NEAR(Control<QLineEdit>("EditDispMass")->text().toDouble(), run->Row(k).values[0],
                (1.0 / 11) / 20);
    SettleAfter(runs);
    // The main window's results are those of the clicked design (within the rounding).
    EXPECT_NEAR(window->Session().Driver.Params.OmegaBar,
                *run->Row(k).result[DesignOutput::OmegaBar],
                1e-3 * *run->Row(k).result[DesignOutput::OmegaBar]);

    const QString csv = Path("map.csv");
    ASSERT_TRUE(space->ExportCsv(csv));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList all = QString(file.readAll()).split('\n', Qt::SkipEmptyParts);
    const QStringList lines = all.filter(QRegularExpression("^[^#]"));
    ASSERT_EQ(lines.size(), 121);
    EXPECT_TRUE(lines[0].startsWith("Displacer.Mass,Engine.Speed,"));
    // The closing comment lines name each output column's source once, after the rows.
    const QStringList sources = all.filter(QRegularExpression("^# from the "));
    ASSERT_FALSE(sources.isEmpty());
    EXPECT_EQ(all.mid(all.size() - sources.size()), sources);
    QStringList named;
    for (const QString& line : sources) named += line.section(": ", 1).split(", ");
    const QStringList outputs = lines[0].split(',').mid(2);
    EXPECT_EQ(QSet<QString>(named.begin(), named.end()),
              QSet<QString>(outputs.begin(), outputs.end()));
    EXPECT_EQ(named.size(), outputs.size());
    EXPECT_TRUE(
        sources.contains(QRegularExpression("^# from the closed-form analysis: .*schmidt_power_w")))
        << sources.join('\n').toStdString();
}

TEST_F(DesignSpaceInWindow, AnEditInTheMainWindowMakesTheMapStaleAndAClickAppliesTheMapsDesign) {
    ChooseMap(4, 3);
    const QString pistonBefore = Control<QLineEdit>("EditPistonDiameter")->text();
    Button("DesignSpaceStart")->click();
    ASSERT_TRUE(WaitUntilDone(20000));
    auto* stale = FindControl<QLabel>(space, "DesignSpaceStale");
    auto* map = FindControl<DesignSpaceMap>(space, "DesignSpaceMap");
    EXPECT_TRUE(stale->text().isEmpty());
    EXPECT_FALSE(space->DesignChanged());

    // Editing a varied input does not make the map stale; it moves the marker.
    Control<QLineEdit>("EditDispMass")->setText("1.1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return map->Values().markerX.value_or(0) == 1.1; }, 5000));
    EXPECT_FALSE(space->DesignChanged());
    // Any other input does.
    Control<QLineEdit>("EditPistonDiameter")->setText("130");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !stale->text().isEmpty(); }, 5000));
    EXPECT_EQ(stale->text(), "Design changed since this map: re-run");
    EXPECT_TRUE(space->DesignChanged());
    auto* readout = FindControl<QLabel>(space, "DesignSpaceReadout");
    const int k = 2 * 3 + 1;
    SendMouse(map, QEvent::MouseMove, map->CellCentre(k), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(readout->text().contains("Click to use the map's design with these values."));

    // A click applies the map's whole design with the clicked values, as one step.
    const int steps = window->UndoStack()->index();
    const int runs = Runs();
    Click(map, map->CellCentre(k));
    SettleAfter(runs);
    EXPECT_EQ(window->UndoStack()->index(), steps + 1);
    EXPECT_EQ(Control<QLineEdit>("EditPistonDiameter")->text(), pistonBefore);
    EXPECT_EQ(Control<QLineEdit>("EditDispMass")->text(), space->ValueText(k, 0));
    EXPECT_EQ(Control<QLineEdit>("EditEngineSpeed")->text(), space->ValueText(k, 1));
    EXPECT_TRUE(stale->text().isEmpty());
    // The marker sits on the applied design, and the main window runs what the map showed.
    EXPECT_DOUBLE_EQ(map->Values().markerX.value_or(0), space->ValueText(k, 0).toDouble());
    EXPECT_DOUBLE_EQ(map->Values().markerY.value_or(0), space->ValueText(k, 1).toDouble());
    const SweepRow& row = space->Run()->Row(k);
    EXPECT_NEAR(window->Session().Driver.Params.OmegaBar, *row.result[DesignOutput::OmegaBar],
                1e-3 * *row.result[DesignOutput::OmegaBar]);
    // One undo brings the edited design back, and the map says again that it is stale.
    window->UndoStack()->undo();
    EXPECT_EQ(Control<QLineEdit>("EditPistonDiameter")->text(), "130");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !stale->text().isEmpty(); }, 5000));
    EXPECT_EQ(stale->text(), "Design changed since this map: re-run");
    // A new run is of the design as it is now.
    finished->clear();
    Button("DesignSpaceStart")->click();
    ASSERT_TRUE(WaitUntilDone(20000));
    EXPECT_TRUE(stale->text().isEmpty());
    const DesignInput& piston = *FindSweepInput("Piston.Diameter")->input;
    EXPECT_EQ(space->Run()->Plan().base.EnteredValue(piston), 130);
    EXPECT_DOUBLE_EQ(space->Run()->Plan().base.design[piston], 0.130);
}

// Each output says which model it comes from; the map's output in a line of its own.
TEST_F(DesignSpaceInWindow, SaysWhichModelEachOutputComesFrom) {
    auto* outputs = FindControl<QListWidget>(space, "DesignSpaceOutputs");
    EXPECT_EQ(outputs->item(static_cast<int>(DesignOutput::SchmidtPower))->toolTip(),
              "From the closed-form analysis");
    EXPECT_EQ(outputs->item(static_cast<int>(DesignOutput::ShaftPower))->toolTip(),
              "From the Specified (one-degree steps) model");
    EXPECT_EQ(FindControl<QLabel>(space, "DesignSpaceSource")->text(),
              "Map from the one-degree run; energy figures from the Specified (one-degree steps) "
              "model.");
    ControlState inputs = window->Session().Controls();
    inputs.Integration = IntegrationModel::Accurate;
    window->ApplyInputsAsOneStep(inputs, "Integration model");
    EXPECT_EQ(FindControl<QLabel>(space, "DesignSpaceSource")->text(),
              "Map from the Accurate (error-controlled) model; energy figures from the Accurate "
              "(error-controlled) model.");
}

TEST_F(DesignSpaceInWindow, BadFieldsAreMarkedAndStopStart) {
    ChooseMap(10, 10);
    EXPECT_TRUE(Button("DesignSpaceStart")->isEnabled());
    Field("DesignSpaceFrom1")->setText("abc");
    EXPECT_FALSE(Button("DesignSpaceStart")->isEnabled());
    EXPECT_FALSE(Field("DesignSpaceFrom1")->styleSheet().isEmpty());
    Field("DesignSpaceFrom1")->setText("0.5");
    Field("DesignSpacePoints2")->setText("0");
    EXPECT_FALSE(Button("DesignSpaceStart")->isEnabled());
    Field("DesignSpacePoints2")->setText("2000");
    Field("DesignSpacePoints1")->setText("1000");
    EXPECT_FALSE(Button("DesignSpaceStart")->isEnabled());  // 2,000,000 designs
    Field("DesignSpacePoints1")->setText("10");
    FindControl<QCheckBox>(space, "DesignSpaceLog2")->setChecked(true);
    Field("DesignSpaceFrom2")->setText("0");
    EXPECT_FALSE(Button("DesignSpaceStart")->isEnabled());
    EXPECT_FALSE(Field("DesignSpaceFrom2")->styleSheet().isEmpty());
    Field("DesignSpaceFrom2")->setText("100");
    EXPECT_TRUE(Button("DesignSpaceStart")->isEnabled());
    EXPECT_TRUE(Field("DesignSpaceFrom1")->styleSheet().isEmpty());
}

TEST_F(DesignSpaceInWindow, CancelKeepsTheRowsDoneAndTheWindowAnswersMeanwhile) {
    ChooseMap(300, 300);
    Button("DesignSpaceStart")->click();
    EXPECT_FALSE(Button("DesignSpaceStart")->isEnabled());
    // The window keeps repainting and taking input while the threads work.
    ASSERT_TRUE(QTest::qWaitFor([&] { return space->Run()->Completed() >= 50; }, 10000));
    Control<QLineEdit>("EditHotTemp")->setText("651");
    EXPECT_EQ(Control<QLineEdit>("EditHotTemp")->text(), "651");
    Button("DesignSpaceCancel")->click();
    ASSERT_TRUE(WaitUntilDone(20000));
    const std::size_t done = space->Run()->Completed();
    EXPECT_GE(done, 50u);
    EXPECT_LT(done, 90000u);
    EXPECT_TRUE(Button("DesignSpaceStart")->isEnabled());
    const QString csv = Path("cancelled.csv");
    ASSERT_TRUE(space->ExportCsv(csv));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows =
        QString(file.readAll()).split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("^[^#]"));
    EXPECT_EQ(rows.size(), static_cast<qsizetype>(done + 1));
    space->grab().save("/tmp/velmora_design_space_cancelled.png");
}

TEST_F(DesignSpaceInWindow, OneInputDrawsTheChosenOutputsWithTheCurrentDesign) {
    Field("DesignSpaceFrom1")->setText("0.5");
    Field("DesignSpaceTo1")->setText("2");
    Field("DesignSpacePoints1")->setText("31");
    Button("DesignSpaceStart")->click();
    ASSERT_TRUE(WaitUntilDone(20000));
    EXPECT_EQ(space->Run()->Completed(), 31u);
    EXPECT_TRUE(FindControl<QWidget>(space, "DesignSpaceChart")->isVisible());
    auto* view = FindControl<QChartView>(space, "DesignSpaceChart");
    QStringList names;
    for (const QAbstractSeries* series : view->chart()->series()) names << series->name();
    EXPECT_EQ(names, (QStringList{"Schmidt power (W)", "Indicated power (W)", "Current design"}));
    space->resize(980, 620);
    HandlePostedEvents();
    space->grab().save("/tmp/velmora_design_space_line.png");
    space->LoadDesign(30);
    EXPECT_EQ(Control<QLineEdit>("EditDispMass")->text(), "2");

    // Outputs in the same unit share one axis with round ticks.
    const QList<QAbstractAxis*> vertical = view->chart()->axes(Qt::Vertical);
    ASSERT_EQ(vertical.size(), 1);
    auto* power = qobject_cast<QValueAxis*>(vertical.front());
    EXPECT_EQ(power->titleText(), "Schmidt power, Indicated power (W)");
    EXPECT_EQ(power->tickType(), QValueAxis::TicksDynamic);
    const double steps = (power->max() - power->min()) / power->tickInterval();
    EXPECT_NEAR(steps, std::round(steps), 1e-9);
    EXPECT_EQ(power->min() / power->tickInterval(),
              std::round(power->min() / power->tickInterval()));

    // Hover and click work anywhere in the plot area, and only there is a click offered.
    QWidget* viewport = view->viewport();
    auto* readout = FindControl<QLabel>(space, "DesignSpaceReadout");
    const QRectF plot = view->chart()->plotArea();
    const QPoint inside = view->mapFromScene(
        view->chart()->mapToScene(QPointF(plot.left() + plot.width() * 0.2, plot.top() + 5)));
    SendMouse(viewport, QEvent::MouseMove, inside, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(readout->text().endsWith("Click to use this design."))
        << readout->text().toStdString();
    SendMouse(viewport, QEvent::MouseMove, QPoint(2, 2), Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(readout->text().contains("Click"));
    Click(viewport, inside);
    // A fifth of the way from 0.5 to 2 is 0.8: design 6 of 31.
    EXPECT_EQ(Control<QLineEdit>("EditDispMass")->text(), space->ValueText(6, 0));
    EXPECT_EQ(space->ValueText(6, 0), "0.8");
}

TEST_F(DesignSpaceInWindow, TheWindowKeepsItsSizeWhateverTheReadoutSays) {
    ChooseMap(12, 10);
    for (const int output : {static_cast<int>(DesignOutput::Beta), 0, 1, 2, 3, 4, 5, 8, 9})
        FindControl<QListWidget>(space, "DesignSpaceOutputs")
            ->item(output)
            ->setCheckState(Qt::Checked);
    space->resize(800, 550);
    Button("DesignSpaceStart")->click();
    ASSERT_TRUE(WaitUntilDone(20000));
    HandlePostedEvents();
    EXPECT_EQ(space->size(), QSize(800, 550));
    EXPECT_LE(space->minimumSizeHint().height(), 550);
    auto* map = FindControl<DesignSpaceMap>(space, "DesignSpaceMap");
    const QSize before = space->size();
    for (int k = 0; k < 120; k += 7) {
        SendMouse(map, QEvent::MouseMove, map->CellCentre(k), Qt::NoButton, Qt::NoButton);
        QCoreApplication::processEvents();
        EXPECT_EQ(space->size(), before);
    }
    // Readouts round what they show.
    const QString text = FindControl<QLabel>(space, "DesignSpaceReadout")->text();
    EXPECT_FALSE(text.contains(QRegularExpression("[0-9]{7}"))) << text.toStdString();
    space->grab().save("/tmp/velmora_design_space_800x550.png");
}

TEST(DesignSpaceMapTicks, RoundTicksWithinTheAxisAndADistinctMarkForDesignsThatWillNotRun) {
    int decimals = -1;
    std::vector<double> x;
    for (int i = 0; i < 12; ++i) x.push_back(0.5 + i / 11.0);
    const std::vector<double> ticks = MapTicks(x, decimals);
    ASSERT_EQ(ticks.size(), 5u);
    EXPECT_NEAR(ticks.front(), 0.6, 1e-12);
    EXPECT_NEAR(ticks.back(), 1.4, 1e-12);
    EXPECT_EQ(decimals, 1);
    std::vector<double> log;
    for (int i = 0; i <= 30; ++i) log.push_back(std::pow(10.0, i / 10.0));
    EXPECT_EQ(MapTicks(log, decimals),
              (std::vector<double>{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}));
    EXPECT_NEAR(AxisFraction(log, 10), 1.0 / 3, 1e-12);

    // Two maps alike but for one design that will not run: only that cell looks different.
    DesignSpaceMap map;
    map.resize(500, 400);
    DesignSpaceMap::Data data;
    data.x = {1, 2, 3};
    data.y = {1, 2};
    data.values = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0};
    data.overdriven.assign(6, false);
    data.willNotRun.assign(6, false);
    map.SetData(data);
    const QImage plain = map.grab().toImage();
    data.willNotRun[2] = true;
    map.SetData(data);
    const QImage marked = map.grab().toImage();
    data.willNotRun[2] = false;
    data.overdriven[2] = true;
    map.SetData(data);
    const QImage hatched = map.grab().toImage();
    const QPoint cell = map.CellCentre(2) + QPoint(3, 3);
    const QPoint other = map.CellCentre(4) + QPoint(3, 3);
    auto differs = [&](const QImage& a, const QImage& b, QPoint at) {
        int count = 0;
        for (int dx = -8; dx <= 8; ++dx)
            for (int dy = -8; dy <= 8; ++dy)
                count += a.pixel(at + QPoint(dx, dy)) != b.pixel(at + QPoint(dx, dy));
        return count;
    };
    EXPECT_GT(differs(plain, marked, cell), 20);
    EXPECT_EQ(differs(plain, marked, other), 0);
    EXPECT_GT(differs(marked, hatched, cell), 20);  // not the overdriven hatching
    marked.save("/tmp/velmora_design_space_will_not_run.png");
}

}  // namespace
}  // namespace velmora::testing
