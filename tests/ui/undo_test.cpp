#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "ui/mainwindow/control_state_widgets.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

// Every input text and unit choice, the two check boxes and the design fields, as one text.
QString Inputs(TForm1& window) {
    QString all;
    for (const InputRow& row : window.Ui().InputRows())
        all += row.edit->text() + "|" + QString::number(row.units->currentIndex()) + ";";
    const WindowControls& c = window.Ui();
    all += QString::number(c.LeakCB->isChecked()) + QString::number(c.GravityCB->isChecked());
    for (QComboBox* list : c.OutputLists()) all += QString::number(list->currentIndex());
    for (QLineEdit* edit : {c.EditStep3PistonDiam, c.EditStep3PistonStroke, c.EditStep5DispDiam,
                            c.EditStep5DispStroke})
        all += ";" + edit->text();
    return all;
}

class Undo : public WindowTest {
  protected:
    void SetUp() override {
        CopyExample("KESTMORE.RBP", "Default.INI");
        CopyExample("BRANDOCK TAPPER.RBP");
        StartAndSettle();
        window->BugMemoClick();
    }
    QString Report() { return Control<QPlainTextEdit>("Memo1")->toPlainText(); }
    bool Modified() { return window->isWindowModified(); }
};

TEST_F(Undo, ClearIsOneStepThatUndoRestoresAndRecomputes) {
    const QString before = Inputs(*window);
    const QString report = Report();
    EXPECT_FALSE(Modified());
    TriggerAction(window.get(), "ClearParameters1");
    EXPECT_EQ(Control<QLineEdit>("EditDispDiameter")->text(), "");
    EXPECT_TRUE(Modified());
    EXPECT_EQ(window->UndoStack()->count(), 1);
    const int runs = Runs();
    TriggerAction(window.get(), "Undo1");
    EXPECT_EQ(Inputs(*window), before);
    SettleAfter(runs);  // once settled, no timer is left to start a run or a step
    EXPECT_EQ(Runs(), runs + 1);
    EXPECT_EQ(Report(), report);
    EXPECT_FALSE(Modified());  // back at the state of the last load
    EXPECT_EQ(window->UndoStack()->count(), 1);

    TriggerAction(window.get(), "Redo1");
    EXPECT_EQ(Control<QLineEdit>("EditDispDiameter")->text(), "");
    EXPECT_EQ(Control<QLineEdit>("EditSpringConstant")->text(), "0");
    SettleAfter(runs + 1);
    EXPECT_EQ(Runs(), runs + 2);
}

TEST_F(Undo, LoadIsOneStepAndMarksTheTitleClean) {
    const QString before = Inputs(*window);
    TypeKeys(Control<QLineEdit>("EditDispMass"), "9");
    EXPECT_TRUE(Modified());
    dialogs->LoadAnswers << Path("BRANDOCK TAPPER.RBP");
    TriggerAction(window.get(), "Load1");
    EXPECT_FALSE(Modified());
    EXPECT_EQ(window->Caption(), "Velmora -- BRANDOCK TAPPER");
    EXPECT_EQ(window->windowTitle(), "Velmora -- BRANDOCK TAPPER[*]");
    const QString loaded = Inputs(*window);
    EXPECT_NE(loaded, before);
    ASSERT_EQ(window->UndoStack()->count(), 2);  // the typing, then the load

    const int runs = Runs();
    TriggerAction(window.get(), "Undo1");  // the load
    EXPECT_TRUE(Modified());
    SettleAfter(runs);
    EXPECT_EQ(Runs(), runs + 1);
    EXPECT_TRUE(Control<QLineEdit>("EditDispMass")->text().contains("9"));
    TriggerAction(window.get(), "Undo1");  // the typing
    EXPECT_EQ(Inputs(*window), before);
    TriggerAction(window.get(), "Redo1");
    TriggerAction(window.get(), "Redo1");
    EXPECT_EQ(Inputs(*window), loaded);
    EXPECT_FALSE(Modified());
}

