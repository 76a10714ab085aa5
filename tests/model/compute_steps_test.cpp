// The record a compute run leaves and the report written from it: the decisions (an input not
// defined, a failed step, a lost validation mark) are values in the record, and the writer
// turns them into the exact lines.
#include "model/compute_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form/design_form.h"
#include "model/compute_driver.h"
#include "model/compute_report.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

// A small engine in SI units (unit choices: mm 1, kg 2, N/m 0, m^3 3, K 2, rad/s 2, N/m^2 2).
ControlState Engine() {
    ControlState c;
    c.EditDispDiameter = {"100", 1};
    c.EditDispStroke = {"20", 1};
    c.EditDispMass = {"0.5", 2};
    c.EditDispRodDiameter = {"20", 1};
    c.EditSpringConstant = {"0", 0};
    c.EditSpringCenter = {"0", 1};
    c.EditPistonDiameter = {"90", 1};
    c.EditPistonStroke = {"30", 1};
    c.EditDeadSpaceVol = {"0.0001", 3};
    c.EditDeadSpaceTemp = {"500", 2};
    c.EditHotTemp = {"800", 2};
    c.EditColdTemp = {"300", 2};
    c.EditEngineSpeed = {"100", 2};
    c.EditMeanEnginePressure = {"500000", 2};
    return c;
}

std::size_t IndexOf(double ParameterSet::*field) {
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i)
        if (kDesignInputs[i].field == field) return i;
    return kDesignInputs.size();
}

bool Contains(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ComputeRecord, AnUndefinedInputIsAFlagAndTheWriterWritesItsLine) {
    for (const char* text : {"", "abc"}) {
        ControlState controls = Engine();
        controls.EditDispMass.text = text;
        ParameterSet params;
        ComputeRecord record;
        RunComputeSteps(ReadDesign(controls), params, record, {});
        for (std::size_t i = 0; i < kDesignInputs.size(); ++i)
            EXPECT_EQ(record.inputs.undefined[i], i == IndexOf(&ParameterSet::DispMass)) << i;
        EXPECT_EQ(params.DispMass, 0.0);
        EXPECT_FALSE(record.analysis.k);  // K divides by the mass

        Lines memo1;
        bool validated = true;
        const std::string noFile;
        ReportWriter writer(memo1, controls.outputs, noFile, validated);
        WriteInputReport(record.inputs, params, writer);
        const auto at = std::find(memo1.begin(), memo1.end(), "*** Displacer Mass not defined!");
        ASSERT_NE(at, memo1.end()) << text;
        ASSERT_NE(at + 1, memo1.end());
        EXPECT_EQ(*(at + 1), "    Displacer mass: 0 g");
        EXPECT_EQ(std::count_if(memo1.begin(), memo1.end(),
                                [](const std::string& l) { return l.rfind("***", 0) == 0; }),
                  1);
    }
}

TEST(ComputeRecord, OnlyTheFailuresThatCallForItClearTheValidationMark) {
    struct Case {
        InputControl ControlState::*input;
        bool clearsMark;
        const char* line;
    };
    const Case cases[] = {
        // No engine speed: Gamma, Tee Zero and the PV powers fail; none clears the mark.
        {&ControlState::EditEngineSpeed, false, "*** Unable to compute Gamma..."},
        // No hot temperature: Tau fails, and with it the run's validation.
        {&ControlState::EditHotTemp, true, "*** Unable to compute Tau (Temp Ratio)..."},
    };
    for (const Case& c : cases) {
        ControlState controls = Engine();
        (controls.*c.input).text = "";
        ParameterSet params;
        ComputeRecord record;
        RunComputeSteps(ReadDesign(controls), params, record, {});
        EXPECT_EQ(record.analysis.failureClearsMark, c.clearsMark) << c.line;

        Lines memo2;
        bool validated = true;
        const std::string noFile;
        ReportWriter writer(memo2, controls.outputs, noFile, validated);
        WriteAnalysis(record.analysis, params, writer);
        EXPECT_TRUE(Contains(memo2, c.line)) << c.line;
        EXPECT_EQ(validated, !c.clearsMark) << c.line;
    }
}

TEST(ComputeRecord, StepsWithoutHooksComputeWhatTheDriversRunComputes) {
    class Hooks : public ComputeHooks {
      public:
        ControlState state = Engine();
        const ControlState& Controls() override { return state; }
    } hooks;
    ComputeDriver driver(hooks);
    driver.Compute(true, false);

    ParameterSet params;
    ComputeRecord record;
    RunComputeSteps(ReadDesign(hooks.state), params, record, {});
    // Every field of the plain record, compared as the doubles it holds.
    constexpr std::size_t kFields = sizeof(ParameterSet) / sizeof(double);
    const auto* a = reinterpret_cast<const double*>(&params);
    const auto* b = reinterpret_cast<const double*>(&driver.Params);
    for (std::size_t i = 0; i < kFields; ++i) EXPECT_EQ(a[i], b[i]) << "field " << i;
    EXPECT_TRUE(record.analysis.omegaBarS);
    EXPECT_TRUE(driver.RunValidated());
}

TEST(SimulationNotes, TheWriterWritesTheSimulationsLinesFromItsValues) {
    OutputUnits units;
    units.PressureOutputFormatRG = 0;  // atm
    const std::string noFile;
    bool validated = true;
    auto written = [&](const SimulationNotes& notes) {
        Lines memo2;
        ReportWriter writer(memo2, units, noFile, validated);
        WriteSimulationNotes(notes, writer);
        return memo2;
    };

    EXPECT_TRUE(written({}).empty());  // a run that ended before its schedule says nothing

    SimulationNotes notes;
    notes.countsLimited = true;
    notes.leakAdjusted = true;
    notes.adjustedPressure = 250000;
    notes.leakCycles = 7;
    notes.equilibrated = true;
    notes.summaryReported = true;  // before the first graphed cycle: three empty lines
    EXPECT_EQ(written(notes),
              (Lines{"!!! Cycle counts above 1000 are taken as 1000",
                     "    Adjusted Mean Engine Pressure (Leak): 2.5 atm in 7 cycles", "", "", ""}));

    notes.countsLimited = false;
    notes.equilibrated = false;
    notes.summary = CycleSummary{10, 50, 3, 14, true, 61, 39};
    EXPECT_EQ(written(notes),
              (Lines{"    Adjusted Mean Engine Pressure (Leak): 2.5 atm; never equilibrated",
                     "    Dwells (Hi/Lo): 10/50 degrees", "    Dwells (Hi/Lo): 3/14 %",
                     "    Integrated Pressure (Hi/Lo): 61/39 %"}));
    EXPECT_EQ(CycleSummaryLabel(*notes.summary),
              "Dwells (Hi/Lo): 10/50 degrees; 3/14 %; pressure: 61/39 %");
    EXPECT_TRUE(validated);
}

}  // namespace
}  // namespace velmora
