#include "form/design_steps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora {
namespace {

// 100 W from 900 K and 300 K at 10 Hz and 100000 Pa.
ParameterSet StepTwoComplete() {
    ParameterSet p;
    p.RequiredEnginePower = 100;
    p.HotTemp = 900;
    p.ColdTemp = 300;
    p.EngineSpeed = 2 * 3.14159 * 10;
    p.MeanEnginePressure = 100000;
    p.Tau = 300.0 / 900.0;
    return p;
}

// Everything through step 5, with Lambda Kappa / (1 - Tau) = sqrt(2), so that chi is 1 and
// gammaM lands on the grid point 1.072 just above the root 1.07151 of F(x) = 1.
ParameterSet StepFiveComplete() {
    ParameterSet p = StepTwoComplete();
    p.PistonDiameter = 0.05;
    p.PistonStroke = 0.1;
    p.DispDiameter = 0.1;
    p.DispStroke = 0.02;
    p.DispHalfStroke = 0.01;
    p.DispMass = 0.5;
    p.Lambda = std::sqrt(2.0);
    p.Kappa = 2.0 / 3.0;
    p.Sigma = 0.2;
    return p;
}

OutputUnits Millimetres() {
    OutputUnits u;
    u.LengthOutputFormatRG = 1;
    return u;
}

TEST(DesignPageTest, NothingStoredOnlyStepOneEnabled) {
    const DesignPage page = RefreshDesignPage(ParameterSet{}, Millimetres(), {1, 2, 3});
    EXPECT_FALSE(page.lStep2 || page.lStep3 || page.lStep4 || page.lStep5 || page.lStep6 ||
                 page.lStep7);
    EXPECT_EQ(page.lStep1Results, "");
    EXPECT_EQ(page.lStep6Results, "");
    EXPECT_EQ(page.lDesignPistonDiamUnits, "mm");
    EXPECT_EQ(page.lDesignDispStrokeUnits, "mm");
    EXPECT_EQ(page.members.DesignPistonSweptVolume, 1);
    EXPECT_EQ(page.members.DesignDispSweptVolume, 2);
    EXPECT_EQ(page.members.DesignRodDiameter, 3);
    EXPECT_FALSE(page.moveUseRodDiamButton);
}

TEST(DesignPageTest, StepTwoEnabledButEmptyWithoutEngineSpeed) {
    ParameterSet p = StepTwoComplete();
    p.EngineSpeed = 0;
    const DesignPage page = RefreshDesignPage(p, OutputUnits{}, {});
    EXPECT_TRUE(page.lStep2);
    EXPECT_FALSE(page.lStep3 || page.lStep4 || page.lStep5 || page.lStep6 || page.lStep7);
    EXPECT_EQ(page.lStep1Results, "100 watts, 1,161 F, 80.6 F");
    EXPECT_EQ(page.lStep2Results, "");
    EXPECT_EQ(page.lStep3Results, "");
}

TEST(DesignPageTest, StepThreeVolumeForOneHundredWatts) {
    const std::optional<double> volume = RequiredPistonSweptVolume(StepTwoComplete());
    ASSERT_TRUE(volume);
    // 6.28318 x 100 x 1200 / (600 x 62.8318 x 0.3 x 100000) = 1 / 1500
    EXPECT_NEAR(*volume, 6.6667e-4, 5e-9);
    EXPECT_NEAR(*volume, 1.0 / 1500, 1e-15);

    const DesignPage page = RefreshDesignPage(StepTwoComplete(), OutputUnits{}, {});
    EXPECT_TRUE(page.lStep3);
    EXPECT_FALSE(page.lStep4);
    EXPECT_EQ(page.lStep2Results, "100,000 N/m^2, 62.832 rad/sec");
    EXPECT_EQ(page.lStep3Results, "Computed: 666,667 mm ^3");
    EXPECT_DOUBLE_EQ(page.members.DesignPistonSweptVolume, 1.0 / 1500);

    OutputUnits metres;
    metres.LengthOutputFormatRG = 3;
    EXPECT_EQ(RefreshDesignPage(StepTwoComplete(), metres, {}).lStep3Results,
              "Computed: 6.667E-004 m ^3");
}

TEST(DesignPageTest, StepFourBoundAndStepFiveFieldsFollowIt) {
    ParameterSet p = StepTwoComplete();
    p.PistonDiameter = 0.05;
    p.PistonStroke = 0.1;
    const DesignPage page = RefreshDesignPage(p, OutputUnits{}, {});
    EXPECT_TRUE(page.lStep4);
    EXPECT_TRUE(page.lStep5);
    EXPECT_FALSE(page.lStep6);
    // (1 / 1500) / (1 - 1/3) = 0.001 m^3
    EXPECT_NEAR(page.members.DesignDispSweptVolume, 0.001, 1e-15);
    EXPECT_EQ(page.lStep4Results, "Computed: < 1,000,000 mm ^3");
}

TEST(DesignPageTest, StepSixRodDiameter) {
    const DesignPage page = RefreshDesignPage(StepFiveComplete(), Millimetres(), {});
    EXPECT_TRUE(page.lStep6);
    EXPECT_FALSE(page.lStep7);
    EXPECT_EQ(page.lStep5Results, "100 mm, 20 mm, 500 g");
    // A = (1.072 x 62.8318)^2 x 0.5 x 0.01 x (1 + 1/3 + 2 sqrt(2) / 3 + 0.2) / (2/3 x 100000)
    EXPECT_NEAR(page.members.DesignRodDiameter, 0.03275276487590107, 1e-12);
    EXPECT_EQ(page.lStep6Results, "Computed: 842.53 mm ^2, (radius: 16.376 mm; diam: 32.753 mm)");
    EXPECT_TRUE(page.moveUseRodDiamButton);

    ParameterSet withRod = StepFiveComplete();
    withRod.DispRodDiameter = 0.01;
    EXPECT_TRUE(RefreshDesignPage(withRod, Millimetres(), {}).lStep7);
}

TEST(DesignPageTest, MissingDisplacerMassIsPointedOutEvenWhenEarlierStepsAreIncomplete) {
    ParameterSet p;
    p.DispDiameter = 0.1;
    p.DispStroke = 0.02;
    const DesignPage page = RefreshDesignPage(p, OutputUnits{}, {});
    EXPECT_FALSE(page.lStep2);
    EXPECT_FALSE(page.lStep6);
    EXPECT_EQ(page.lStep6Results, "Don't forget to enter the displacer mass!");
}

TEST(DesignPageTest, EqualTemperaturesLeaveTheAffectedResultsBlank) {
    ParameterSet p = StepFiveComplete();
    p.ColdTemp = p.HotTemp;
    p.Tau = 1;
    const DesignMembers previous{0.5, 0.6, 0.7};
    const DesignPage page = RefreshDesignPage(p, Millimetres(), previous);
    EXPECT_TRUE(page.lStep6);
    EXPECT_EQ(page.lStep3Results, "");
    EXPECT_EQ(page.lStep4Results, "");
    EXPECT_EQ(page.lStep6Results, "");
    EXPECT_FALSE(page.moveUseRodDiamButton);
    EXPECT_EQ(page.members.DesignPistonSweptVolume, 0.5);
    EXPECT_EQ(page.members.DesignDispSweptVolume, 0.6);
    EXPECT_EQ(page.members.DesignRodDiameter, 0.7);
}

TEST(DesignPageTest, NegativeOrZeroRootInStepSixShowsNoResult) {
    ParameterSet p = StepFiveComplete();
    p.Kappa = 0.1;  // Lambda Kappa below 1 - Tau: negative root
    DesignPage page = RefreshDesignPage(p, Millimetres(), {0, 0, 0.7});
    EXPECT_TRUE(page.lStep6);
    EXPECT_EQ(page.lStep6Results, "");
    EXPECT_EQ(page.members.DesignRodDiameter, 0.7);

    p.Lambda = 1;
    p.Kappa = 1 - p.Tau;  // x = 0, gammaM 0, A 0
    page = RefreshDesignPage(p, Millimetres(), {0, 0, 0.7});
    EXPECT_EQ(page.lStep6Results, "");
    EXPECT_EQ(page.members.DesignRodDiameter, 0.7);
}

TEST(DesignProposalTest, PistonPairInMillimetres) {
    const OutputUnits mm = Millimetres();
    // 0.0002 / (3.14159 x 0.025 x 0.025) m = 101.859 mm
    EXPECT_EQ(ProposeFromTypedPistonDiam("50", mm, 0.0002), "101.859");
    EXPECT_EQ(ProposeFromTypedPistonStroke("101.859", mm, 0.0002), "50");
}

TEST(DesignProposalTest, DisplacerPairSweepsNineTenthsOfTheBound) {
    const OutputUnits mm = Millimetres();
    EXPECT_EQ(ProposeFromTypedDispDiam("50", mm, 0.0002), "91.673");
    // 0.9 x 2 x sqrt(0.0002 / (3.14159 x 0.1)) m = 45.416 mm
    EXPECT_EQ(ProposeFromTypedDispStroke("100", mm, 0.0002), "45.416");
}

TEST(DesignProposalTest, ZeroEmptyAndNegativeTextsLeaveThePartnerAlone) {
    const OutputUnits mm = Millimetres();
    for (const char* typed : {"0", "0.0", "", "-", "-5", "abc", " 5"}) {
        EXPECT_FALSE(ProposeFromTypedPistonDiam(typed, mm, 0.0002)) << typed;
        EXPECT_FALSE(ProposeFromTypedPistonStroke(typed, mm, 0.0002)) << typed;
        EXPECT_FALSE(ProposeFromTypedDispDiam(typed, mm, 0.0002)) << typed;
        EXPECT_FALSE(ProposeFromTypedDispStroke(typed, mm, 0.0002)) << typed;
    }
    // A stroke from a swept volume without a square root: no number to propose.
    EXPECT_FALSE(ProposeFromTypedPistonStroke("10", mm, -0.0002));
}

TEST(DesignUseTest, CopiesTextsAndTheOutputLengthUnit) {
    ControlState c;
    c.outputs.LengthOutputFormatRG = 2;  // cm
    c.EditStep3PistonDiam = "5.0";
    c.EditStep3PistonStroke = "10.186";
    c.EditStep5DispDiam = "9";
    c.EditStep5DispStroke = "2.5";
    UsePistonDiamStroke(c);
    EXPECT_EQ(c.EditPistonDiameter.text, "5.0");
    EXPECT_EQ(c.EditPistonDiameter.units, 2);
    EXPECT_EQ(c.EditPistonStroke.text, "10.186");
    EXPECT_EQ(c.EditPistonStroke.units, 2);
    UseDispDiamStroke(c);
    EXPECT_EQ(c.EditDispDiameter.text, "9");
    EXPECT_EQ(c.EditDispStroke.text, "2.5");
    EXPECT_EQ(c.EditDispStroke.units, 2);
    UseRodDiam(c, 0.0125);
    EXPECT_EQ(c.EditDispRodDiameter.text, "1.25");
    EXPECT_EQ(c.EditDispRodDiameter.units, 2);
}

}  // namespace
}  // namespace velmora
