#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "engine/design_inputs.h"
#include "form/output_unit_lists.h"
#include "ui/charts/chart_panel.h"
#include "ui/mainwindow/sheet_builders.h"
#include "ui/widgets/eliding_label.h"

namespace velmora {

namespace {

constexpr int kFieldWidth = 57;

// The inputs in page order: by column, then row. Building them in this order keeps the
// widgets' creation order (and so Qt's child order) that of the page.
std::vector<const DesignInput*> InputsInPageOrder() {
    std::vector<const DesignInput*> inputs;
    for (const DesignInput& input : kInputs) inputs.push_back(&input);
    std::stable_sort(inputs.begin(), inputs.end(), [](const DesignInput* a, const DesignInput* b) {
        return std::pair(a->place.column, a->place.row) < std::pair(b->place.column, b->place.row);
    });
    return inputs;
}

QCheckBox* MakeCheckBox(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setLayoutDirection(Qt::RightToLeft);  // caption to the left of the box
    return box;
}

// One row of the page: group caption, caption, field and unit list.
void AddRow(QGridLayout* grid, const DesignInput& input, InputRow& widgets, QWidget* parent) {
    const int row = input.place.row;
    const int column = input.place.column * 4;
    if (input.group != nullptr)
        grid->addWidget(MakeLabel(nullptr, input.group, parent), row, column);
    grid->addWidget(MakeLabel(nullptr, input.caption, parent), row, column + 1,
                    Qt::AlignRight | Qt::AlignVCenter);
    widgets.edit = MakeEdit(input.editName, " ", kFieldWidth, parent);
    grid->addWidget(widgets.edit, row, column + 2);
    widgets.units = MakeList(input.unitsName, UnitItems(input.kind), parent);
    grid->addWidget(widgets.units, row, column + 3);
}

QWidget* BuildOutputPanel(WindowControls& c, QWidget* parent) {
    auto* panel = new QGroupBox("Output Formats/Units:", parent);
    panel->setObjectName("Panel1");
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(6, 4, 6, 4);
    form->setVerticalSpacing(3);
    std::vector<const OutputUnitList*> lists;
    for (const OutputUnitList& list : kOutputUnitLists) lists.push_back(&list);
    std::sort(lists.begin(), lists.end(), [](const OutputUnitList* a, const OutputUnitList* b) {
        return a->panelRow < b->panelRow;
    });
    for (const OutputUnitList* list : lists) {
        QComboBox*& widget = c.OutputUnitLists[OutputListIndex(*list)];
        widget = MakeList(list->listName, UnitListItems(list->family), panel);
        form->addRow(list->caption, widget);
    }
    return panel;
}

// Per column of the page its fields top down, then its unit lists; then the check boxes and
// output lists.
void SetFocusOrder(WindowControls& c) {
    std::vector<QWidget*> order;
    const std::vector<const DesignInput*> inputs = InputsInPageOrder();
    for (int column = 0; column < 2; ++column) {
        for (const DesignInput* input : inputs)
            if (input->place.column == column) order.push_back(c.InputOf(*input).edit);
        for (const DesignInput* input : inputs)
            if (input->place.column == column) order.push_back(c.InputOf(*input).units);
    }
    order.push_back(c.GravityCB);
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
    for (const DesignInput* input : InputsInPageOrder())
        AddRow(grid, *input, c.Inputs[static_cast<std::size_t>(input - kInputs.data())], c.Panel2);
    grid->setColumnMinimumWidth(4, 6);

    c.LeakCB = MakeCheckBox("LeakCB", "Simulate Pressure Equalization", c.Panel2);
    c.GravityCB = MakeCheckBox("GravityCB", "Simulate Displacer Weight", c.Panel2);
    // Beneath the input rows (eight today).
    const int below = grid->rowCount();
    grid->addWidget(c.LeakCB, below, 5, 1, 3, Qt::AlignLeft);
    grid->addWidget(c.GravityCB, below + 1, 5, 1, 3, Qt::AlignLeft);
    c.lDwellA = new ElidingLabel(c.Panel2);
    c.lDwellA->setObjectName("lDwellA");
    c.lDwellA->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    c.lRelease = MakeLabel("lRelease", "", c.Panel2);
    grid->addWidget(c.lDwellA, below + 2, 0, 1, 8);
    grid->addWidget(c.lRelease, below + 3, 0, 1, 8);
    grid->setRowStretch(below + 4, 1);

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
