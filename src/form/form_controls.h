#pragma once

#include <array>
#include <string>

#include "form/control_state.h"

namespace velmora {

// How a control holds its value in ControlState and in a parameter file.
enum class FormValue {
    Text,     // the control's text as typed
    Choice,   // a list's selected index; beyond its items it selects nothing
    YesNo,    // a check box, "Yes" or "No"
    Integer,  // a number (window bounds, report pane width)
    Page,     // the active page 1 to 5; other numbers leave the page as it is
};

// One control of the 56 keys that is neither an input (model/design_inputs.h) nor an
// output-unit list (model/output_unit_lists.h): the cycle counts, check boxes, graph choices,
// x-axis offset, window bounds and design page fields, described once. Everything that lists
// them walks kFormControls.
struct FormControl {
    FormValue value = FormValue::Text;
    // Where ControlState keeps it: one of the three, by `value`.
    std::string ControlState::*text = nullptr;
    int ControlState::*number = nullptr;
    bool ControlState::*flag = nullptr;

    // Parameter file.
    const char* section = nullptr;
    const char* key = nullptr;
    const char* textDefault = "";  // Text
    int numberDefault = 0;         // Choice, Integer, Page; YesNo: 1 for "Yes"
    int itemCount = 0;             // Choice: the list's items
    // Integer: a default worked out from the controls as they are (window left and top).
    int (*defaultFromControls)(const ControlState&) = nullptr;
    bool savedBeforePrevious = false;  // saving writes it just before the key above it
    const char* fileAfter = nullptr;   // "SECTION.KEY" it follows; nullptr: the row above

