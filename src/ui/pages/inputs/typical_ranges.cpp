#include "ui/pages/inputs/typical_ranges.h"

#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <cmath>

#include "designspace/rounded_text.h"
#include "ui/mainwindow/window_controls.h"

namespace velmora {

namespace {

using C = ControlState;

// Ranges in SI: metres, kilograms, N/m, kelvin, rad/s, pascals. The pressure range reaches
// the 50 atm of the shipped engine.
constexpr double kAtm = 100000;  // the Atmos of the input unit list
constexpr double kRpm = 2 * 3.14159265358979323846 / 60;
constexpr std::array<TypicalRange, 11> kRanges{{
    {&C::EditDispDiameter, 0.02, 0.3, "(model)", "(large engine)"},
    {&C::EditDispStroke, 0.005, 0.1, "", ""},
    {&C::EditDispMass, 0.005, 2, "(small engine)", "(large engine)"},
    {&C::EditDispRodDiameter, 0.002, 0.03, "", ""},
    {&C::EditSpringConstant, 0, 2000, "", ""},
    {&C::EditPistonDiameter, 0.01, 0.2, "", ""},
    {&C::EditPistonStroke, 0.01, 0.15, "", ""},
    {&C::EditHotTemp, 373.15, 973.15, "(low difference)", "(flame heated)"},
    {&C::EditColdTemp, 283.15, 353.15, "", ""},
    {&C::EditEngineSpeed, 100 * kRpm, 3000 * kRpm, "", ""},
    {&C::EditMeanEnginePressure, 1 * kAtm, 60 * kAtm, "(unpressurized)", "(pressurized)"},
}};

// An SI value in the unit of a list choice; the units are affine (temperatures have offsets).
double InUnit(InputUnitKind kind, int choice, double si) {
    const double zero = InputToSI(kind, choice, 0);
    const double one = InputToSI(kind, choice, 1) - zero;
    return one != 0 ? (si - zero) / one : si;
}

QString Value(InputUnitKind kind, int choice, double si, const QString& unit, const char* note) {
    const double value = InUnit(kind, choice, si);
    QString text = QString::fromStdString(RoundedText(value, 3));
    // Grouped as the window writes large numbers.
    const qsizetype dot = text.indexOf('.');
    for (qsizetype at = (dot < 0 ? text.size() : dot) - 3; at > (text.startsWith('-') ? 1 : 0);
         at -= 3)
        text.insert(at, ',');
    if (!unit.isEmpty()) text += " " + unit;
    if (note[0] != '\0') text += QString(" ") + note;
    return text;
}

}  // namespace

std::optional<TypicalRange> TypicalRangeOf(const DesignInput& input) {
    for (const TypicalRange& range : kRanges)
        if (range.control == input.control) return range;
    return std::nullopt;
}

QString TipInUnit(const DesignInput& input, int choice, const QString& unit) {
    const QString tip = input.tip;
    const std::optional<TypicalRange> range = TypicalRangeOf(input);
    const qsizetype typical = tip.indexOf("; typical ");
    if (!range || typical < 0 || !InputUnitDefined(input.kind, choice)) return tip;
    return tip.left(typical) + "; typical " +
           Value(input.kind, choice, range->low, unit, range->lowNote) + " to " +
           Value(input.kind, choice, range->high, unit, range->highNote);
}

void ConnectTypicalRanges(WindowControls& controls) {
    for (const DesignInput& input : kDesignInputs) {
        if (!TypicalRangeOf(input)) continue;
        const InputRow& row = controls.InputOf(input);
        if (row.edit == nullptr || row.units == nullptr) continue;
        auto update = [&input, row] {
            row.edit->setToolTip(
                TipInUnit(input, row.units->currentIndex(), row.units->currentText()));
        };
        update();
        QObject::connect(row.units, &QComboBox::currentIndexChanged, row.edit, update);
    }
}

}  // namespace velmora
