#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "form/control_state.h"
#include "form/form_controls.h"
#include "form/input_controls.h"

namespace velmora {

// How a key's value is stored and applied.
using ParameterKeyKind = FormValue;

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

// Whether `section` is one of the sections of the 56 keys. Inputs added since live in sections
// of their own ([Losses], ...), as [Model] does.
bool IsSectionOfTheFiftySixKeys(std::string_view section);

// The unit choice an input takes from a file without its units key: the first item of its
// list for the inputs of the 56 keys, as always; the SI unit for an input in a section of its
// own, so that a file written in SI needs no units keys.
int UnitsKeyDefault(const DesignInput& input);

// The text key of an input of the table and, when it has a unit choice, its units key.
std::vector<ParameterKey> ParameterKeysOfInput(const DesignInput& input);
// The same for an input kept in `column` of the form (one that is not yet a row of the table).
std::vector<ParameterKey> ParameterKeysOfInput(const DesignInput& input,
                                               const InputFormColumn& column);

// The 56 keys in the order LoadParameterFile reads and applies them: the inputs' keys come
// from the input table (model/design_inputs.h), the output-unit lists' from theirs
// (model/output_unit_lists.h), the others from the table of the other controls
// (model/form_controls.h).
std::span<const ParameterKey> ParameterKeys();

// Positions in ParameterKeys() in the order SaveParameterFile writes them: the loading order
// with each key marked savedBeforePrevious moved in front of its predecessor.
std::span<const std::size_t> ParameterKeySaveOrder();

}  // namespace velmora
