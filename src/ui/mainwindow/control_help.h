#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace velmora {

// What a control means, in one line of engineering words; inputs carry a typical range.
// `quantity` names the control in undo steps ("Edit displacer mass").
struct ControlHelp {
    const char* control;  // object name
    const char* quantity;
    QString tip;
    const char* units;  // object name of the unit list beside an input, or nullptr
};

// The one table of every input field, unit list, check box, cycle count and graph choice.
const std::vector<ControlHelp>& ControlHelpTable();

// The table's entry for a control, or nullptr.
const ControlHelp* HelpFor(const QString& objectName);

// "Edit displacer mass" for a field, "Edit displacer mass unit" for its unit list.
QString StepTextFor(const QString& objectName);

// Gives every control of the table below `root` its tooltip, and each unit list the tooltip
// "Unit of <quantity>".
void ApplyControlHelp(QWidget* root);

}  // namespace velmora
