#include "simulation/simulation_output.h"
#include "ui/sheet_builders.h"

namespace velmora {

QLineEdit* MakeEdit(const char* name, const QString& text, int width, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    if (width > 0) edit->setFixedWidth(width);
    return edit;
}

QComboBox* MakeList(const char* name, const QStringList& items, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setMaxVisibleItems(items.size());
    return list;
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (name != nullptr) label->setObjectName(name);
    return label;
}

QStringList LengthItems() {
    return {"Inches", "mm", "cm", "m"};
}

QStringList CurveItems() {
    QStringList items;
    for (const CurveQuantityRow& quantity : kCurveQuantities) items << quantity.item;
    return items;
}

std::vector<InputRow> WindowControls::InputRows() const {
    return {{EditDispDiameter, DispDiameterUnits},
            {EditDispStroke, DispStrokeUnits},
            {EditDispMass, DispMassUnits},
            {EditDispRodDiameter, DispRodDiameterUnits},
            {EditSpringConstant, SpringConstantUnits},
            {EditSpringCenter, SpringCenterUnits},
            {EditPistonDiameter, PistonDiameterUnits},
            {EditPistonStroke, PistonStrokeUnits},
            {EditDeadSpaceVol, DeadSpaceVolUnits},
            {EditDeadSpaceTemp, DeadSpaceTempUnits},
            {EditHotTemp, HotTempUnits},
            {EditColdTemp, ColdTempUnits},
            {EditEngineSpeed, EngineSpeedUnits},
            {EditMeanEnginePressure, PressureUnits},
            {EditRequiredEnginePower, EnginePowerUnits}};
}

std::vector<QComboBox*> WindowControls::OutputLists() const {
    return {LengthOutputFormatRG,   TemperatureOutputFormatRG, MassOutputFormatRG,
            PressureOutputFormatRG, AngleOutputFormatRG,       AngVelOutputFormatRG,
            SpringOutputFormatRG};
}

}  // namespace velmora
