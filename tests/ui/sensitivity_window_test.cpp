#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "session/engine_session.h"
#include "session/sensitivity_study.h"
#include "ui/charts/chart_panel.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class StudyInWindow : public WindowTest {
  protected:
    void SetUp() override {
        StartWithEngine();
        Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>("DesignSheet"));
    }

    std::vector<QString> InputTexts() {
        std::vector<QString> texts;
        for (const InputRow& row : window->Ui().InputRows()) texts.push_back(row.edit->text());
        return texts;
    }
    QStringList Memo3() { return Control<QPlainTextEdit>("Memo3")->toPlainText().split('\n'); }

    void ExpectShownAgain() {
        for (const char* name : {"Memo1", "Memo2", "MainChart", "MainChartA"})
            EXPECT_FALSE(Control<QWidget>(name)->isHidden()) << name;
        EXPECT_FALSE(Control<QWidget>("PVChart")->isHidden());  // the file's second graph
        EXPECT_TRUE(Control<QWidget>("Chart3")->isHidden());
        EXPECT_TRUE(Control<QPushButton>("IncreaseSchmidtPowerButton")->isEnabled());
        EXPECT_EQ(Control<QLabel>("lSuggesting")->text(), "");
        EXPECT_FALSE(Control<QTimer>("EditChangeTimer")->isActive());
    }
};

TEST_F(StudyInWindow, ListsTheSameGainsAsTheHeadlessStudyAndRestoresEveryInput) {
    // A text that a trial would not write back by itself.
    Control<QLineEdit>("EditDispMass")->setText("1.00");
    FireEditTimer();
    const std::vector<QString> before = InputTexts();

    // The same study on a plain session with the same controls, as a second method.
    EngineSession headless;
    headless.State = window->Session().State;
    headless.Compute(true, true);
    SessionStudyTarget target(headless);
    SensitivityStudy study;
    study.Run(target);
    ASSERT_GT(target.Memo3.size(), 4u);

    const int runs = Runs();
    window->IncreaseSchmidtPowerButtonClick();
    Settle(runs + 1);  // the trials run on a copy; only the study's final run is shown
    EXPECT_EQ(Runs(), runs + 1);
    EXPECT_EQ(InputTexts(), before);
    ExpectShownAgain();

    QStringList expected;
    for (const std::string& line : target.Memo3) expected.append(QString::fromStdString(line));
    EXPECT_EQ(Memo3(), expected);
    EXPECT_EQ(Memo3().front(), "Evaluating 10% change in design parameters.");
    EXPECT_EQ(Memo3().back(), "Evaluation complete!");
    EXPECT_TRUE(Memo3().contains(
        "Increase Piston Stroke             ([ 26 %] power 24,673 watts ==> 31,172 watts)"));
    // Every result belongs to the restored inputs again, exactly as the headless final run.
    EXPECT_EQ(window->Session().Driver.Memo1, headless.Driver.Memo1);
    EXPECT_EQ(window->Session().Driver.Memo2, headless.Driver.Memo2);
    EXPECT_TRUE(Control<QPlainTextEdit>("Memo1")->toPlainText().contains("1 kg"));
}

// A headless study that notes every text it puts into a field, as the window should show them.
class RecordingTarget : public SessionStudyTarget {
  public:
    using SessionStudyTarget::SessionStudyTarget;
    void SetFieldText(const StudyInput& input, const std::string& text) override {
        SessionStudyTarget::SetFieldText(input, text);
        shown.append(QString(input.controlName) + "=" + QString::fromStdString(text));
    }
    QStringList shown;
};

TEST_F(StudyInWindow, EachTrialIsShownInItsFieldAndTheFormerTextComesBack) {
    Control<QLineEdit>("EditDispMass")->setText("1.00");  // a text no trial writes by itself
    FireEditTimer();
    const std::vector<QString> before = InputTexts();
    EngineSession headless;
    headless.State = window->Session().State;
    headless.Compute(true, true);
    RecordingTarget target(headless);
    SensitivityStudy study;
    study.Run(target);
    ASSERT_TRUE(target.shown.contains("EditPistonStroke=154"));  // 140 mm x 1.1
    ASSERT_TRUE(target.shown.contains("EditDispMass=1.00"));

    QStringList shown;
    QObject::connect(window.get(), &TForm1::StudyFieldShown,
                     [&](QLineEdit* field, const QString& text) {
                         EXPECT_EQ(field->text(), text);
                         shown.append(field->objectName() + "=" + text);
                         // Only the field under trial differs from what the user typed.
                         int differing = 0;
                         const std::vector<QString> now = InputTexts();
                         for (size_t i = 0; i < now.size(); ++i) differing += now[i] != before[i];
                         EXPECT_LE(differing, 1);
                     });
    const int runs = Runs();
    window->IncreaseSchmidtPowerButtonClick();
    Settle(runs + 1);
    EXPECT_EQ(shown, target.shown);
    EXPECT_EQ(InputTexts(), before);
    EXPECT_EQ(Runs(), runs + 1);  // showing a trial's text starts no computation of its own
    ExpectShownAgain();
}

