#include "persistence/parameter_keys.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/form_controls.h"
#include "form/input_controls.h"
#include "form/output_unit_lists.h"

namespace velmora {

namespace {

using Kind = ParameterKeyKind;

ParameterControl Field(std::string& text) {
    return {&text, nullptr, nullptr};
}
ParameterControl Field(int& number) {
    return {nullptr, &number, nullptr};
}
ParameterControl Field(bool& flag) {
    return {nullptr, nullptr, &flag};
}

// Key builders for the inputs' and output-unit lists' keys.
ParameterKey Text(const char* section, const char* key, const char* fallback,
                  const std::function<ParameterControl(ControlState&)>& control) {
    return {section, key, Kind::Text, fallback, 0, 0, nullptr, false, control};
}
ParameterKey Choice(const char* section, const char* key, int fallback, int itemCount,
                    const std::function<ParameterControl(ControlState&)>& control) {
    return {section, key, Kind::Choice, "", fallback, itemCount, nullptr, false, control};
}

using C = ControlState;

// A key of a control that is not an input. `after` names the key it follows in the file
// ("SECTION.KEY"), nullptr for the key before it in this table.
struct OtherKey {
    ParameterKey key;
    const char* after = nullptr;
};

// The key of a control of the form table.
OtherKey KeyOf(const FormControl& row) {
    const FormControl* control = &row;
    return {{row.section, row.key, row.value, row.textDefault, row.numberDefault, row.itemCount,
             row.defaultFromControls, row.savedBeforePrevious,
             [control](C& c) {
                 return control->text != nullptr     ? Field(c.*control->text)
                        : control->number != nullptr ? Field(c.*control->number)
                                                     : Field(c.*control->flag);
             }},
            row.fileAfter};
}

// The keys of the controls that are not inputs, in file order: the form table's, with the
// output-unit lists' right after the graph's x axis. The inputs' keys come first in the file;
// a key with `after` set sits inside them.
const std::vector<OtherKey>& OtherKeys() {
    static const std::vector<OtherKey> keys = [] {
        std::vector<OtherKey> all;
        for (const FormControl& row : kFormControls) {
            all.push_back(KeyOf(row));
            if (std::string(row.section) + "." + row.key != "Graph.XAxis") continue;
            for (const OutputUnitList& list : kOutputUnitLists)
                all.push_back({Choice(kOutputUnitSection, list.key, list.fileDefault,
                                      OutputListItemCount(list),
                                      [&list](C& c) { return Field(c.outputs.*list.choice); })});
        }
        return all;
    }();
    return keys;
}

std::string NameOf(const ParameterKey& key) {
    return std::string(key.section) + "." + key.key;
}

// Every placed key goes right after the key it names; a chain of them keeps its order.
void PlaceAfter(std::vector<ParameterKey>& keys, const char* after,
                std::vector<ParameterKey> placed) {
    auto at = keys.end();
    for (auto it = keys.begin(); it != keys.end(); ++it)
        if (NameOf(*it) == after) at = it + 1;
    keys.insert(at, placed.begin(), placed.end());
}

// Inputs of the 56 keys come first (or after the key they name), the controls' keys follow;
// inputs added since come last, each in its own section, as [Model] is written after them.
std::vector<ParameterKey> AllKeys() {
    std::vector<ParameterKey> keys;
    for (const DesignInput& input : kInputs)
        if (input.fileAfter == nullptr && IsSectionOfTheFiftySixKeys(input.section)) {
            std::vector<ParameterKey> own = ParameterKeysOfInput(input);
            keys.insert(keys.end(), own.begin(), own.end());
        }
    for (const OtherKey& other : OtherKeys())
        if (other.after == nullptr) keys.push_back(other.key);
    for (const OtherKey& other : OtherKeys())
        if (other.after != nullptr) PlaceAfter(keys, other.after, {other.key});
    for (const DesignInput& input : kInputs)
        if (input.fileAfter != nullptr)
            PlaceAfter(keys, input.fileAfter, ParameterKeysOfInput(input));
    for (const DesignInput& input : kInputs)
        if (!IsSectionOfTheFiftySixKeys(input.section)) {
            std::vector<ParameterKey> own = ParameterKeysOfInput(input);
            keys.insert(keys.end(), own.begin(), own.end());
        }
    return keys;
}

std::vector<std::size_t> SaveOrderOf(const std::vector<ParameterKey>& keys) {
    std::vector<std::size_t> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    for (std::size_t i = 1; i < order.size(); ++i)
        if (keys[i].savedBeforePrevious) std::swap(order[i - 1], order[i]);
    return order;
}

const std::vector<ParameterKey>& Keys() {
    static const std::vector<ParameterKey> keys = AllKeys();
    return keys;
}

}  // namespace

bool IsSectionOfTheFiftySixKeys(std::string_view section) {
    static constexpr std::array<std::string_view, 20> kSections = {
        "Displacer",     "DisplacerRod", "DisplacerSpring", "Piston",       "DeadSpace",
        "Hot",           "Cold",         "Engine",          "ComputeCycle", "GraphCycle",
        "MaxGraphCycle", "Graph",        "OutputFormat",    "Show",         "Gravity",
        "Position",      "TabControl",   "Design",          "XAxis",        "MemoWidth"};
    for (std::string_view known : kSections)
        if (known == section) return true;
    return false;
}

int UnitsKeyDefault(const DesignInput& input) {
    return IsSectionOfTheFiftySixKeys(input.section) ? 0 : SIChoice(input.kind);
}

std::vector<ParameterKey> ParameterKeysOfInput(const DesignInput& input,
                                               const InputFormColumn& column) {
    const InputFormColumn where = column;
    std::vector<ParameterKey> keys = {
        Text(input.section, input.key, input.defaultText, [where](C& c) {
            return Field(where.control != nullptr ? (c.*where.control).text : c.*where.text);
        })};
    if (input.unitsKey != nullptr)
        keys.push_back(Choice(input.section, input.unitsKey, UnitsKeyDefault(input),
                              InputUnitItemCount(input.kind),
                              [where](C& c) { return Field((c.*where.control).units); }));
    return keys;
}

std::vector<ParameterKey> ParameterKeysOfInput(const DesignInput& input) {
    return ParameterKeysOfInput(input, FormColumn(input));
}

std::span<const ParameterKey> ParameterKeys() {
    return Keys();
}

std::span<const std::size_t> ParameterKeySaveOrder() {
    static const std::vector<std::size_t> order = SaveOrderOf(Keys());
    return order;
}

}  // namespace velmora
