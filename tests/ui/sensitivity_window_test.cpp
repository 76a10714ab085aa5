#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "simulation/engine_session.h"
#include "simulation/sensitivity_study.h"
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
    window->EditChangeTimerTimer();
    const std::vector<QString> before = InputTexts();

    // The same study on a plain session with the same controls, as a second method.
    EngineSession headless;
    headless.State = window->Session().State;
    headless.Compute(true, true);
    SessionStudyTarget target(headless);
    SensitivityStudy study;
    ASSERT_TRUE(study.Run(target));
    ASSERT_GT(target.Memo3.size(), 4u);

    const int runs = Runs();
    window->IncreaseSchmidtPowerButtonClick();
    EXPECT_EQ(Runs(), runs + 25);  // two trials for each of the twelve fields, then the last
    EXPECT_EQ(InputTexts(), before);
    ExpectShownAgain();

    QStringList expected;
    for (const std::string& line : target.Memo3) expected.append(QString::fromStdString(line));
    EXPECT_EQ(Memo3(), expected);
    EXPECT_EQ(Memo3().front(), "Evaluating 10% change in design parameters.");
    EXPECT_EQ(Memo3().back(), "Evaluation complete!");
    EXPECT_TRUE(Memo3().contains(
        "Increase Piston Stroke             ([ 26 %] power 24,673 watts ==> 31,172 watts)"));
    // Every result belongs to the restored inputs again.
    EXPECT_TRUE(Control<QPlainTextEdit>("Memo1")->toPlainText().contains("1 kg"));
}

TEST_F(StudyInWindow, WhileItRunsTheReportsAreHiddenAndTheFieldIsNamed) {
    auto* stroke = Control<QLineEdit>("EditPistonStroke");
    QStringList seen;
    int secondStudies = 0;
    QObject::connect(stroke, &QLineEdit::textChanged, [&](const QString& text) {
        seen.append(text);
        EXPECT_TRUE(Control<QWidget>("Memo1")->isHidden());
        EXPECT_TRUE(Control<QWidget>("MainChartA")->isHidden());
        EXPECT_TRUE(Control<QWidget>("PVChart")->isHidden());
        EXPECT_FALSE(Control<QPushButton>("IncreaseSchmidtPowerButton")->isEnabled());
        EXPECT_EQ(Control<QLabel>("lSuggesting")->text(),
                  "Evaluating Piston Stroke            ...");
        if (secondStudies++ == 0) window->IncreaseSchmidtPowerButtonClick();  // ignored
    });
    window->IncreaseSchmidtPowerButtonClick();
    EXPECT_EQ(seen, QStringList({"154", "126", "140"}));
    EXPECT_EQ(Memo3().back(), "Evaluation complete!");
    EXPECT_EQ(Memo3().count("Evaluation complete!"), 1);
    ExpectShownAgain();
}

TEST_F(StudyInWindow, AClickDuringAComputationRunsTheStudyAfterIt) {
    window->IncreaseSchmidtPowerButtonClick();
    const QStringList alone = Memo3();
    Control<QPlainTextEdit>("Memo3")->clear();
    // Delivered by the events that the run lets through.
    QTimer::singleShot(0, window.get(), [this] {
        ASSERT_TRUE(window->Session().Driver.ComputeBusy);
        window->IncreaseSchmidtPowerButtonClick();
    });
    window->EditChangeTimerTimer();
    EXPECT_EQ(Memo3(), QStringList({""}));
    WaitMs(200);
    EXPECT_EQ(Memo3(), alone);
    ExpectShownAgain();
}

TEST_F(StudyInWindow, SkipsFieldsThatHoldNoNumber) {
    Control<QLineEdit>("EditSpringCenter")->setText("-5");
    Control<QLineEdit>("EditDeadSpaceVol")->setText("");
    window->EditChangeTimerTimer();
    const std::vector<QString> before = InputTexts();
    const int runs = Runs();
    window->IncreaseSchmidtPowerButtonClick();
    EXPECT_EQ(Runs(), runs + 21);
    EXPECT_EQ(InputTexts(), before);
}

TEST_F(StudyInWindow, WithoutSchmidtPowerItSaysSoAndRestoresEverything) {
    window->ClearParameters1Click();
    window->EditChangeTimerTimer();  // the run that the cleared texts asked for
    ASSERT_EQ(window->Session().Driver.Params.SchmidtPower, 0);
    const std::vector<QString> before = InputTexts();
    window->IncreaseSchmidtPowerButtonClick();
    EXPECT_EQ(InputTexts(), before);
    const QStringList lines = Memo3();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[2].startsWith("No Schmidt power to improve")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "Evaluation complete!");
    ExpectShownAgain();
}

}  // namespace
}  // namespace velmora::testing
