#include "ui/mainwindow/control_help.h"

#include <QWidget>

namespace velmora {

const std::vector<ControlHelp>& ControlHelpTable() {
    static const std::vector<ControlHelp> table = {
        {"EditDispDiameter", "displacer diameter",
         "Displacer diameter: bore of the displacer cylinder; typical 20 mm (model) to 300 mm "
         "(large engine)",
         "DispDiameterUnits"},
        {"EditDispStroke", "displacer stroke",
         "Displacer full stroke: travel of the displacer between its two stops; typical 5 mm to "
         "100 mm",
         "DispStrokeUnits"},
        {"EditDispMass", "displacer mass",
         "Displacer mass: mass of the free displacer including its rod; typical 5 g (small "
         "engine) to 2 kg (large engine)",
         "DispMassUnits"},
        {"EditDispRodDiameter", "displacer rod diameter",
         "Displacer rod diameter: the rod area on which the pressure swing drives the displacer; "
         "typical 2 mm to 30 mm",
         "DispRodDiameterUnits"},
        {"EditSpringConstant", "spring constant",
         "Displacer spring constant: stiffness of the optional spring, 0 for none; typical 0 to "
         "2,000 N/m",
         "SpringConstantUnits"},
        {"EditSpringCenter", "spring center",
         "Spring center: displacer position, from mid-stroke, where the spring pushes neither "
         "way; typical 0 to half the displacer stroke",
         "SpringCenterUnits"},
        {"EditPistonDiameter", "piston diameter",
         "Power piston diameter: bore of the power cylinder; typical 10 mm to 200 mm",
         "PistonDiameterUnits"},
        {"EditPistonStroke", "piston stroke",
         "Power piston full stroke: twice the crank throw; typical 10 mm to 150 mm",
         "PistonStrokeUnits"},
        {"EditDeadSpaceVol", "dead space volume",
         "Dead space volume: gas volume swept by neither displacer nor piston (regenerator, "
         "ports, clearances); typical 0.1 to 1 times the piston's swept volume",
         "DeadSpaceVolUnits"},
        {"EditDeadSpaceTemp", "dead space temperature",
         "Dead space temperature: mean gas temperature in the dead space; typical midway between "
         "hot and cold (filled in on entry when empty)",
         "DeadSpaceTempUnits"},
        {"EditHotTemp", "hot temperature",
         "Hot end temperature: gas temperature at the heated end; typical 100 C (low "
         "difference) to 700 C (flame heated)",
         "HotTempUnits"},
        {"EditColdTemp", "cold temperature",
         "Cold end temperature: gas temperature at the cooled end; typical 10 C to 80 C",
         "ColdTempUnits"},
        {"EditEngineSpeed", "engine speed",
         "Engine speed: crank speed at which the cycle is simulated; typical 100 to 3,000 RPM",
         "EngineSpeedUnits"},
        {"EditMeanEnginePressure", "mean engine pressure",
         "Mean engine pressure: average gas pressure in the engine; typical 1 atm "
         "(unpressurized) to 20 atm",
         "PressureUnits"},
        {"EditRequiredEnginePower", "required power",
         "Required engine power: shaft power the design steps size the engine for; typical "
         "0.1 W (model) to 1,000 W",
         "EnginePowerUnits"},
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
        {"LengthOutputFormatRG", "length output unit",
         "Length output unit: unit of lengths in the reports and graphs", nullptr},
        {"TemperatureOutputFormatRG", "temperature output unit",
         "Temperature output unit: unit of temperatures in the reports", nullptr},
        {"MassOutputFormatRG", "mass output unit",
         "Mass output unit: unit of masses in the reports", nullptr},
        {"PressureOutputFormatRG", "pressure output unit",
         "Pressure output unit: unit of pressures in the reports and graphs", nullptr},
        {"AngleOutputFormatRG", "angle output unit",
         "Angle output unit: unit of phase angles in the reports", nullptr},
        {"AngVelOutputFormatRG", "angular velocity output unit",
         "Angular velocity output unit: unit of speeds in the reports", nullptr},
        {"SpringOutputFormatRG", "spring output unit",
         "Spring output unit: unit of spring constants in the reports", nullptr},
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
