#pragma once

#include "report/unit_text.h"

namespace velmora {

struct ControlState;

// What a run that shows its graphs draws: the window's curve choices, its bottom axis, its
// second graph and the output units its charts are in. The cycle simulation reads these and
// nothing else of the form.
struct GraphSelection {
    int red = 0;          // curve of the left axis (RedGraphRG)
    int blue = 0;         // curve of the right axis (BlueGraphRG)
    int xAxis = 0;        // "Seconds", "Degrees" (XAxisRG)
    int secondGraph = 0;  // "(None)", "Pressure/Volume", "Power/Phase", "Power/Torque"
    OutputUnits units;
};

// Item counts of the graphs' choice lists, for turning out-of-range indices into "no choice".
constexpr int kCurveItemCount = 12;
constexpr int kXAxisItemCount = 2;
constexpr int kSecondGraphItemCount = 4;

// The index itself when it names an item of a list of `count` items, else kNoChoice.
constexpr int ClampChoice(int index, int count) {
    return index >= 0 && index < count ? index : kNoChoice;
}

// The second graph's choices that plot the power/speed curve.
inline constexpr int kPowerPhaseGraph = 2;
inline constexpr int kPowerTorqueGraph = 3;

// The choices of the window's form.
GraphSelection GraphSelectionOf(const ControlState& controls);

}  // namespace velmora
