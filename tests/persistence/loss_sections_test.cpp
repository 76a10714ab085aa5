#include <gtest/gtest.h>

#include <string>

#include "form/design_form.h"
#include "persistence/parameter_file.h"
#include "persistence/parameter_file_check.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

const std::string kDesign = "[Displacer]\r\nDiameter=100\r\nDiameterUnits=1\r\n";

// The design a file holding `text` loads as, or the problem the command line reports.
struct Loaded {
    Design design;
    std::string problem;
};
Loaded Load(const std::string& text) {
    TempFolder folder;
    const std::string path = folder.File("losses.RBP");
    WriteBytes(path, text);
    ControlState state;
    Loaded loaded;
    if (LoadCheckedParameterFile(path, state, loaded.problem)) {
        loaded.problem.clear();
        loaded.design = ReadDesign(state).design;
    } else {
        loaded.problem = loaded.problem.substr(loaded.problem.find("': ") + 3);
    }
    return loaded;
}

TEST(LossSections, AFileWithoutThemIsTheIdealEngine) {
    const Loaded loaded = Load(kDesign);
    ASSERT_EQ(loaded.problem, "");
    const LossInputs& l = loaded.design.losses;
    EXPECT_FALSE(l.given);
    EXPECT_EQ(l.gas, GasKind::Air);
    EXPECT_EQ(l.mechanismEffectiveness, 1);
    EXPECT_EQ(l.regeneratorEffectiveness, 1);
    EXPECT_EQ(l.annulusGap, 0);
    EXPECT_EQ(l.restitution, 0);
}

TEST(LossSections, KeysAreSIUnlessTheirUnitsKeyNamesAnother) {
    const Loaded loaded = Load(kDesign +
                               "[Gas]\r\nName=Helium\r\n"
                               "[Losses]\r\nAnnulusGap=0.5\r\nAnnulusGapUnits=1\r\n"
                               "DisplacerLength=0.06\r\nRodFriction=0.02\r\nRestitution=0.25\r\n"
                               "MechanismEffectiveness=0.8\r\nStaticConductance=0.03\r\n"
                               "[Load]\r\nTorque=0.01\r\n");
    ASSERT_EQ(loaded.problem, "");
    const LossInputs& l = loaded.design.losses;
    EXPECT_TRUE(l.given);
    EXPECT_EQ(l.gas, GasKind::Helium);
    EXPECT_DOUBLE_EQ(l.annulusGap, 0.0005);
    EXPECT_EQ(l.displacerLength, 0.06);
    EXPECT_EQ(l.rodFriction, 0.02);
    EXPECT_EQ(l.restitution, 0.25);
    EXPECT_EQ(l.mechanismEffectiveness, 0.8);
    EXPECT_EQ(l.staticConductance, 0.03);
    EXPECT_EQ(l.loadTorque, 0.01);
    EXPECT_EQ(l.heaterConductance, 0);
}

TEST(LossSections, UnusableValuesAreRefusedNamingTheKey) {
    const struct {
        const char* lines;
        const char* problem;
    } cases[] = {
        {"[Losses]\r\nAnnulusGap=-0.001\r\n", "[Losses] AnnulusGap must be 0 or more, not -0.001"},
        {"[Losses]\r\nMechanismEffectiveness=0\r\n",
         "[Losses] MechanismEffectiveness must be above 0 and at most 1, not 0"},
        {"[Losses]\r\nMechanismEffectiveness=1.2\r\n",
         "[Losses] MechanismEffectiveness must be above 0 and at most 1, not 1.2"},
        {"[Losses]\r\nRestitution=1\r\n", "[Losses] Restitution must be from 0 to below 1, not 1"},
        {"[Losses]\r\nRegeneratorEffectiveness=1.5\r\n",
         "[Losses] RegeneratorEffectiveness must be from 0 to 1, not 1.5"},
        {"[Gas]\r\nName=Argon\r\n",
         "[Gas] Name names no known gas ('Argon'; Air, Helium, Hydrogen or Nitrogen)"},
        {"[Load]\r\nTorque=abc\r\n", "[Load] Torque is not a number ('abc')"},
        {"[Losses]\r\nAnnulusGap=1\r\nAnnulusGapUnits=7\r\n",
         "[Losses] AnnulusGap Units names no unit ('7')"},
    };
    for (const auto& c : cases) EXPECT_EQ(Load(kDesign + c.lines).problem, c.problem) << c.lines;
}

TEST(LossSections, SavedAsTheyWereRead) {
    TempFolder folder;
    const std::string path = folder.File("losses.RBP");
    WriteBytes(
        path,
        kDesign + "[Losses]\r\nAnnulusGap=0.5\r\nAnnulusGapUnits=1\r\n[Gas]\r\nName=Hydrogen\r\n");
    ControlState state;
    ASSERT_EQ(LoadParameterFile(path, state), FileReadStatus::Read);
    const std::string copy = folder.File("copy.RBP");
    std::string error;
    ASSERT_TRUE(SaveParameterFile(copy, state, error)) << error;
    ControlState again;
    ASSERT_EQ(LoadParameterFile(copy, again), FileReadStatus::Read);
    EXPECT_EQ(again.lossTexts.values, state.lossTexts.values);
    EXPECT_EQ(again.lossTexts.units, state.lossTexts.units);
    const LossInputs l = ReadDesign(again).design.losses;
    EXPECT_EQ(l.gas, GasKind::Hydrogen);
    EXPECT_DOUBLE_EQ(l.annulusGap, 0.0005);
}

TEST(GasTable, SutherlandViscosityAndConductivity) {
    // At its reference temperature the law gives mu0; air at 300 K by hand:
    // 1.716e-5 * 1.151013 * 0.934576 = 1.84592e-5 Pa s, k = mu cp / Pr = 0.026240 W/(m K).
    const GasProperties& air = PropertiesOf(GasKind::Air);
    EXPECT_DOUBLE_EQ(Viscosity(air, 273.15), 1.716e-5);
    EXPECT_NEAR(Viscosity(air, 300), 1.84592e-5, 1e-9);
    EXPECT_NEAR(Conductivity(air, 300), 0.026240, 2e-6);
    for (const GasProperties& gas : kGases) EXPECT_EQ(FindGas(gas.name), gas.kind);
}

}  // namespace
}  // namespace velmora
