#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/charts/chart_panel.h"
#include "ui/charts/pv_point_cloud.h"
#include "ui/mainwindow/sheet_builders.h"
#include "ui/pages/graphs/engine_image.h"
#include "ui/widgets/eliding_label.h"

namespace velmora {

namespace {

QLayout* BuildChoices(WindowControls& c, QWidget* panel) {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    auto add = [&](int row, const QString& caption, QWidget* control) {
        grid->addWidget(MakeLabel(nullptr, caption, panel), row, 0);
        grid->addWidget(control, row, 1, Qt::AlignLeft);
    };
    c.RedGraphRG = MakeList("RedGraphRG", CurveItems(), panel);
    c.BlueGraphRG = MakeList("BlueGraphRG", CurveItems(), panel);
    for (QComboBox* list : {c.RedGraphRG, c.BlueGraphRG}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setFixedWidth(169);
    }
    c.XAxisRG = MakeList("XAxisRG", {"Seconds", "Degrees"}, panel);
    c.ShowGraph2RG = MakeList("ShowGraph2RG",
                              {"(None)", "Pressure/Volume", "Power/Phase", "Power/Torque"}, panel);
    c.EditXAxisOffset = MakeEdit("EditXAxisOffset", "0", 57, panel);
    add(0, "Red/Left Graph:", c.RedGraphRG);
    add(1, "Blue/Right Graph:", c.BlueGraphRG);
    add(2, "X-Axis", c.XAxisRG);
    add(3, "Second Graph:", c.ShowGraph2RG);
    add(4, "X-Axis Offset (deg)", c.EditXAxisOffset);
    c.AnimateButton = new QPushButton("&Animate", panel);
    c.AnimateButton->setObjectName("AnimateButton");
    grid->addWidget(c.AnimateButton, 5, 0, Qt::AlignLeft);
    return grid;
}

QLayout* BuildCycles(WindowControls& c, QWidget* panel) {
    auto* column = new QVBoxLayout;
    column->addWidget(MakeLabel(nullptr, "Cycles:", panel));
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    c.ComputeCycleCountEdit = MakeEdit("ComputeCycleCountEdit", "3", 31, panel);
    c.GraphCycleCountEdit = MakeEdit("GraphCycleCountEdit", "3", 31, panel);
    c.MaxGraphCycleCountEdit = MakeEdit("MaxGraphCycleCountEdit", "3", 31, panel);
    grid->addWidget(MakeLabel(nullptr, "Computed:", panel), 0, 0);
    grid->addWidget(c.ComputeCycleCountEdit, 0, 1);
    grid->addWidget(MakeLabel(nullptr, "Graphed:", panel), 1, 0);
    grid->addWidget(c.GraphCycleCountEdit, 1, 1);
    grid->addWidget(MakeLabel(nullptr, "Max Auto:", panel), 2, 0);
    grid->addWidget(c.MaxGraphCycleCountEdit, 2, 1);
    column->addLayout(grid);
    c.lDeltaTee = MakeLabel("lDeltaTee", "", panel);
    QFont font = c.lDeltaTee->font();
    font.setPointSize(9);
    c.lDeltaTee->setFont(font);
    c.lDeltaTee->setStyleSheet("color: blue;");
    c.lDeltaTee->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    c.lDeltaTee->setFixedWidth(110);  // a longer time step text never moves the fields
    column->addSpacing(6);
    column->addWidget(c.lDeltaTee);
    column->addStretch(1);
    return column;
}

void BuildCharts(WindowControls& c, QWidget* sheet, QHBoxLayout* row) {
    c.Chart3 = new ChartPanel("Chart3", "Power/Phase vs RPM", sheet);
    c.Chart3->BottomAxis()->setTitleText("Speed - RPM");
    c.Chart3->LeftAxis()->setTitleText("Power (watts)");
    c.Chart3->RightAxis()->setTitleText("Phase Angle (deg)");
    c.PowerSeries = c.Chart3->AddCurve("PowerSeries", Qt::red, false);
    c.PhaseOrTorqueSeries = c.Chart3->AddCurve("PhaseOrTorqueSeries", Qt::blue, true);
    QFont title = c.Chart3->chart()->titleFont();
    title.setPointSize(8);  // its title carries the maximum power and where it lies
    c.Chart3->chart()->setTitleFont(title);
    c.Chart3->setFixedWidth(225);
    c.Chart3->hide();

    c.PVChart = new ChartPanel("PVChart", "Pressure/Volume", sheet);
    c.PVChart->BottomAxis()->setTitleText("Volume (m^3)");
    c.PVChart->LeftAxis()->setTitleText("Pressure");
    c.PVChart->RightAxis()->hide();
    // Green like the piston, so the point stands out from the red-to-black loop and the white.
    c.PVPhaseSeries = c.PVChart->AddSquareSeries("PVPhaseSeries", QColor(0, 170, 0));
    c.PVSeries =
        new PvPointCloud(c.PVChart->chart(), c.PVChart->BottomAxis(), c.PVChart->LeftAxis());
    c.PVChart->setFixedWidth(287);
    c.PVChart->hide();

    c.MainChart = new ChartPanel("MainChart", "Main Graph", sheet);
    c.MainChart->BottomAxis()->setTitleText("seconds");
    c.Series1 = c.MainChart->AddCurve("Series1", Qt::red, false);
    c.Series2 = c.MainChart->AddCurve("Series2", Qt::blue, true);
    c.Series3 = c.MainChart->AddCurve("Series3", Qt::yellow, false);

    row->addWidget(c.Chart3);
    row->addWidget(c.PVChart);
    row->addWidget(c.MainChart, 1);
}

}  // namespace

QWidget* BuildGraphSheet(WindowControls& c) {
    auto* sheet = new QWidget;
    sheet->setObjectName("GraphSheet");
    auto* page = new QVBoxLayout(sheet);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    c.Panel4 = new QWidget(sheet);
    c.Panel4->setObjectName("Panel4");
    c.Panel4->setFixedHeight(169);
    auto* top = new QHBoxLayout(c.Panel4);
    top->setContentsMargins(6, 4, 6, 4);
    // Left of the picture: the choices and cycle counts, and beneath both the dwell line,
    // which so has all the width up to the picture (a wider window shows more of it).
    auto* left = new QVBoxLayout;
    left->setSpacing(3);
    auto* fields = new QHBoxLayout;
    fields->addLayout(BuildChoices(c, c.Panel4));
    fields->addSpacing(12);
    fields->addLayout(BuildCycles(c, c.Panel4));
    fields->addStretch(1);
    left->addLayout(fields, 1);
    c.lDwell = new ElidingLabel(c.Panel4);
    c.lDwell->setObjectName("lDwell");
    // Its text never widens the page, so the lists, fields and picture stay put.
    c.lDwell->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    left->addWidget(c.lDwell);
    top->addLayout(left, 1);
    top->addSpacing(6);
    c.Image1 = new EngineImage(305, 150, c.Panel4);
    c.Image1->setObjectName("Image1");
    top->addWidget(c.Image1, 0, Qt::AlignTop);
    page->addWidget(c.Panel4);

    auto* charts = new QHBoxLayout;
    charts->setSpacing(0);
    BuildCharts(c, sheet, charts);
    page->addLayout(charts, 1);
    return sheet;
}

}  // namespace velmora