TEST_F(StudyInWindow, WhileItRunsTheReportsAreHidden) {
    const std::vector<QString> before = InputTexts();
    QStringList named;
    auto* suggesting = Control<QLabel>("lSuggesting");
    const int runs = Runs();
    window->IncreaseSchmidtPowerButtonClick();
    EXPECT_TRUE(window->ComputeRunning());
    // The window goes on answering while the study runs: its events are handled meanwhile.
    while (window->ComputeRunning()) {
        EXPECT_TRUE(Control<QWidget>("Memo1")->isHidden());
        EXPECT_TRUE(Control<QWidget>("MainChartA")->isHidden());
        EXPECT_TRUE(Control<QWidget>("PVChart")->isHidden());
        EXPECT_FALSE(Control<QPushButton>("IncreaseSchmidtPowerButton")->isEnabled());
        window->IncreaseSchmidtPowerButtonClick();  // ignored while the study runs
        if (!suggesting->text().isEmpty() && !named.contains(suggesting->text()))
            named.append(suggesting->text());
        QTest::qWaitFor([&] { return !window->ComputeRunning(); }, 5);
    }
    Settle(runs + 1);
    EXPECT_EQ(Runs(), runs + 1);
    EXPECT_EQ(InputTexts(), before);
    for (const QString& text : named)
        EXPECT_TRUE(text.startsWith("Evaluating ")) << text.toStdString();
    EXPECT_EQ(Memo3().back(), "Evaluation complete!");
    EXPECT_EQ(Memo3().count("Evaluation complete!"), 1);
    ExpectShownAgain();
}

TEST_F(StudyInWindow, AClickDuringAComputationRunsTheStudyAfterIt) {
    int runs = Runs();
    window->IncreaseSchmidtPowerButtonClick();
    Settle(runs + 1);
    const QStringList alone = Memo3();
    Control<QPlainTextEdit>("Memo3")->clear();
    runs = Runs();
    window->EditChangeTimerTimer();
    ASSERT_TRUE(window->ComputeRunning());
    // The study starts once that computation's results are in: it improves on them.
    window->IncreaseSchmidtPowerButtonClick();
    Settle(runs + 2);
    EXPECT_EQ(Runs(), runs + 2);
    EXPECT_EQ(Memo3(), alone);
    ExpectShownAgain();
}

TEST_F(StudyInWindow, AnEditDuringTheStudyIsComputedAfterIt) {
    const int runs = Runs();
    window->IncreaseSchmidtPowerButtonClick();
    Control<QLineEdit>("EditPistonStroke")->setText("130");  // restarts the change timer
    Settle(runs + 2);  // the study's final run, then the edit's
    EXPECT_TRUE(Control<QPlainTextEdit>("Memo1")->toPlainText().contains("Piston Stroke: 130 mm"));
    EXPECT_EQ(Control<QLineEdit>("EditPistonStroke")->text(), "130");
    ExpectShownAgain();
}

TEST_F(StudyInWindow, SkipsFieldsThatHoldNoNumber) {
    Control<QLineEdit>("EditSpringCenter")->setText("-5");
    Control<QLineEdit>("EditDeadSpaceVol")->setText("");
    FireEditTimer();
    const std::vector<QString> before = InputTexts();
    const int runs = Runs();
    window->IncreaseSchmidtPowerButtonClick();
    Settle(runs + 1);
    EXPECT_EQ(InputTexts(), before);
    // No line for either: the skipped fields cost no trial (the headless study counts them).
    for (const QString& line : Memo3()) {
        EXPECT_FALSE(line.contains("Spring Center")) << line.toStdString();
        EXPECT_FALSE(line.contains("Dead Space Volume")) << line.toStdString();
    }
}

TEST_F(StudyInWindow, WithoutSchmidtPowerItSaysSoAndRestoresEverything) {
    window->ClearParameters1Click();
    Settle(Runs() + 1);  // the run that the cleared texts asked for
    ASSERT_EQ(window->Session().Driver.Params.SchmidtPower, 0);
    const std::vector<QString> before = InputTexts();
    const int runs = Runs();
    window->IncreaseSchmidtPowerButtonClick();
    Settle(runs + 1);
    EXPECT_EQ(InputTexts(), before);
    const QStringList lines = Memo3();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[2].startsWith("No Schmidt power to improve")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "Evaluation complete!");
    ExpectShownAgain();
}

}  // namespace
}  // namespace velmora::testing
