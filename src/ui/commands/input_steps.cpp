#include "ui/commands/input_steps.h"

#include <tuple>
#include <utility>

#include "form/form_controls.h"
#include "form/input_controls.h"
#include "form/output_unit_lists.h"

namespace velmora {

namespace {

// Every input member once, so comparing and copying cannot drift apart.
template <class State, class Visit>
void ForEachInput(State& a, State& b, Visit visit) {
    for (const DesignInput& input : kInputs) {
        visit(InputText(a, input), InputText(b, input));
        if (FormColumn(input).control != nullptr)
            visit(*InputUnits(a, input), *InputUnits(b, input));
    }
    for (const FormControl& row : kFormControls) {
        if (!row.designInput) continue;
        if (row.text != nullptr) visit(a.*row.text, b.*row.text);
        if (row.flag != nullptr) visit(a.*row.flag, b.*row.flag);
        if (row.number != nullptr) visit(a.*row.number, b.*row.number);
    }
    visit(a.Integration, b.Integration);
    // The [Gas], [Losses] and [Load] keys, edited in their own tool window.
    visit(a.lossTexts.values, b.lossTexts.values);
    visit(a.lossTexts.units, b.lossTexts.units);
    for (const OutputUnitList& list : kOutputUnitLists)
        visit(a.outputs.*list.choice, b.outputs.*list.choice);
}

}  // namespace

bool SameInputs(const ControlState& a, const ControlState& b) {
    bool same = true;
    ForEachInput(a, b, [&](const auto& x, const auto& y) { same = same && x == y; });
    return same;
}

ControlState WithInputsOf(const ControlState& to, const ControlState& from) {
    ControlState result = to;
    ControlState source = from;
    ForEachInput(result, source, [](auto& x, const auto& y) { x = y; });
    return result;
}

InputStep::InputStep(const QString& text, ControlState before, ControlState after, Apply apply)
    : before_(std::move(before)), after_(std::move(after)), apply_(std::move(apply)) {
    setText(text);
}

void InputStep::undo() {
    apply_(before_);
}

void InputStep::redo() {
    if (std::exchange(done_, false)) return;
    apply_(after_);
}

}  // namespace velmora
