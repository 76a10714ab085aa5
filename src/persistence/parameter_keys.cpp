#include "persistence/parameter_keys.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/design_inputs.h"
#include "model/output_unit_lists.h"

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

// Row builders, one per kind, so that each row of the table reads as its file key does.
ParameterKey Text(const char* section, const char* key, const char* fallback,
                  const std::function<ParameterControl(ControlState&)>& control) {
    return {section, key, Kind::Text, fallback, 0, 0, nullptr, false, control};
}
ParameterKey Choice(const char* section, const char* key, int fallback, int itemCount,
                    const std::function<ParameterControl(ControlState&)>& control,
                    bool savedBeforePrevious = false) {
    return {section,   key,     Kind::Choice,        "",     fallback,
            itemCount, nullptr, savedBeforePrevious, control};
}
ParameterKey YesNo(const char* section, const char* key, bool fallback,
                   const std::function<ParameterControl(ControlState&)>& control) {
    return {section, key, Kind::YesNo, "", fallback ? 1 : 0, 0, nullptr, false, control};
}
ParameterKey Integer(const char* section, const char* key, int fallback,
                     const std::function<ParameterControl(ControlState&)>& control,
                     int (*defaultFromControls)(const ControlState&) = nullptr) {
    return {section, key, Kind::Integer, "", fallback, 0, defaultFromControls, false, control};
}

// The halvings discard the fraction toward zero and use the bounds at the moment of reading.
int LeftDefault(const ControlState& c) {
    return (c.Width - c.Left) / 2;
}
int TopDefault(const ControlState& c) {
    return (c.Height - c.Top) / 2;
}

using C = ControlState;

// A key of a control that is not an input. `after` names the key it follows in the file
// ("SECTION.KEY"), nullptr for the key before it in this table.
struct OtherKey {
    ParameterKey key;
    const char* after = nullptr;
};

// The keys of the output-unit lists, in their table's order, go right after the graph choices.
std::vector<OtherKey> WithOutputUnitKeys(std::vector<OtherKey> keys) {
    auto at = keys.begin();
    while (at != keys.end() && std::string(at->key.section) + "." + at->key.key != "Graph.XAxis")
        ++at;
    if (at != keys.end()) ++at;
    std::vector<OtherKey> lists;
    for (const OutputUnitList& list : kOutputUnitLists)
        lists.push_back(
            {Choice(kOutputUnitSection, list.key, list.fileDefault, OutputListItemCount(list),
                    [&list](C& c) { return Field(c.outputs.*list.choice); })});
    keys.insert(at, lists.begin(), lists.end());
    return keys;
}

// The keys of the controls that are not inputs, in file order. The inputs' keys come first in
// the file; a key with `after` set sits inside them.
const std::vector<OtherKey>& OtherKeys() {
    static const std::vector<OtherKey> keys = WithOutputUnitKeys({
        {YesNo("Engine", "LeakDown", true, [](C& c) { return Field(c.LeakCB); }),
         "Engine.Pressure"},
        {Text("ComputeCycle", "Count", "3", [](C& c) { return Field(c.ComputeCycleCountEdit); })},
        {Text("GraphCycle", "Count", "3", [](C& c) { return Field(c.GraphCycleCountEdit); })},
        {Text("MaxGraphCycle", "Count", "30",
              [](C& c) { return Field(c.MaxGraphCycleCountEdit); })},
        {Choice("Graph", "Red", 0, kCurveItemCount, [](C& c) { return Field(c.RedGraphRG); })},
        {Choice("Graph", "Blue", 0, kCurveItemCount, [](C& c) { return Field(c.BlueGraphRG); })},
        {Choice(
            "Graph", "XAxis", 0, kXAxisItemCount, [](C& c) { return Field(c.XAxisRG); }, true)},
        {Choice(
            "Show", "Graph2", 0, kSecondGraphItemCount, [](C& c) { return Field(c.ShowGraph2RG); },
            true)},
        {YesNo("Gravity", "Enabled", false, [](C& c) { return Field(c.GravityCB); })},
        {Integer(
            "Position", "Left", 0, [](C& c) { return Field(c.Left); }, LeftDefault)},
        {Integer(
            "Position", "Top", 0, [](C& c) { return Field(c.Top); }, TopDefault)},
        {Integer("Position", "Height", 550, [](C& c) { return Field(c.Height); })},
        {Integer("Position", "Width", 800, [](C& c) { return Field(c.Width); })},
        {{"TabControl", "Page", Kind::Page, "", 1, 0, nullptr, false,
          [](C& c) { return Field(c.Page); }}},
        {Text("Design", "PistonDiam", "", [](C& c) { return Field(c.EditStep3PistonDiam); })},
        {Text("Design", "PistonStroke", "", [](C& c) { return Field(c.EditStep3PistonStroke); })},
        {Text("Design", "DispDiam", "", [](C& c) { return Field(c.EditStep5DispDiam); })},
        {Text("Design", "DispStroke", "", [](C& c) { return Field(c.EditStep5DispStroke); })},
        {Text("XAxis", "Offset", "0", [](C& c) { return Field(c.EditXAxisOffset); })},
        {Integer("MemoWidth", "Left", 325, [](C& c) { return Field(c.MemoWidth); })},
    });
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

std::vector<ParameterKey> ParameterKeysOfInput(const DesignInput& input) {
    const DesignInput* row = &input;
    std::vector<ParameterKey> keys = {Text(input.section, input.key, input.defaultText,
                                           [row](C& c) { return Field(InputText(c, *row)); })};
    if (input.unitsKey != nullptr)
        keys.push_back(Choice(input.section, input.unitsKey, UnitsKeyDefault(input),
                              InputUnitItemCount(input.kind),
                              [row](C& c) { return Field(*InputUnits(c, *row)); }));
    return keys;
}

std::span<const ParameterKey> ParameterKeys() {
    return Keys();
}

std::span<const std::size_t> ParameterKeySaveOrder() {
    static const std::vector<std::size_t> order = SaveOrderOf(Keys());
    return order;
}

}  // namespace velmora
