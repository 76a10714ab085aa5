#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

const char* const kCaution =
    "Caution: Simulate Pressure Equalization is checked and\r\n"
    "Computed Cycles is not empty.  Computed Cycles must be\r\n"
    "empty for Pressure Equalization to run to completion";

class InputEditing : public WindowTest {
  protected:
    void SetUp() override { StartWithEngine(); }

    void Enter(QLineEdit* field) {
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(field, &focus);
    }
};

TEST_F(InputEditing, TypingKeyByKeyComputesOnce500MsAfterTheLastKey) {
    window->SetEditDelay(500);  // the user's delay, measured here
    auto* stroke = Control<QLineEdit>("EditPistonStroke");
    auto* timer = Control<QTimer>("EditChangeTimer");
    stroke->selectAll();
    const int before = Runs();
    for (const char* key : {"2", ".", "5"}) {
        TypeKeys(stroke, key);
        // Every key starts the countdown over from the full interval.
        EXPECT_TRUE(timer->isActive());
        EXPECT_GT(timer->remainingTime(), 400);
        EXPECT_EQ(Runs(), before);
    }
    QElapsedTimer sinceLastKey;
    sinceLastKey.start();
    EXPECT_EQ(stroke->text(), "2.5");
    EXPECT_EQ(timer->interval(), 500);
    QSignalSpy applied(window.get(), &TForm1::ComputeApplied);
    ASSERT_TRUE(applied.wait(kComputeTimeoutMs));
    EXPECT_GE(sinceLastKey.elapsed(), 500);
    EXPECT_EQ(Runs(), before + 1);
    EXPECT_TRUE(Control<QPlainTextEdit>("Memo1")->toPlainText().contains("Piston Stroke: 2.5 mm"));
    // Nothing is left to start another run.
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(window->ComputeRunning());
}

// A choice from a list is a finished edit: only typing waits for the delay.
TEST_F(InputEditing, InputAndOutputUnitsComputeAtOnce) {
    int before = Runs();
    ChooseItem(Control<QComboBox>("PistonStrokeUnits"), 2);
    EXPECT_TRUE(window->ComputeRunning());
    EXPECT_FALSE(Control<QTimer>("EditChangeTimer")->isActive());
    SettleAfter(before);
    EXPECT_EQ(Runs(), before + 1);

    before = Runs();
    ChooseItem(Control<QComboBox>("LengthOutputFormatRG"), 0);
    EXPECT_TRUE(window->ComputeRunning());  // at once, not after the typing delay
    EXPECT_FALSE(Control<QTimer>("EditChangeTimer")->isActive());
    SettleAfter(before);
    EXPECT_EQ(Runs(), before + 1);
    EXPECT_TRUE(
        Control<QPlainTextEdit>("Memo1")->toPlainText().contains("Displacer Diameter: 5.008 in"));
}

// Enter, Tab or leaving the field ends the typing: the computation starts then, not after the
// typing delay.
TEST_F(InputEditing, EnterOrLeavingAFieldComputesAtOnce) {
    window->SetEditDelay(5000);  // far beyond the test: only the commit can start the run
    auto* timer = Control<QTimer>("EditChangeTimer");
    auto* stroke = Control<QLineEdit>("EditPistonStroke");
    stroke->setFocus();
    stroke->selectAll();
    int before = Runs();
    TypeKeys(stroke, "150");
    EXPECT_TRUE(timer->isActive());
    EXPECT_FALSE(window->ComputeRunning());
    PressKey(stroke, Qt::Key_Return);
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(window->ComputeRunning());
    SettleAfter(before);
    EXPECT_TRUE(Control<QPlainTextEdit>("Memo1")->toPlainText().contains("Piston Stroke: 150 mm"));

    before = Runs();
    stroke->selectAll();
    TypeKeys(stroke, "160");
    QTest::keyClick(stroke, Qt::Key_Tab);  // focus moves on
    EXPECT_FALSE(timer->isActive());
    SettleAfter(before);
    EXPECT_TRUE(Control<QPlainTextEdit>("Memo1")->toPlainText().contains("Piston Stroke: 160 mm"));
    // Leaving a field without an edit computes nothing.
    before = Runs();
    stroke->setFocus();
    Control<QLineEdit>("EditEngineSpeed")->setFocus();
    EXPECT_FALSE(window->ComputeRunning());
    EXPECT_EQ(Runs(), before);
}

TEST_F(InputEditing, TheWattsListStartsNothing) {
    ChooseItem(Control<QComboBox>("EnginePowerUnits"), 0);
    EXPECT_FALSE(Control<QTimer>("EditChangeTimer")->isActive());
    EXPECT_FALSE(window->ComputeRunning());
}

