#include "model/compute_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/design_inputs.h"
#include "support/reference_engine.h"

namespace velmora {
namespace {

// Records what the driver asks of the parts above it. The stand-in simulation sets the two PV
// powers and adds one line of its own.
class RecordingHooks : public ComputeHooks {
  public:
    ControlState state;
    std::vector<std::string> calls;
    bool animating = false;
    double pvAtEngineSpeed = 0;
    double pvAtOmegaBar = 0;
    std::function<void()> onSimulation;

    const ControlState& Controls() override { return state; }
    bool IsAnimating() const override { return animating; }
    void StopAnimation() override {
        calls.push_back("StopAnimation");
        animating = false;
    }
    void RefreshSecondGraph() override { calls.push_back("RefreshSecondGraph"); }
    void RunSimulation(ParameterSet& params, const Design&, const GraphSelection&,
                       SimulationNotes& notes) override {
        calls.push_back("RunSimulation");
        if (onSimulation) onSimulation();
        params.PVPowerAtEngineSpeed = pvAtEngineSpeed;
        params.PVPowerAtOmegaBar = pvAtOmegaBar;
        notes.countsLimited = true;  // stands for whatever the simulation has to say
    }
    void EnsureSamples() override { calls.push_back("EnsureSamples"); }
    void DrawEngineAtClickedFrame() override { calls.push_back("DrawEngine"); }

