// The window's computations run on a copy of the inputs on a thread of their own; these cases
// check what the user sees of that: the same results as a run on the command line's session,
// shown all at once, the newest request winning, the window answering meanwhile.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include "export/recording_session.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/plot_curve.h"
#include "ui/mainwindow/compute_copy.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

QString Joined(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines) list.append(QString::fromStdString(line));
    return list.join('\n');
}

class WindowCompute : public WindowTest {
  protected:
    void SetUp() override { StartWithEngine(); }

    // A schedule of many graphed cycles, so a run lasts long enough to act during it.
    void AskForALongRun() {
        Control<QLineEdit>("ComputeCycleCountEdit")->setText("1000");
        Control<QLineEdit>("GraphCycleCountEdit")->setText("1000");
        FireEditTimer();
    }

    QString Pane(const char* name) { return Control<QPlainTextEdit>(name)->toPlainText(); }
};

TEST_F(WindowCompute, ShowsWhatTheHeadlessSessionComputesFromTheSameInputs) {
    Control<QLineEdit>("EditPistonStroke")->setText("150");
    FireEditTimer();

    RecordingSession headless;
    headless.State = window->Session().Controls();
    headless.Driver.LoadedFileName = window->Session().Driver.LoadedFileName;
    headless.Compute(true, true);

    EXPECT_EQ(Pane("Memo1"), Joined(headless.Driver.Memo1));
    EXPECT_EQ(Pane("Memo2"), Joined(headless.Driver.Memo2));
    const ShownRun& shown = window->Session().Sim;
    EXPECT_EQ(shown.SampleX, headless.Sim.SampleX);
    EXPECT_EQ(shown.SamplePressure, headless.Sim.SamplePressure);
    ASSERT_EQ(shown.Series1.size(), headless.Sim.Series1.size());
    for (std::size_t i = 0; i < shown.Series1.size(); ++i) {
        EXPECT_EQ(shown.Series1[i].x, headless.Sim.Series1[i].x);
        EXPECT_EQ(shown.Series1[i].y, headless.Sim.Series1[i].y);
    }
    EXPECT_EQ(window->Session().Record().size(), headless.Record().size());
    EXPECT_EQ(window->Session().Driver.Params.PVPowerAtEngineSpeed,
              headless.Driver.Params.PVPowerAtEngineSpeed);
}

TEST_F(WindowCompute, ResultsAreShownAllAtOnceWhenTheSignalComes) {
    Control<QLineEdit>("EditPistonStroke")->setText("150");
    int applied = 0;
    QObject::connect(window.get(), &TForm1::ComputeApplied, window.get(), [&] {
        ++applied;
        // Every pane and chart already holds this run's results.
        EXPECT_EQ(Pane("Memo1"), Joined(window->Session().Driver.Memo1));
        EXPECT_EQ(Pane("Memo2"), Joined(window->Session().Driver.Memo2));
        EXPECT_TRUE(Pane("Memo1").contains("Piston Stroke: 150 mm"));
        EXPECT_EQ(window->Ui().Series1->Points().size(), window->Session().Sim.Series1.size());
    });
    FireEditTimer();
    EXPECT_EQ(applied, 1);
}

TEST_F(WindowCompute, ANewerRequestDropsTheOlderRunAndOneRunFollows) {
    const int before = Runs();
    QSignalSpy applied(window.get(), &TForm1::ComputeApplied);
    window->Compute(true, true);
    ASSERT_TRUE(window->ComputeRunning());
    // Both arrive while the first run is under way (its end is only seen by the event loop).
    Control<QLineEdit>("EditPistonStroke")->setText("150");
    window->Compute(true, true);
    Control<QLineEdit>("EditPistonStroke")->setText("160");
    window->Compute(true, true);
    window->Ui().EditChangeTimer->stop();  // the texts' own timer would ask once more
    Settle(before + 1);
    EXPECT_EQ(Runs(), before + 1);
    EXPECT_EQ(applied.count(), 1);
    EXPECT_TRUE(Pane("Memo1").contains("Piston Stroke: 160 mm"));
    EXPECT_FALSE(window->ComputeRunning());
}

TEST_F(WindowCompute, TheWindowAnswersWhileALongRunGoesOn) {
    AskForALongRun();
    const int before = Runs();
    window->Compute(true, true);
    bool answeredDuringTheRun = false;
    QTimer::singleShot(0, window.get(), [&] { answeredDuringTheRun = window->ComputeRunning(); });
    Settle(before + 1);
    EXPECT_TRUE(answeredDuringTheRun);
}

TEST_F(WindowCompute, NothingWhileAFileIsLoading) {
    const int before = Runs();
    window->Session().Driver.Loading = true;
    window->Compute(true, true);
    EXPECT_FALSE(window->ComputeRunning());
    window->Session().Driver.Loading = false;
    EXPECT_EQ(Runs(), before);
}

TEST_F(WindowCompute, AStoppedRunEndsAtTheNextCycleBoundary) {
    auto progress = std::make_shared<WorkProgress>();
    ComputeCopy copy(progress, [](bool) {});
    copy.CopyStartOf(window->Session());
    copy.State = window->Session().Controls();
    progress->Cancel();
    copy.Compute(true, false);
    // The same run not stopped: all three of the file's cycles are graphed and recorded.
    RecordingSession whole;
    whole.State = copy.State;
    whole.Compute(true, false);
    // The stopped run ended with its first cycle; its report ends with the line of a run that
    // could not complete, and the window drops such a run's results.
    EXPECT_GT(copy.Record().size(), 0u);
    EXPECT_LE(copy.Record().size() * 3, whole.Record().size() + 3);
    EXPECT_EQ(copy.Driver.Memo2.back(), "*** Unable to complete the computation");
}

}  // namespace
}  // namespace velmora::testing
