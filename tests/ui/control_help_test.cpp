#include "ui/mainwindow/control_help.h"

#include <QCheckBox>
#include <QLineEdit>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class ControlHelpTips : public WindowTest {};

TEST_F(ControlHelpTips, EveryInputUnitListCheckBoxCycleCountAndGraphChoiceHasATooltip) {
    CopyExample("KESTMORE.RBP", "Default.INI");
    StartAndSettle();
    WindowControls& c = window->Ui();
    std::vector<QWidget*> controls = {c.LeakCB,
                                      c.GravityCB,
                                      c.ComputeCycleCountEdit,
                                      c.GraphCycleCountEdit,
                                      c.MaxGraphCycleCountEdit,
                                      c.RedGraphRG,
                                      c.BlueGraphRG,
                                      c.XAxisRG,
                                      c.ShowGraph2RG,
                                      c.EditXAxisOffset,
                                      c.EditStep3PistonDiam,
                                      c.EditStep3PistonStroke,
                                      c.EditStep5DispDiam,
                                      c.EditStep5DispStroke};
    for (const InputRow& row : c.InputRows()) {
        controls.push_back(row.edit);
        controls.push_back(row.units);
    }
    for (QComboBox* list : c.OutputLists()) controls.push_back(list);
    for (QWidget* control : controls) {
        const QString tip = control->toolTip();
        EXPECT_FALSE(tip.isEmpty()) << control->objectName().toStdString();
        EXPECT_FALSE(tip.contains('\n')) << control->objectName().toStdString();
    }
    // Inputs name a typical range.
    for (const InputRow& row : c.InputRows())
        EXPECT_TRUE(row.edit->toolTip().contains("typical"))
            << row.edit->objectName().toStdString();
    // The typical range is quoted in the unit chosen for the input.
    Control<QComboBox>("DispMassUnits")
        ->setCurrentIndex(Control<QComboBox>("DispMassUnits")->findText("grams"));
    EXPECT_EQ(Control<QLineEdit>("EditDispMass")->toolTip(),
              "Displacer mass: mass of the free displacer including its rod; typical 5 grams "
              "(small engine) to 2,000 grams (large engine)");
    // The shipped engine's 50 atm lies inside the pressure range.
    Control<QComboBox>("PressureUnits")
        ->setCurrentIndex(Control<QComboBox>("PressureUnits")->findText("lb/in^2"));
    EXPECT_TRUE(Control<QLineEdit>("EditMeanEnginePressure")
                    ->toolTip()
                    .endsWith("typical 15 lb/in^2 (unpressurized) to 900 lb/in^2 (pressurized)"))
        << Control<QLineEdit>("EditMeanEnginePressure")->toolTip().toStdString();
    Control<QComboBox>("PressureUnits")
        ->setCurrentIndex(Control<QComboBox>("PressureUnits")->findText("Atmos"));
    EXPECT_TRUE(Control<QLineEdit>("EditMeanEnginePressure")
                    ->toolTip()
                    .endsWith("typical 1 Atmos (unpressurized) to 60 Atmos (pressurized)"))
        << Control<QLineEdit>("EditMeanEnginePressure")->toolTip().toStdString();
    Control<QComboBox>("HotTempUnits")
        ->setCurrentIndex(Control<QComboBox>("HotTempUnits")->findText("F"));
    EXPECT_TRUE(Control<QLineEdit>("EditHotTemp")
                    ->toolTip()
                    .endsWith("typical 212 F (low difference) to 1,290 F (flame heated)"))
        << Control<QLineEdit>("EditHotTemp")->toolTip().toStdString();
    EXPECT_EQ(Control<QComboBox>("DispMassUnits")->toolTip(),
              "Unit of the displacer mass as typed");
}

TEST_F(ControlHelpTips, ATextThatIsNoNumberIsFramedWithItsReportLine) {
    CopyExample("KESTMORE.RBP", "Default.INI");
    StartAndSettle();
    auto* stroke = Control<QLineEdit>("EditPistonStroke");
    const QString help = stroke->toolTip();
    EXPECT_FALSE(stroke->property("notANumber").toBool());
    stroke->setText("14o");
    EXPECT_TRUE(stroke->property("notANumber").toBool());
    EXPECT_EQ(stroke->toolTip(), "*** Piston Stroke not defined!");
    EXPECT_TRUE(stroke->styleSheet().contains("red"));
    window->EditChangeTimerTimer();
    EXPECT_TRUE(window->Ui().Memo1->toPlainText().contains("*** Piston Stroke not defined!"));
    stroke->setText("140");
    EXPECT_FALSE(stroke->property("notANumber").toBool());
    EXPECT_EQ(stroke->toolTip(), help);
    EXPECT_TRUE(stroke->styleSheet().isEmpty());
    // The required power is not a design input and is never framed.
    window->ClearParameters1Click();
    EXPECT_TRUE(Control<QLineEdit>("EditDispDiameter")->property("notANumber").toBool());
    EXPECT_FALSE(Control<QLineEdit>("EditRequiredEnginePower")->property("notANumber").toBool());
    EXPECT_FALSE(Control<QLineEdit>("EditSpringConstant")->property("notANumber").toBool());
}

}  // namespace
}  // namespace velmora::testing
