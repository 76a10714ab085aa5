#include "ui/mainwindow/control_help.h"

#include <QWidget>

#include "form/form_controls.h"
#include "form/input_controls.h"
#include "form/output_unit_lists.h"
#include "ui/pages/inputs/typical_ranges.h"

namespace velmora {

const std::vector<ControlHelp>& ControlHelpTable() {
    static const std::vector<ControlHelp> table = [] {
        std::vector<ControlHelp> all;
        for (const DesignInput& input : kInputs)
            all.push_back({input.editName, input.quantity, InputTip(input), input.unitsName});
        for (const OutputUnitList& list : kOutputUnitLists)
            all.push_back({list.listName, list.quantity, list.tip, nullptr});
        for (const FormControl& row : kFormControls)
            if (row.widgetName != nullptr)
                all.push_back({row.widgetName, row.quantity, row.tip, nullptr});
        return all;
    }();
    return table;
}

const ControlHelp* HelpFor(const QString& objectName) {
    for (const ControlHelp& entry : ControlHelpTable())
        if (objectName == QLatin1String(entry.control)) return &entry;
    return nullptr;
}

QString StepTextFor(const QString& objectName) {
    for (const ControlHelp& entry : ControlHelpTable()) {
        if (objectName == QLatin1String(entry.control))
            return QString("Edit %1").arg(entry.quantity);
        if (entry.units != nullptr && objectName == QLatin1String(entry.units))
            return QString("Edit %1 unit").arg(entry.quantity);
    }
    return "Edit";
}

void ApplyControlHelp(QWidget* root) {
    for (const ControlHelp& entry : ControlHelpTable()) {
        if (auto* control = root->findChild<QWidget*>(entry.control))
            control->setToolTip(entry.tip);
        if (entry.units == nullptr) continue;
        if (auto* units = root->findChild<QWidget*>(entry.units))
            units->setToolTip(QString("Unit of the %1 as typed").arg(entry.quantity));
    }
}

}  // namespace velmora