TEST_F(Undo, AKeystrokeBurstInOneFieldIsOneStepAndSaveClearsTheMark) {
    auto* mass = Control<QLineEdit>("EditDispMass");
    const QString before = Inputs(*window);
    mass->selectAll();
    TypeKeys(mass, "2.5");
    TypeKeys(mass, "0");
    Settle();
    EXPECT_EQ(window->UndoStack()->count(), 1);
    EXPECT_EQ(window->UndoStack()->undoText(), "Edit displacer mass");
    // A unit choice in another field is a step of its own.
    ChooseItem(Control<QComboBox>("DispMassUnits"), 1);
    TypeKeys(Control<QLineEdit>("EditHotTemp"), "1");
    Settle();
    EXPECT_EQ(window->UndoStack()->count(), 3);
    EXPECT_EQ(window->UndoStack()->text(1), "Edit displacer mass unit");
    EXPECT_EQ(window->UndoStack()->text(2), "Edit hot temperature");
    EXPECT_TRUE(Modified());

    dialogs->SaveAnswers << Path("Mine.RBP");
    TriggerAction(window.get(), "Save1");
    EXPECT_FALSE(Modified());
    EXPECT_EQ(window->Caption(), "Velmora -- Mine");

    for (int i = 0; i < 3; ++i) TriggerAction(window.get(), "Undo1");
    EXPECT_EQ(Inputs(*window), before);
    EXPECT_TRUE(Modified());
}

TEST_F(Undo, UndoBeforeTheBurstEndsTakesTheWholeBurstBack) {
    auto* hot = Control<QLineEdit>("EditHotTemp");
    const QString text = hot->text();
    hot->end(false);
    TypeKeys(hot, "12");
    TriggerAction(window.get(), "Undo1");
    EXPECT_EQ(hot->text(), text);
    EXPECT_EQ(window->UndoStack()->count(), 1);
}

TEST_F(Undo, UseButtonIsOneStep) {
    const QString before = Inputs(*window);
    auto* pages = Control<QTabWidget>("PageControl1");
    pages->setCurrentWidget(Control<QWidget>("DesignSheet"));
    Control<QLineEdit>("EditStep3PistonDiam")->setText("");
    Control<QLineEdit>("EditStep3PistonStroke")->setText("");
    Settle();
    const int steps = window->UndoStack()->count();
    const QString designed = Inputs(*window);
    // Empty design fields copied over the real piston: the loss the undo takes back.
    Control<QPushButton>("UsePistonDiamStrokeButton")->click();
    EXPECT_EQ(Control<QLineEdit>("EditPistonDiameter")->text(), "");
    EXPECT_EQ(window->UndoStack()->count(), steps + 1);
    EXPECT_EQ(window->UndoStack()->undoText(), "Use piston Diam/Stroke");
    const int runs = Runs();
    TriggerAction(window.get(), "Undo1");
    EXPECT_EQ(Inputs(*window), designed);
    SettleAfter(runs);
    EXPECT_EQ(Runs(), runs + 1);
    while (window->UndoStack()->canUndo()) TriggerAction(window.get(), "Undo1");
    EXPECT_EQ(Inputs(*window), before);
}

TEST_F(Undo, InputsFromAnotherWindowAreOneStep) {
    const QString before = Inputs(*window);
    ControlState proposal = window->Session().State;
    ReadControls(window->Ui(), proposal);
    proposal.EditDispMass.text = "0.75";
    proposal.EditDispMass.units = 2;
    proposal.GravityCB = !proposal.GravityCB;
    proposal.RedGraphRG = 5;  // not an input: stays as it is
    const int red = Control<QComboBox>("RedGraphRG")->currentIndex();
    const int runs = Runs();
    window->ApplyInputsAsOneStep(proposal, "Apply optimum");
    EXPECT_TRUE(window->ComputeRunning());  // at once
    EXPECT_EQ(Control<QLineEdit>("EditDispMass")->text(), "0.75");
    EXPECT_EQ(Control<QComboBox>("RedGraphRG")->currentIndex(), red);
    EXPECT_EQ(window->UndoStack()->count(), 1);
    EXPECT_EQ(window->UndoStack()->undoText(), "Apply optimum");
    SettleAfter(runs);  // once settled, neither a timer run nor a further step is left
    EXPECT_EQ(Runs(), runs + 1);
    TriggerAction(window.get(), "Undo1");
    EXPECT_EQ(Inputs(*window), before);
}

}  // namespace
}  // namespace velmora::testing
