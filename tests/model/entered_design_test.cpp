// The design as entered: what sweeps and the optimizer read instead of the form's texts.
#include <gtest/gtest.h>

#include <cstring>

#include "form/design_form.h"
#include "form/input_controls.h"
#include "report/number_text.h"

namespace velmora {
namespace {

ControlState Form() {
    ControlState c;
    c.EditDispDiameter = {"4", 0};          // inches
    c.EditDispStroke = {"25", 1};           // mm
    c.EditDispMass = {"abc", 1};            // no number
    c.EditDispRodDiameter = {"1", 2};       // cm
    c.EditPistonDiameter = {"0.1", 3};      // m
    c.EditPistonStroke = {"3", kNoChoice};  // a number without a unit
    c.EditHotTemp = {"212", 0};             // F
    c.EditColdTemp = {"", 2};
    c.EditEngineSpeed = {"1.5e3", 0};  // RPM
    c.EditRequiredEnginePower = "10";
    return c;
}

const DesignInput& Input(const char* editName) {
    for (const DesignInput& input : kInputs)
        if (std::strcmp(input.editName, editName) == 0) return input;
    throw std::logic_error(editName);
}

TEST(EnteredDesign, HoldsTheFormsDesignAndEachInputsUnitAndNumber) {
    const ControlState form = Form();
    const EnteredDesign entered = EnterDesign(form);
    const Design read = ReadDesign(form).design;
    for (std::size_t i = 0; i < kInputs.size(); ++i)
        EXPECT_EQ(entered.design.values[i], read.values[i]);
    for (const DesignInput& input : kDesignInputs) {
        SCOPED_TRACE(input.editName);
        EXPECT_EQ(entered.UnitOf(input), InputField(form, input).units);
        EXPECT_EQ(entered.EnteredValue(input), NumberTextValue(InputField(form, input).text));
    }
    EXPECT_EQ(entered.EnteredValue(Input("EditDispStroke")), 25);
    EXPECT_EQ(entered.EnteredValue(Input("EditEngineSpeed")), 1500);
    // A text that is no number has no value, though the design holds 0 for it; a number
    // without a unit keeps its number, though the design cannot use it.
    EXPECT_FALSE(entered.EnteredValue(Input("EditDispMass")).has_value());
    EXPECT_FALSE(entered.EnteredValue(Input("EditColdTemp")).has_value());
    EXPECT_EQ(entered.EnteredValue(Input("EditPistonStroke")), 3);
    EXPECT_EQ(entered.design[Input("EditPistonStroke")], 0);
    EXPECT_EQ(entered.UnitOf(Input("EditPistonStroke")), kNoChoice);
}

TEST(EnteredDesign, NumbersAreReadWithTheFormsDecimalSeparator) {
    ControlState form = Form();
    form.outputs.numbers = {",", "."};
    form.EditDispStroke.text = "25,5";
    const EnteredDesign entered = EnterDesign(form);
    EXPECT_EQ(entered.EnteredValue(Input("EditDispStroke")), 25.5);
    EXPECT_EQ(entered.design[Input("EditDispStroke")], MillimetersToMeters(25.5));
}

// A trial value set in the unit the input was entered in lands in SI as typing it would.
TEST(EnteredDesign, TrialValuesAreSetInTheEnteredUnit) {
    const EnteredDesign entered = EnterDesign(Form());
    Design design = entered.design;
    const DesignInput& stroke = Input("EditDispStroke");
    SetInputInUnit(design, stroke, entered.UnitOf(stroke), 140);
    EXPECT_EQ(design[stroke], 0.14);  // 140 mm
    const DesignInput& hot = Input("EditHotTemp");
    SetInputInUnit(design, hot, entered.UnitOf(hot), 32);
    EXPECT_EQ(design[hot], 273);  // 32 F, by the coarse conversion (x - 32) * 5 / 9 + 273
    // The unit-less required power is set in watts; a unit that names no item leaves 0.
    SetInputInUnit(design, kInputs.back(), kNoChoice, 12.5);
    EXPECT_EQ(design[kInputs.back()], 12.5);
    const DesignInput& pistonStroke = Input("EditPistonStroke");
    SetInputInUnit(design, pistonStroke, entered.UnitOf(pistonStroke), 3);
    EXPECT_EQ(design[pistonStroke], 0);
}

}  // namespace
}  // namespace velmora