TEST_F(InputEditing, CautionAppearsForEveryKeyThatLeavesTheCycleFieldNonBlank) {
    auto* cycles = Control<QLineEdit>("ComputeCycleCountEdit");
    cycles->clear();
    Control<QCheckBox>("LeakCB")->setChecked(true);  // the field is empty: no caution
    EXPECT_TRUE(dialogs->Messages.isEmpty());
    TypeKeys(cycles, "10");
    ASSERT_EQ(dialogs->Messages.size(), 2);
    EXPECT_EQ(dialogs->Messages[0], kCaution);
    EXPECT_EQ(dialogs->Messages[1], kCaution);
    PressKey(cycles, Qt::Key_Backspace);  // "1" is left
    PressKey(cycles, Qt::Key_Backspace);  // empty
    EXPECT_EQ(dialogs->Messages.size(), 3);
    Control<QCheckBox>("LeakCB")->setChecked(false);  // unchecking never cautions
    cycles->setText("3");
    EXPECT_EQ(dialogs->Messages.size(), 3);
    Control<QCheckBox>("LeakCB")->setChecked(true);  // checking with 3 in the field does
    EXPECT_EQ(dialogs->Messages.size(), 4);
}

TEST_F(InputEditing, DeadSpaceTemperatureDefaultsToTheMeanOfTheTypedTemperatures) {
    auto* dead = Control<QLineEdit>("EditDeadSpaceTemp");
    Control<QLineEdit>("EditHotTemp")->setText("500");
    Control<QLineEdit>("EditColdTemp")->setText("60");
    dead->clear();
    Enter(dead);
    EXPECT_EQ(dead->text(), "280");

    dead->setText(" ");
    Enter(dead);
    EXPECT_EQ(dead->text(), " ");

    dead->clear();
    Control<QLineEdit>("EditColdTemp")->clear();
    Enter(dead);
    EXPECT_EQ(dead->text(), "");
}

TEST_F(InputEditing, ClearParametersLeavesZeroInThreeFieldsAndComputesAtOnce) {
    const int before = Runs();
    TriggerAction(window.get(), "ClearParameters1");
    EXPECT_TRUE(window->ComputeRunning());  // at once
    // The texts set are changes too: the change timer asks for one more run, which replaces
    // the first if that is still under way.
    EXPECT_TRUE(Control<QTimer>("EditChangeTimer")->isActive());
    for (const char* name : {"EditSpringConstant", "EditSpringCenter", "EditDeadSpaceVol"})
        EXPECT_EQ(Control<QLineEdit>(name)->text(), "0") << name;
    for (const char* name :
         {"EditDispDiameter", "EditDispStroke", "EditDispMass", "EditDispRodDiameter",
          "EditPistonDiameter", "EditPistonStroke", "EditDeadSpaceTemp", "EditHotTemp",
          "EditColdTemp", "EditEngineSpeed", "EditMeanEnginePressure", "EditRequiredEnginePower"})
        EXPECT_EQ(Control<QLineEdit>(name)->text(), "") << name;
    EXPECT_EQ(Control<QComboBox>("DispDiameterUnits")->currentText(), "mm");  // units stay
    SettleAfter(before);
    EXPECT_GE(Runs(), before + 1);
    EXPECT_LE(Runs(), before + 2);
}

TEST_F(InputEditing, EnterSelectsTheFieldsTextAndComputesNothing) {
    auto* field = Control<QLineEdit>("EditEngineSpeed");
    field->deselect();
    const int before = Runs();
    PressKey(field, Qt::Key_Return);
    EXPECT_EQ(field->selectedText(), "1000");
    EXPECT_FALSE(Control<QTimer>("EditChangeTimer")->isActive());
    EXPECT_FALSE(window->ComputeRunning());
    EXPECT_EQ(Runs(), before);
}

TEST_F(InputEditing, BugListComesBackFromTheMenuAndGoesAwayOnAClick) {
    auto* bugs = Control<QPlainTextEdit>("BugMemo");
    EXPECT_FALSE(bugs->isVisible());
    TriggerAction(window.get(), "BugList1");
    EXPECT_TRUE(bugs->isVisible());
    EXPECT_TRUE(bugs->toPlainText().startsWith("Click"));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 20), QPointF(20, 20), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bugs->viewport(), &press);
    EXPECT_FALSE(bugs->isVisible());
}

}  // namespace
}  // namespace velmora::testing
