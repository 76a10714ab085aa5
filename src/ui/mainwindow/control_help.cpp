#include "ui/mainwindow/control_help.h"

#include <QWidget>

#include "model/design_inputs.h"
#include "model/output_unit_lists.h"
#include "ui/pages/inputs/typical_ranges.h"

namespace velmora {

namespace {

// The controls that are not inputs of the input table.
const std::vector<ControlHelp>& OtherControlHelp() {
    static const std::vector<ControlHelp> table = {
        {"LeakCB", "pressure equalization",
         "Simulate pressure equalization: the mean pressure settles to the cycle's average, as "
         "through seal leakage; runs to completion only with Computed cycles empty",
         nullptr},
        {"GravityCB", "displacer weight",
         "Simulate displacer weight: the displacer's weight adds to the forces on it (engine "
         "with the displacer vertical)",
         nullptr},
        {"ComputeCycleCountEdit", "computed cycles",
         "Computed cycles: crank revolutions simulated before the graphed ones; empty lets "
         "pressure equalization run until settled; typical 3 to 30",
         nullptr},
        {"GraphCycleCountEdit", "graphed cycles",
         "Graphed cycles: revolutions recorded and drawn after the computed ones; typical 1 to 3",
         nullptr},
        {"MaxGraphCycleCountEdit", "most automatic cycles",
         "Max Auto: most revolutions the automatic pressure equalization may run; typical 10 to "
         "100",
         nullptr},
        {"RedGraphRG", "red graph", "Red/left graph: quantity drawn in red against the left axis",
         nullptr},
        {"BlueGraphRG", "blue graph",
         "Blue/right graph: quantity drawn in blue against the right axis", nullptr},
        {"XAxisRG", "x axis", "X axis: time in seconds or crank angle in degrees", nullptr},
        {"ShowGraph2RG", "second graph",
         "Second graph: pressure/volume diagram, or power with phase or torque against speed",
         nullptr},
        {"EditXAxisOffset", "x-axis offset",
         "X-axis offset: crank angle in whole degrees by which the graphed cycle is shifted; "
         "typical 0 to 360",
         nullptr},
        {"EditStep3PistonDiam", "design piston diameter",
         "Design piston diameter: the stroke beside it follows from the required swept volume; "
         "typical 10 mm to 200 mm",
         nullptr},
        {"EditStep3PistonStroke", "design piston stroke",
         "Design piston full stroke: the diameter beside it follows from the required swept "
         "volume; typical 10 mm to 150 mm",
         nullptr},
        {"EditStep5DispDiam", "design displacer diameter",
         "Design displacer diameter: the stroke beside it follows from the chosen swept volume; "
         "typical 20 mm to 300 mm",
         nullptr},
        {"EditStep5DispStroke", "design displacer stroke",
         "Design displacer full stroke: the diameter beside it follows from the chosen swept "
         "volume; typical 5 mm to 100 mm",
         nullptr},
    };
    return table;
}

}  // namespace

const std::vector<ControlHelp>& ControlHelpTable() {
    static const std::vector<ControlHelp> table = [] {
        std::vector<ControlHelp> all;
        for (const DesignInput& input : kInputs)
            all.push_back({input.editName, input.quantity, InputTip(input), input.unitsName});
        for (const OutputUnitList& list : kOutputUnitLists)
            all.push_back({list.listName, list.quantity, list.tip, nullptr});
        const std::vector<ControlHelp>& others = OtherControlHelp();
        all.insert(all.end(), others.begin(), others.end());
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
