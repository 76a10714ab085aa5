#include "report/reference_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/analysis_report.h"
#include "report/report_writer.h"

namespace velmora {
namespace {

TEST(ReferenceCaseOf, NameWithoutFolderIgnoringLetterCase) {
    EXPECT_EQ(ReferenceCaseOf("KESTMORE.RBP"), ReferenceCase::Kestmore);
    EXPECT_EQ(ReferenceCaseOf("/home/me/engines/kestmore.rbp"), ReferenceCase::Kestmore);
    EXPECT_EQ(ReferenceCaseOf("C:\\Engines\\Kestmore.Rbp"), ReferenceCase::Kestmore);
    EXPECT_EQ(ReferenceCaseOf("/x/Brandock Tapper.RBP"), ReferenceCase::BrandockTapper);
    EXPECT_EQ(ReferenceCaseOf("BRANDOCK TAPPER.RBP"), ReferenceCase::BrandockTapper);
    for (const char* other : {"", "Default.INI", "KESTMORE.RBP.bak", "MY KESTMORE.RBP",
                              "BRANDOCKTAPPER.RBP", "/KESTMORE.RBP/other.RBP"}) {
        EXPECT_EQ(ReferenceCaseOf(other), ReferenceCase::None) << other;
    }
}

struct Pane {
    std::vector<std::string> lines{"    Power: 24,453 watts"};
    bool validated = true;

    void Check(const char* file, double value) {
        ValidateAgainstReference(lines, file, reference::SchmidtPower, value, validated);
    }
};

TEST(ValidateAgainstReference, ExactlyOnePercentBelowFails) {
    Pane pane;
    pane.Check("KESTMORE.RBP", 24453);  // 24700 - 247
    EXPECT_FALSE(pane.validated);
    ASSERT_EQ(pane.lines.size(), 2u);
    EXPECT_EQ(pane.lines[0], "    Power: 24,453 watts");
    EXPECT_EQ(pane.lines[1], "^^^ Above value does not match Validated Data (24,700)");
}

TEST(ValidateAgainstReference, AboveOrJustWithinPasses) {
    for (double value : {24453.5, 24700.0, 24947.0, 247000.0}) {
        Pane pane;
        pane.Check("kestmore.rbp", value);
        EXPECT_TRUE(pane.validated) << value;
        ASSERT_EQ(pane.lines.size(), 1u);
        EXPECT_EQ(pane.lines[0], "    Power: 24,453 watts [Checked]");
    }
}

TEST(ValidateAgainstReference, NothingWithoutCaseOrReference) {
    Pane other;
    other.Check("Default.INI", 0);
    EXPECT_TRUE(other.validated);
    EXPECT_EQ(other.lines, std::vector<std::string>{"    Power: 24,453 watts"});

    Pane brandock;  // no power reference for the small engine
    brandock.Check("BRANDOCK TAPPER.RBP", 0);
    EXPECT_TRUE(brandock.validated);
    EXPECT_EQ(brandock.lines, std::vector<std::string>{"    Power: 24,453 watts"});
}

TEST(ValidateAgainstReference, QuotesTheSmallCaseInItsOwnUnits) {
    std::vector<std::string> lines{"    Dead Space Volume: 0 mm ^3"};
    bool validated = true;
    ValidateAgainstReference(lines, "brandock tapper.RBP", reference::DeadSpaceVol, 0, validated);
    EXPECT_FALSE(validated);
    EXPECT_EQ(lines.back(), "^^^ Above value does not match Validated Data (5.500E-007)");
}

TEST(WriteReferenceVerdict, OnlyForAReferenceCase) {
    std::vector<std::string> lines;
    WriteReferenceVerdict(lines, "other.RBP", true);
    EXPECT_TRUE(lines.empty());
    WriteReferenceVerdict(lines, "KESTMORE.RBP", true);
    WriteReferenceVerdict(lines, "Brandock Tapper.rbp", false);
    EXPECT_EQ(lines, (std::vector<std::string>{"*** Simulator appears to be validated",
                                               "*** Simulator DOES NOT appear to be validated"}));
}

TEST(ReferenceChecks, FailedSchmidtWorkStillChecksThePowerWithZero) {
    ParameterSet p;  // no Schmidt work
    std::vector<std::string> lines;
    const OutputUnits units;
    const std::string file = "/engines/KESTMORE.RBP";
    bool validated = true;
    ReportWriter memo2(lines, units, file, validated);
    ReportSchmidtResults(p, memo2);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "*** Unable to compute Estimated Power(Schmidt)...",
                         "       ...because Displacer Diameter, Displacer Stroke, or Alpha Bar "
                         "is missing",
                         "^^^ Above value does not match Validated Data (24,700)"}));
    EXPECT_FALSE(validated);
}

TEST(ReferenceChecks, BrandockTapperHasNoWorkPowerOrLossChecks) {
    ParameterSet p;
    p.SchmidtWork = 0.06581;
    p.SchmidtPower = 1.392;
    std::vector<std::string> lines;
    const OutputUnits units;
    const std::string file = "BRANDOCK TAPPER.RBP";
    bool validated = true;
    ReportWriter memo2(lines, units, file, validated);
    ReportSchmidtResults(p, memo2);
    AnalyzeDisplacerLoss(p, memo2);  // GammaM 0: fails, and the loss check has no reference
    EXPECT_TRUE(validated);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("[Checked]"), std::string::npos) << line;
        EXPECT_NE(line.rfind("^^^", 0), 0u) << line;
    }
}

}  // namespace
}  // namespace velmora