    // The window: object name of its widget (nullptr: the window's own bounds and page),
    // its name in undo steps and its tooltip.
    const char* widgetName = nullptr;
    const char* quantity = nullptr;
    const char* tip = nullptr;
    bool designInput = false;  // undo and redo restore it with the inputs
    // Its page puts it into the window itself (a design field proposes the one beside it).
    bool putByItsPage = false;
};

namespace form_table {

using C = ControlState;
using V = FormValue;

// The halvings discard the fraction toward zero and use the bounds at the moment of reading.
constexpr int LeftDefault(const ControlState& c) {
    return (c.Width - c.Left) / 2;
}
constexpr int TopDefault(const ControlState& c) {
    return (c.Height - c.Top) / 2;
}

// In parameter-file order; the output-unit lists' keys follow Graph.XAxis.
inline constexpr auto kRows = std::to_array<FormControl>({
    {.value = V::YesNo,
     .flag = &C::LeakCB,
     .section = "Engine",
     .key = "LeakDown",
     .numberDefault = 1,
     .fileAfter = "Engine.Pressure",
     .widgetName = "LeakCB",
     .quantity = "pressure equalization",
     .tip = "Simulate pressure equalization: the mean pressure settles to the cycle's average, as "
            "through seal leakage; runs to completion only with Computed cycles empty",
     .designInput = true},
    {.value = V::Text,
     .text = &C::ComputeCycleCountEdit,
     .section = "ComputeCycle",
     .key = "Count",
     .textDefault = "3",
     .widgetName = "ComputeCycleCountEdit",
     .quantity = "computed cycles",
     .tip = "Computed cycles: crank revolutions simulated before the graphed ones; empty lets "
            "pressure equalization run until settled; typical 3 to 30"},
    {.value = V::Text,
     .text = &C::GraphCycleCountEdit,
     .section = "GraphCycle",
     .key = "Count",
     .textDefault = "3",
     .widgetName = "GraphCycleCountEdit",
     .quantity = "graphed cycles",
     .tip = "Graphed cycles: revolutions recorded and drawn after the computed ones; typical 1 to "
            "3"},
    {.value = V::Text,
     .text = &C::MaxGraphCycleCountEdit,
     .section = "MaxGraphCycle",
     .key = "Count",
     .textDefault = "30",
     .widgetName = "MaxGraphCycleCountEdit",
     .quantity = "most automatic cycles",
     .tip = "Max Auto: most revolutions the automatic pressure equalization may run; typical 10 to "
            "100"},
    {.value = V::Choice,
     .number = &C::RedGraphRG,
     .section = "Graph",
     .key = "Red",
     .itemCount = kCurveItemCount,
     .widgetName = "RedGraphRG",
     .quantity = "red graph",
     .tip = "Red/left graph: quantity drawn in red against the left axis"},
    {.value = V::Choice,
     .number = &C::BlueGraphRG,
     .section = "Graph",
     .key = "Blue",
     .itemCount = kCurveItemCount,
     .widgetName = "BlueGraphRG",
     .quantity = "blue graph",
     .tip = "Blue/right graph: quantity drawn in blue against the right axis"},
    {.value = V::Choice,
     .number = &C::XAxisRG,
     .section = "Graph",
     .key = "XAxis",
     .itemCount = kXAxisItemCount,
     .savedBeforePrevious = true,
     .widgetName = "XAxisRG",
     .quantity = "x axis",
     .tip = "X axis: time in seconds or crank angle in degrees"},
    {.value = V::Choice,
     .number = &C::ShowGraph2RG,
     .section = "Show",
     .key = "Graph2",
     .itemCount = kSecondGraphItemCount,
     .savedBeforePrevious = true,
     .widgetName = "ShowGraph2RG",
     .quantity = "second graph",
     .tip = "Second graph: pressure/volume diagram, or power with phase or torque against speed"},
    {.value = V::YesNo,
     .flag = &C::GravityCB,
     .section = "Gravity",
     .key = "Enabled",
     .widgetName = "GravityCB",
     .quantity = "displacer weight",
     .tip = "Simulate displacer weight: the displacer's weight adds to the forces on it (engine "
            "with the displacer vertical)",
     .designInput = true},
    {.value = V::Integer,
     .number = &C::Left,
     .section = "Position",
     .key = "Left",
     .defaultFromControls = LeftDefault},
    {.value = V::Integer,
     .number = &C::Top,
     .section = "Position",
     .key = "Top",
     .defaultFromControls = TopDefault},
    {.value = V::Integer,
     .number = &C::Height,
     .section = "Position",
     .key = "Height",
     .numberDefault = 550},
    {.value = V::Integer,
     .number = &C::Width,
     .section = "Position",
     .key = "Width",
     .numberDefault = 800},
    {.value = V::Page,
     .number = &C::Page,
     .section = "TabControl",
     .key = "Page",
     .numberDefault = 1},
    {.value = V::Text,
     .text = &C::EditStep3PistonDiam,
     .section = "Design",
     .key = "PistonDiam",
     .widgetName = "EditStep3PistonDiam",
     .quantity = "design piston diameter",
     .tip = "Design piston diameter: the stroke beside it follows from the required swept volume; "
            "typical 10 mm to 200 mm",
     .designInput = true,
     .putByItsPage = true},
    {.value = V::Text,
     .text = &C::EditStep3PistonStroke,
     .section = "Design",
     .key = "PistonStroke",
     .widgetName = "EditStep3PistonStroke",
     .quantity = "design piston stroke",
     .tip = "Design piston full stroke: the diameter beside it follows from the required swept "
            "volume; typical 10 mm to 150 mm",
     .designInput = true,
     .putByItsPage = true},
    {.value = V::Text,
     .text = &C::EditStep5DispDiam,
     .section = "Design",
     .key = "DispDiam",
     .widgetName = "EditStep5DispDiam",
     .quantity = "design displacer diameter",
     .tip = "Design displacer diameter: the stroke beside it follows from the chosen swept "
            "volume; typical 20 mm to 300 mm",
     .designInput = true,
     .putByItsPage = true},
    {.value = V::Text,
     .text = &C::EditStep5DispStroke,
     .section = "Design",
     .key = "DispStroke",
     .widgetName = "EditStep5DispStroke",
     .quantity = "design displacer stroke",
     .tip = "Design displacer full stroke: the diameter beside it follows from the chosen swept "
            "volume; typical 5 mm to 100 mm",
     .designInput = true,
     .putByItsPage = true},
    {.value = V::Text,
     .text = &C::EditXAxisOffset,
     .section = "XAxis",
     .key = "Offset",
     .textDefault = "0",
     .widgetName = "EditXAxisOffset",
     .quantity = "x-axis offset",
     .tip = "X-axis offset: crank angle in whole degrees by which the graphed cycle is shifted; "
            "typical 0 to 360"},
    {.value = V::Integer,
     .number = &C::MemoWidth,
     .section = "MemoWidth",
     .key = "Left",
     .numberDefault = 325},
});

}  // namespace form_table

inline constexpr const auto& kFormControls = form_table::kRows;

}  // namespace velmora
