#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/charts/chart_panel.h"
#include "ui/widgets/eliding_label.h"
#include "ui/mainwindow/sheet_builders.h"

namespace velmora {

namespace {

constexpr int kFieldWidth = 57;

struct RowSpec {
    const char* group;    // caption at the far left of the column, or nullptr
    const char* caption;  // caption next to the field
    QLineEdit** edit;
    const char* editName;
    QComboBox** units;
    const char* unitsName;
    QStringList items;
};

QCheckBox* MakeCheckBox(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setLayoutDirection(Qt::RightToLeft);  // caption to the left of the box
    return box;
}

void AddRow(QGridLayout* grid, int row, int column, const RowSpec& entry, QWidget* parent) {
    if (entry.group != nullptr)
        grid->addWidget(MakeLabel(nullptr, entry.group, parent), row, column);
    grid->addWidget(MakeLabel(nullptr, entry.caption, parent), row, column + 1,
                    Qt::AlignRight | Qt::AlignVCenter);
    *entry.edit = MakeEdit(entry.editName, " ", kFieldWidth, parent);
    grid->addWidget(*entry.edit, row, column + 2);
    *entry.units = MakeList(entry.unitsName, entry.items, parent);
    grid->addWidget(*entry.units, row, column + 3);
}

QWidget* BuildOutputPanel(WindowControls& c, QWidget* parent) {
    auto* panel = new QGroupBox("Output Formats/Units:", parent);
    panel->setObjectName("Panel1");
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(6, 4, 6, 4);
    form->setVerticalSpacing(3);
    auto add = [&](const char* caption, QComboBox*& list, const char* name,
                   const QStringList& items) {
        list = MakeList(name, items, panel);
        form->addRow(caption, list);
    };
    add("Length:", c.LengthOutputFormatRG, "LengthOutputFormatRG", LengthItems());
    add("Temperature:", c.TemperatureOutputFormatRG, "TemperatureOutputFormatRG", {"F", "C", "K"});
    add("Mass:", c.MassOutputFormatRG, "MassOutputFormatRG", {"pounds", "grams", "kilo-grams"});
    add("Pressure:", c.PressureOutputFormatRG, "PressureOutputFormatRG",
        {"Atmos", "lb/in^2", "N/m^2"});
    add("Angles:", c.AngleOutputFormatRG, "AngleOutputFormatRG", {"Radians", "Degrees"});
    add("Angular Velocity", c.AngVelOutputFormatRG, "AngVelOutputFormatRG",
        {"RPM", "Hz", "Rad/Sec"});
    add("Spring", c.SpringOutputFormatRG, "SpringOutputFormatRG", {"N/m", "grams/inch"});
    return panel;
}

void SetFocusOrder(WindowControls& c) {
    std::vector<QWidget*> order = {c.EditDispDiameter,
                                   c.EditDispMass,
                                   c.EditSpringConstant,
                                   c.EditPistonDiameter,
                                   c.EditDeadSpaceVol,
                                   c.EditHotTemp,
                                   c.EditEngineSpeed,
                                   c.EditRequiredEnginePower,
                                   c.DispDiameterUnits,
                                   c.DispMassUnits,
                                   c.SpringConstantUnits,
                                   c.PistonDiameterUnits,
                                   c.DeadSpaceVolUnits,
                                   c.HotTempUnits,
                                   c.EngineSpeedUnits,
                                   c.EnginePowerUnits,
                                   c.EditDispStroke,
                                   c.EditDispRodDiameter,
                                   c.EditSpringCenter,
                                   c.EditPistonStroke,
                                   c.EditDeadSpaceTemp,
                                   c.EditColdTemp,
                                   c.EditMeanEnginePressure,
                                   c.DispStrokeUnits,
                                   c.DispRodDiameterUnits,
                                   c.SpringCenterUnits,
                                   c.PistonStrokeUnits,
                                   c.DeadSpaceTempUnits,
                                   c.ColdTempUnits,
                                   c.PressureUnits,
                                   c.GravityCB};
    for (QComboBox* list : c.OutputLists()) order.push_back(list);
    order.push_back(c.LeakCB);
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace

QWidget* BuildInputSheet(WindowControls& c) {
    auto* sheet = new QWidget;
    sheet->setObjectName("InputSheet");
    auto* page = new QVBoxLayout(sheet);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    c.Panel2 = new QWidget(sheet);
    c.Panel2->setObjectName("Panel2");
    c.Panel2->setFixedHeight(257);
    auto* top = new QHBoxLayout(c.Panel2);
    top->setContentsMargins(6, 4, 6, 4);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    const QStringList temperature = {"F", "C", "K"};
    const RowSpec left[] = {
        {"Displacer: ", "Diameter:", &c.EditDispDiameter, "EditDispDiameter", &c.DispDiameterUnits,
         "DispDiameterUnits", LengthItems()},
        {nullptr,
         "Mass",
         &c.EditDispMass,
         "EditDispMass",
         &c.DispMassUnits,
         "DispMassUnits",
         {"pounds", "grams", "kilo-grams"}},
        {nullptr,
         "Spring",
         &c.EditSpringConstant,
         "EditSpringConstant",
         &c.SpringConstantUnits,
         "SpringConstantUnits",
         {"N/m", "grams/inch"}},
        {"Piston", "Diameter:", &c.EditPistonDiameter, "EditPistonDiameter", &c.PistonDiameterUnits,
         "PistonDiameterUnits", LengthItems()},
        {"Dead Space:",
         "Vol:",
         &c.EditDeadSpaceVol,
         "EditDeadSpaceVol",
         &c.DeadSpaceVolUnits,
         "DeadSpaceVolUnits",
         {"Inches^3", "mm^3", "cm^3", "m^3"}},
        {"Temperature", "Hot:", &c.EditHotTemp, "EditHotTemp", &c.HotTempUnits, "HotTempUnits",
         temperature},
        {nullptr,
         "Engine Speed",
         &c.EditEngineSpeed,
         "EditEngineSpeed",
         &c.EngineSpeedUnits,
         "EngineSpeedUnits",
         {"RPM", "Hz", "Rad/Sec"}},
        {nullptr,
         "Power",
         &c.EditRequiredEnginePower,
         "EditRequiredEnginePower",
         &c.EnginePowerUnits,
         "EnginePowerUnits",
         {"Watts"}},
    };
    const RowSpec right[] = {
        {nullptr, "Full Stroke: ", &c.EditDispStroke, "EditDispStroke", &c.DispStrokeUnits,
         "DispStrokeUnits", LengthItems()},
        {nullptr, "Rod Diameter:", &c.EditDispRodDiameter, "EditDispRodDiameter",
         &c.DispRodDiameterUnits, "DispRodDiameterUnits", LengthItems()},
        {nullptr, "Spring Center", &c.EditSpringCenter, "EditSpringCenter", &c.SpringCenterUnits,
         "SpringCenterUnits", LengthItems()},
        {nullptr, "Full Stroke: ", &c.EditPistonStroke, "EditPistonStroke", &c.PistonStrokeUnits,
         "PistonStrokeUnits", LengthItems()},
        {nullptr, "Temperature", &c.EditDeadSpaceTemp, "EditDeadSpaceTemp", &c.DeadSpaceTempUnits,
         "DeadSpaceTempUnits", temperature},
        {nullptr, "Cold:", &c.EditColdTemp, "EditColdTemp", &c.ColdTempUnits, "ColdTempUnits",
         temperature},
        {nullptr,
         "Pressure",
         &c.EditMeanEnginePressure,
         "EditMeanEnginePressure",
         &c.PressureUnits,
         "PressureUnits",
         {"Atmos", "lb/in^2", "N/m^2"}},
    };
    for (int row = 0; row < 8; ++row) AddRow(grid, row, 0, left[row], c.Panel2);
    for (int row = 0; row < 7; ++row) AddRow(grid, row, 4, right[row], c.Panel2);
    grid->setColumnMinimumWidth(4, 6);

    c.LeakCB = MakeCheckBox("LeakCB", "Simulate Pressure Equalization", c.Panel2);
    c.GravityCB = MakeCheckBox("GravityCB", "Simulate Displacer Weight", c.Panel2);
    grid->addWidget(c.LeakCB, 8, 5, 1, 3, Qt::AlignLeft);
    grid->addWidget(c.GravityCB, 9, 5, 1, 3, Qt::AlignLeft);
    c.lDwellA = new ElidingLabel(c.Panel2);
    c.lDwellA->setObjectName("lDwellA");
    c.lDwellA->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    c.lRelease = MakeLabel("lRelease", "", c.Panel2);
    grid->addWidget(c.lDwellA, 10, 0, 1, 8);
    grid->addWidget(c.lRelease, 11, 0, 1, 8);
    grid->setRowStretch(12, 1);

    top->addLayout(grid);
    top->addStretch(1);
    c.Panel1 = BuildOutputPanel(c, c.Panel2);
    top->addWidget(c.Panel1, 0, Qt::AlignTop);
    page->addWidget(c.Panel2);

    c.MainChartA = new ChartPanel("MainChartA", "Main Graph", sheet);
    c.MainChartA->BottomAxis()->setTitleText("seconds");
    c.Series1a = c.MainChartA->AddCurve("Series1a", Qt::red, false);
    c.Series2a = c.MainChartA->AddCurve("Series2a", Qt::blue, true);
    // The cursor spans the left axis range, so it is drawn against that axis.
    c.Series3a = c.MainChartA->AddCurve("Series3a", Qt::yellow, false);
    page->addWidget(c.MainChartA, 1);

    SetFocusOrder(c);
    return sheet;
}

}  // namespace velmora