    int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }
};

InputControl In(const char* text, int units) {
    return {text, units};
}

// The reference engines as shipped.
void SetKestmore(ControlState& c) {
    c = test::ReferenceEngineControls("KESTMORE.RBP");
}

void SetBrandockTapper(ControlState& c) {
    c = test::ReferenceEngineControls("BRANDOCK TAPPER.RBP");
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& golden) {
    EXPECT_EQ(actual.size(), golden.size());
    for (std::size_t i = 0; i < std::min(actual.size(), golden.size()); ++i) {
        EXPECT_EQ(actual[i], golden[i]) << "line " << i;
    }
    if (::testing::Test::HasFailure()) ADD_FAILURE() << "whole report:\n" << Joined(actual);
}

const std::vector<std::string> kKestmoreMemo1{
    "    Displacer Diameter: 127.2 mm",
    "    Displacer Stroke: 126 mm",
    "    Displacer Half Stroke: 63 mm [Checked]",
    "    Displacer mass: 1 kg [Checked]",
    "    Displacer Rod Diameter: 38.1 mm",
    "    Displacer Spring Constant: 0 N/m",
    "    Spring Center: 0 mm",
    "    Piston Diameter: 114 mm",
    "    Piston Stroke: 140 mm",
    "    Piston Half Stroke: 70 mm [Checked]",
    "    Dead Space Volume: 3,380,000 mm ^3 [Checked]",
    "    Dead Space Temperature: 346 C [Checked]",
    "    Hot Temp: 650 C [Checked]",
    "    Cold Temp: 42 C [Checked]",
    "    Engine Speed: 1,000 RPM",
    "    Mean Engine Pressure: 50 atm [Checked]",
    "    Required Engine Power: 20,000 watts",
};

// Values worked out independently (a separate script of the formulas): areas 12,707.6 /
// 10,207.0 / 1,140.09 mm^2, gas mass 0.196244 kg, K 11,994.24, Beta 1.568474, Chi 1.208351,
// GammaM 0.924, Alpha Bar 50.3897 degrees, Tee Zero 39.6103 degrees, Omega Bar 1,131.84 RPM,
// neutral-spring limit 1,641.56 RPM, Omega Bar S 1,037.50 RPM, work 1,307.924 J, power
// 24,672.74 W, velocity 8,311.22 mm/s, loss 1,303.06 W = 5.2814% of the Schmidt power.
const std::vector<std::string> kKestmoreMemo2{
    "    Displacer Area: 12,708 mm ^2 [Checked]",
    "    Displacer Swept Volume: 1,601,158 mm ^3",
    "    Piston Area: 10,207 mm ^2 [Checked]",
    "    Piston Swept Volume: 1,428,984 mm ^3",
    "    Displacer Rod Area: 1,140 mm ^2 [Checked]",
    "    Gas Mass: 0.19624 kg",
    "    Tau (Temp Ratio): 0.34128 [Checked]",
    "    Tau Prime (Dead Space Temp Ratio): 0.50889 [Checked]",
    "    Lambda (Stroke Ratio): 1.111 [Checked]",
    "    Rho (Displacer Rod Area Ratio): 0.08972 [Checked]",
    "    Kappa (Swept Area Ratio): 0.80322 [Checked]",
    "    Sigma (Dead Space Ratio): 2.148 [Checked]",
    "    Sigma * Kappa (Swept Volume Ratio): 0.89247",
    "    1 - tau - rho: 0.569",
    "    K: 11,994 [Checked]",
    "    Beta: 1.568 [Checked]",
    "    Chi: 1.208 [Checked]",
    "    gamma: 1.046",
    "    gammaM: 0.924 [Checked]",
    "    Neutral Spring Constant: 11,994 N/m",
    "    Alpha Bar (phase angle): 50.39 degrees [Checked]",
    "    Tee Zero (Displacer Stroke Start): 39.61 degrees",
    "    Speed: Omega Bar (overdriven limit): 1,132 RPM [Checked]",
    "    Speed: Limit with neutral springing: 1,642 RPM",
    "    Speed: Specified Engine Speed      : 1,000 RPM",
    "    Omega Bar S: 1,037 RPM",
    "!!! Cycle counts above 1000 are taken as 1000",
    "    Estimated Work (Schmidt): 1,308 Nm [Checked]",
    "    Power: Estimated (Schmidt)                      : 24,673 watts [Checked]",
    "    Power: from PV graph at Engine Speed (1,000 RPM): 19,668 watts",
    "    Power: from PV graph at Omega Bar (1,132 RPM)   : 22,261 watts",
    "    Maximum Displacer Velocity: 8,311 mm/sec",
    "    Displacer Power Loss: 1,303 watts(5.281%) [Checked]",
    "*** Simulator appears to be validated",
};

TEST(ComputeDriverReport, KestmoreWholeReport) {
    RecordingHooks hooks;
    SetKestmore(hooks.state);
    hooks.pvAtEngineSpeed = 19668.2;
    hooks.pvAtOmegaBar = 22261.4;
    ComputeDriver driver(hooks);
    driver.LoadedFileName = "/home/me/engines/Kestmore.rbp";  // letter case differs
    driver.Compute(true, true);
    ExpectLines(driver.Memo1, kKestmoreMemo1);
    ExpectLines(driver.Memo2, kKestmoreMemo2);
    EXPECT_TRUE(driver.RunValidated());
}

TEST(ComputeDriverReport, BrandockTapperWholeReport) {
    RecordingHooks hooks;
    SetBrandockTapper(hooks.state);
    ComputeDriver driver(hooks);
    driver.LoadedFileName = "BRANDOCK TAPPER.RBP";
    driver.Compute(true, true);
    ExpectLines(driver.Memo1, {
                                  "    Displacer Diameter: 0.6 in",
                                  "    Displacer Stroke: 0.625 in",
                                  "    Displacer Half Stroke: 0.3125 in [Checked]",
                                  "    Displacer mass: 4.94 g [Checked]",
                                  "    Displacer Rod Diameter: 0.21875 in",
                                  "    Displacer Spring Constant: 0 g/inch",
                                  "    Spring Center: 0 in",
                                  "    Piston Diameter: 0.502 in",
                                  "    Piston Stroke: 0.67 in",
                                  "    Piston Half Stroke: 0.335 in [Checked]",
                                  "    Dead Space Volume: 0.03356 in ^3 [Checked]",
                                  "    Dead Space Temperature: 248 C [Checked]",
                                  "    Hot Temp: 450 C [Checked]",
                                  "    Cold Temp: 47 C [Checked]",
                                  "    Engine Speed: 1,200 RPM",
                                  "    Mean Engine Pressure: 1 atm [Checked]",
                              });
    // Independently: areas 0.282744 / 0.197924 / 0.0375827 in^2, K 11,445.07, Beta 1.767843,
    // Chi 1.457831, GammaM 0.805, Alpha Bar 55.5518 degrees, Omega Bar 1,269.07 RPM, work
    // 0.0658111 J, power 1.391981 W, velocity 47.6133 in/s, loss 0.152822 W = 10.9787%.
    ExpectLines(driver.Memo2,
                {
                    "    Displacer Area: 0.28274 in ^2 [Checked]",
                    "    Displacer Swept Volume: 0.17671 in ^3",
                    "    Piston Area: 0.19792 in ^2 [Checked]",
                    "    Piston Swept Volume: 0.13261 in ^3",
                    "    Displacer Rod Area: 0.03758 in ^2 [Checked]",
                    "    Gas Mass: 0.00387 g",
                    "    Tau (Temp Ratio): 0.4426 [Checked]",
                    "    Tau Prime (Dead Space Temp Ratio): 0.6142 [Checked]",
                    "    Lambda (Stroke Ratio): 1.072 [Checked]",
                    "    Rho (Displacer Rod Area Ratio): 0.13292 [Checked]",
                    "    Kappa (Swept Area Ratio): 0.70001 [Checked]",
                    "    Sigma (Dead Space Ratio): 0.23331 [Checked]",
                    "    Sigma * Kappa (Swept Volume Ratio): 0.75041",
                    "    1 - tau - rho: 0.42448",
                    "    K: 11,445 [Checked]",
                    "    Beta: 1.768 [Checked]",
                    "    Chi: 1.458 [Checked]",
                    "    gamma: 0.85133",
                    "    gammaM: 0.805 [Checked]",
                    "    Neutral Spring Constant: 1,436 g/inch",
                    "    Alpha Bar (phase angle): 55.552 degrees [Checked]",
                    "    Tee Zero (Displacer Stroke Start): 34.448 degrees",
                    "    Speed: Omega Bar (overdriven limit): 1,269 RPM [Checked]",
                    "    Speed: Limit with neutral springing: 1,702 RPM",
                    "    Speed: Specified Engine Speed      : 1,200 RPM",
                    "    Omega Bar S: 1,077 RPM",
                    "!!! Cycle counts above 1000 are taken as 1000",
                    "    Estimated Work (Schmidt): 0.06581 Nm",
                    "    Power: Estimated (Schmidt)                      : 1.392 watts",
                    "*** Unable to compute Power from Pressure/Volume graph",
                    "*** Unable to compute Power from Pressure/Volume graph",
                    "    Maximum Displacer Velocity: 47.613 in/sec",
                    "    Displacer Power Loss: 0.15282 watts(10.979%)",
                    "*** Simulator appears to be validated",
                });
}

TEST(ComputeDriverReport, SprungEngineInOtherUnits) {
    RecordingHooks hooks;
    SetKestmore(hooks.state);
    hooks.state.EditSpringConstant = In("4000", 0);
    hooks.state.EditSpringCenter = In("0.5", 2);
    hooks.state.EditRequiredEnginePower = "";
    OutputUnits& u = hooks.state.outputs;
    u.LengthOutputFormatRG = 2;       // cm
    u.TemperatureOutputFormatRG = 2;  // K
    u.MassOutputFormatRG = 0;         // pounds
    u.AngVelOutputFormatRG = 1;       // Hz
    u.SpringOutputFormatRG = 1;       // grams/inch
    u.AngleOutputFormatRG = 0;        // radians
    u.PressureOutputFormatRG = 1;     // lb/in^2
    ComputeDriver driver(hooks);
    driver.LoadedFileName = "Sprung.RBP";
    driver.Compute(true, true);
    ExpectLines(driver.Memo1, {
                                  "    Displacer Diameter: 12.72 cm",
                                  "    Displacer Stroke: 12.6 cm",
                                  "    Displacer Half Stroke: 6.3 cm",
                                  "    Displacer mass: 2.2 lb",
                                  "    Displacer Rod Diameter: 3.81 cm",
                                  "    Displacer Spring Constant: 101,600 g/inch",
                                  "    Spring Center: 0.5 cm",
                                  "    Piston Diameter: 11.4 cm",
                                  "    Piston Stroke: 14 cm",
                                  "    Piston Half Stroke: 7 cm",
                                  "    Dead Space Volume: 3,380 cm ^3",
                                  "    Dead Space Temperature: 619 K",
                                  "    Hot Temp: 923 K",
                                  "    Cold Temp: 315 K",
                                  "    Engine Speed: 16.667 Hz",
                                  "    Mean Engine Pressure: 750 lb/in^2",
                              });
    // Independently: K S = K - 4000 = 7,994.24, spring factor 1.50036, Beta S 2.353276, Chi S
    // 2.130237, GammaM 0.624, Alpha Bar 1.13190 rad, Omega Bar sqrt(K S) / 0.624 = 143.287
    // rad/s = 22.805 Hz, limit 210.56 rad/s, Omega Bar S 118.06 rad/s, work 1,541.948 J,
    // power 35,163.68 W, velocity 13,202.30 mm/s, loss 3,974.88 W = 11.3039%.
    ExpectLines(driver.Memo2,
                {
                    "    Displacer Area: 127.076 cm ^2",
                    "    Displacer Swept Volume: 1,601 cm ^3",
                    "    Piston Area: 102.07 cm ^2",
                    "    Piston Swept Volume: 1,429 cm ^3",
                    "    Displacer Rod Area: 11.401 cm ^2",
                    "    Gas Mass: 0.43174 lb",
                    "    Tau (Temp Ratio): 0.34128",
                    "    Tau Prime (Dead Space Temp Ratio): 0.50889",
                    "    Lambda (Stroke Ratio): 1.111",
                    "    Rho (Displacer Rod Area Ratio): 0.08972",
                    "    Kappa (Swept Area Ratio): 0.80322",
                    "    Sigma (Dead Space Ratio): 2.148",
                    "    Sigma * Kappa (Swept Volume Ratio): 0.89247",
                    "    1 - tau - rho: 0.569",
                    "    K: 11,994",
                    "    K S: 7,994",
                    "    Beta: 1.568",
                    "    Beta S: 2.353",
                    "    Chi S: 2.13",
                    "    gamma S: 1.046",
                    "    gammaM: 0.624",
                    "    Neutral Spring Constant: 304,654 g/inch",
                    "    Alpha Bar (phase angle): 1.132 rad",
                    "    Tee Zero (Displacer Stroke Start): 39.61 degrees",
                    "    Speed: Omega Bar (overdriven limit): 22.805 Hz",
                    "    Speed: Limit with neutral springing: 33.512 Hz",
                    "    Speed: Specified Engine Speed      : 16.667 Hz",
                    "    Omega Bar S: 18.79 Hz",
                    "!!! Cycle counts above 1000 are taken as 1000",
                    "    Estimated Work (Schmidt): 1,542 Nm",
                    "    Power: Estimated (Schmidt)                      : 35,164 watts",
                    "*** Unable to compute Power from Pressure/Volume graph",
                    "*** Unable to compute Power from Pressure/Volume graph",
                    "    Maximum Displacer Velocity: 1,320 cm/sec",
                    "    Displacer Power Loss: 3,975 watts(11.304%)",
                });
}

TEST(ComputeDriverReport, AllInputsEmpty) {
    RecordingHooks hooks;
    hooks.state.EditSpringConstant.text = "";
    hooks.state.EditSpringCenter.text = "";
    hooks.state.EditDeadSpaceVol.text = "";
    ComputeDriver driver(hooks);
    driver.Compute(true, true);
    int failures = 0;
    for (std::size_t i = 0; i < driver.Memo1.size(); ++i) {
        if (driver.Memo1[i].rfind("*** ", 0) != 0) continue;
        ++failures;
        ASSERT_LT(i + 1, driver.Memo1.size());
        EXPECT_EQ(driver.Memo1[i + 1].rfind("    ", 0), 0u) << "value line after " << i;
    }
    int reported = 0;  // every input that has a message when it is missing
    for (const DesignInput& input : kInputs) reported += input.message != nullptr;
    EXPECT_EQ(failures, reported);
    EXPECT_EQ(driver.Memo1[0], "*** Displacer Diameter not defined!");
    EXPECT_EQ(driver.Memo1[1], "    Displacer Diameter: 0 mm");
    EXPECT_EQ(driver.Memo1.back(), "    Mean Engine Pressure: 0 N/m^2");
    for (const std::string& line : driver.Memo1) {
        EXPECT_EQ(line.find("Required Engine Power"), std::string::npos);
    }
    ASSERT_GE(driver.Memo2.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(driver.Memo2.begin(), driver.Memo2.begin() + 5),
              (std::vector<std::string>{
                  "    Displacer Area: 0 mm ^2", "    Displacer Swept Volume: 0 mm ^3",
                  "    Piston Area: 0 mm ^2", "    Piston Swept Volume: 0 mm ^3",
                  "    Displacer Rod Area: 0 mm ^2"}));
    EXPECT_EQ(driver.Memo2.back(), "       ...because GammaM is missing");
    EXPECT_EQ(hooks.Count("EnsureSamples"), 1);
}

TEST(ComputeDriverReport, PVLinesPadColonToColumn53) {
    RecordingHooks hooks;
    SetKestmore(hooks.state);
    hooks.state.EditEngineSpeed = In("60", 0);
    hooks.pvAtEngineSpeed = 5;
    hooks.pvAtOmegaBar = 6;
    ComputeDriver driver(hooks);
    driver.Compute(true, true);
    const std::vector<std::string> lines{
        "    Power: from PV graph at Engine Speed (60 RPM)   : 5 watts",
        "    Power: from PV graph at Omega Bar (1,132 RPM)   : 6 watts",
    };
    auto at = std::find(driver.Memo2.begin(), driver.Memo2.end(), lines[0]);
    ASSERT_NE(at, driver.Memo2.end()) << Joined(driver.Memo2);
    EXPECT_EQ(*(at + 1), lines[1]);
    EXPECT_EQ(lines[0].rfind(": "), 52u);
    EXPECT_EQ(lines[1].rfind(": "), 52u);

    // A speed text too long for the column is not cut.
    hooks.state.EditEngineSpeed = In("1e20", 2);
    hooks.state.outputs.AngVelOutputFormatRG = 2;
    driver.Compute(true, true);
    for (const char* line :
         {"    Power: from PV graph at Engine Speed (100,000,000,000,000,000,000 rad/sec): 5 watts",
          "    Power: from PV graph at Omega Bar (118.526 rad/sec): 6 watts"}) {
        EXPECT_NE(std::find(driver.Memo2.begin(), driver.Memo2.end(), line), driver.Memo2.end())
            << line << "\n"
            << Joined(driver.Memo2);
    }
}

TEST(ComputeDriverReport, SpringSetBackToZeroActsAsIfNeverEntered) {
    RecordingHooks hooks;
    SetKestmore(hooks.state);
    ComputeDriver driver(hooks);
    driver.Compute(true, true);
    const ParameterSet plain = driver.Params;

    hooks.state.EditSpringConstant = In("4000", 0);
    driver.Compute(true, true);
    EXPECT_NE(driver.Params.SpringFactor, 0);
    EXPECT_NE(driver.Params.OmegaBar, plain.OmegaBar);

    hooks.state.EditSpringConstant = In("0", 0);
    driver.Compute(true, true);
    EXPECT_EQ(driver.Params.SpringFactor, 0);
    EXPECT_EQ(driver.Params.Beta, plain.Beta);
    EXPECT_EQ(driver.Params.OmegaBar, plain.OmegaBar);
    EXPECT_EQ(driver.Params.OmegaBar, std::sqrt(driver.Params.K) / driver.Params.GammaM);
    EXPECT_NE(std::find(driver.Memo2.begin(), driver.Memo2.end(), "    Chi: 1.208"),
              driver.Memo2.end());
}

TEST(ComputeDriverReport, ExtremeInputsNeverShowNanOrInf) {
    RecordingHooks hooks;
    ControlState& c = hooks.state;
    for (InputControl* input :
         {&c.EditDispDiameter, &c.EditDispStroke, &c.EditDispRodDiameter, &c.EditPistonDiameter,
          &c.EditPistonStroke, &c.EditEngineSpeed, &c.EditMeanEnginePressure}) {
        *input = In("1e300", 3);
    }
    c.EditDispMass = In("1e-300", 2);
    c.EditDeadSpaceVol = In("1e300", 3);
    c.EditHotTemp = In("1e308", 0);  // Fahrenheit: overflows in the conversion
    c.EditColdTemp = In("1e300", 2);
    c.EditDeadSpaceTemp = In("1e-300", 2);
    c.EditSpringConstant = In("1e300", 0);
    c.outputs.AngleOutputFormatRG = 1;
    hooks.pvAtEngineSpeed = 1e300;
    ComputeDriver driver(hooks);
    driver.Compute(true, true);
    for (const auto* pane : {&driver.Memo1, &driver.Memo2}) {
        for (std::string line : *pane) {
            std::transform(line.begin(), line.end(), line.begin(), ::tolower);
            EXPECT_EQ(line.find("nan"), std::string::npos) << line;
            EXPECT_EQ(line.find("inf"), std::string::npos) << line;
        }
    }
}

// ---- Run control

TEST(ComputeDriver, LoadingChangesNothing) {
    RecordingHooks hooks;
    SetKestmore(hooks.state);
    ComputeDriver driver(hooks);
    driver.Compute(true, true);
    const auto memo1 = driver.Memo1;
    const auto memo2 = driver.Memo2;
    const double k = driver.Params.K;
    hooks.calls.clear();

    hooks.state.EditDispMass = In("2", 2);
    driver.Loading = true;
    driver.Compute(true, true);
    EXPECT_EQ(driver.Memo1, memo1);
    EXPECT_EQ(driver.Memo2, memo2);
    EXPECT_EQ(driver.Params.K, k);
    EXPECT_EQ(driver.Params.DispMass, 1);
    EXPECT_EQ(driver.RunCount(), 1);
    EXPECT_TRUE(hooks.calls.empty());
}

TEST(ComputeDriver, StepsInOrder) {
    RecordingHooks hooks;
    SetKestmore(hooks.state);
    hooks.animating = true;
    ComputeDriver driver(hooks);
    driver.Compute(true, true);
    EXPECT_EQ(hooks.calls,
              (std::vector<std::string>{"StopAnimation", "RefreshSecondGraph", "RunSimulation",
                                        "EnsureSamples", "DrawEngine"}));
}

TEST(ComputeDriver, SimulatesOnlyWhenChangedOrForced) {
    RecordingHooks hooks;
    SetKestmore(hooks.state);
    hooks.pvAtEngineSpeed = 100;
    ComputeDriver driver(hooks);
    driver.Compute(false, false);  // first run: every input is new
    EXPECT_TRUE(driver.RunChanged());
    EXPECT_EQ(hooks.Count("RunSimulation"), 1);
    EXPECT_EQ(hooks.Count("RefreshSecondGraph"), 0);

    hooks.state.EditDispMass = In("1.0", 2);  // same value, other notation
    hooks.pvAtEngineSpeed = 200;
    driver.Compute(false, true);
    EXPECT_FALSE(driver.RunChanged());
    EXPECT_EQ(hooks.Count("RunSimulation"), 1);
    // The PV line repeats the last simulation's value.
    EXPECT_NE(std::find(driver.Memo2.begin(), driver.Memo2.end(),
                        "    Power: from PV graph at Engine Speed (1,000 RPM): 100 watts"),
              driver.Memo2.end());

    hooks.state.EditDispMass = In("1000", 1);  // 1000 g: still 1 kg
    driver.Compute(false, true);
    EXPECT_FALSE(driver.RunChanged());
    hooks.state.EditDispMass = In("1001", 1);
    driver.Compute(false, true);
    EXPECT_TRUE(driver.RunChanged());
    EXPECT_EQ(hooks.Count("RunSimulation"), 2);
    driver.Compute(true, true);
    EXPECT_EQ(hooks.Count("RunSimulation"), 3);
}

TEST(ComputeDriver, AFaultInAHookEndsTheRunWithALine) {
    RecordingHooks hooks;
    SetKestmore(hooks.state);
    ComputeDriver driver(hooks);
    driver.LoadedFileName = "KESTMORE.RBP";
    hooks.onSimulation = [] { throw std::runtime_error("broken"); };
    driver.Compute(true, true);
    EXPECT_EQ(driver.Memo2.back(), "*** Unable to complete the computation");
    EXPECT_FALSE(driver.RunValidated());
    EXPECT_EQ(hooks.Count("EnsureSamples"), 1);

    hooks.onSimulation = nullptr;
    driver.Compute(true, true);
    EXPECT_EQ(driver.RunCount(), 2);
    EXPECT_EQ(driver.Memo2.back(), "*** Simulator appears to be validated");
}

TEST(ComputeDriver, ReferenceCaseFollowsTheLoadedName) {
    RecordingHooks hooks;
    SetKestmore(hooks.state);
    ComputeDriver driver(hooks);
    driver.Compute(true, true);
    EXPECT_EQ(driver.Memo2.back().rfind("    Displacer Power Loss: ", 0), 0u);

    // An edited reference file is still checked; a failing check turns the verdict.
    driver.LoadedFileName = "kestmore.RBP";
    hooks.state.EditHotTemp = In("600", 1);
    driver.Compute(true, true);
    EXPECT_EQ(driver.Memo2.back(), "*** Simulator DOES NOT appear to be validated");
    EXPECT_NE(std::find(driver.Memo1.begin(), driver.Memo1.end(),
                        "^^^ Above value does not match Validated Data (923)"),
              driver.Memo1.end());
}

}  // namespace
}  // namespace velmora
