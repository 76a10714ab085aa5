#pragma once

#include <functional>
#include <span>
#include <string>

#include "model/control_state.h"

namespace velmora {

// How a key's value is stored and applied.
enum class ParameterKeyKind {
    Text,     // the control's text as typed
    Choice,   // a list's selected index; beyond its items it selects nothing
    YesNo,    // a check box, "Yes" or "No"
    Integer,  // a number (window bounds, report pane width)
    Page,     // the active page 1 to 5; other numbers leave the page as it is
};

// The control a key belongs to: exactly one of the three is set.
struct ParameterControl {
    std::string* text = nullptr;
    int* number = nullptr;
    bool* flag = nullptr;
};

// One key of a parameter file.
struct ParameterKey {
    const char* section;
    const char* key;
    ParameterKeyKind kind;
    const char* textDefault;  // Text
    int numberDefault;        // Choice, Integer, Page; YesNo: 1 for "Yes"
    int itemCount;            // Choice: the list's items
    // Integer: a default worked out from the controls as they are (window left and top).
    int (*defaultFromControls)(const ControlState&);
    // Saving writes this key just before the one above it.
    bool savedBeforePrevious;
    std::function<ParameterControl(ControlState&)> control;
};

// The 56 keys in the order LoadParameterFile reads and applies them: the inputs' keys come
// from the input table (model/design_inputs.h), the others from the table of the other controls.
std::span<const ParameterKey> ParameterKeys();

// Positions in ParameterKeys() in the order SaveParameterFile writes them: the loading order
// with each key marked savedBeforePrevious moved in front of its predecessor.
std::span<const std::size_t> ParameterKeySaveOrder();

}  // namespace velmora
