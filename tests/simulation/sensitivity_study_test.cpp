#include "session/sensitivity_study.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "report/number_text.h"

namespace velmora {
namespace {

// A window stand-in: the Schmidt power is 100 W unless a field holds a text listed in
// `powerWhen` ("EditPistonStroke=3.3"), and every call is logged.
class FakeWindow : public StudyTarget {
  public:
    FakeWindow() {
        for (const StudyInput& input : StudyInputs()) (state.*input.field).text = "";
    }

    std::string FieldText(const StudyInput& input) override { return (state.*input.field).text; }
    void SetFieldText(const StudyInput& input, const std::string& text) override {
        (state.*input.field).text = text;
        log.push_back(std::string(input.controlName) + "=" + text);
        timerRunning = true;
    }
    void StopChangeTimer() override { timerRunning = false; }
    void Compute(bool forceSimulation, bool refreshSecondGraph) override {
        EXPECT_FALSE(timerRunning);
        log.push_back(std::string("Compute(") + (forceSimulation ? "true" : "false") + ", " +
                      (refreshSecondGraph ? "true" : "false") + ")");
        power = 100;
        for (const StudyInput& input : StudyInputs()) {
            const auto it =
                powerWhen.find(std::string(input.controlName) + "=" + (state.*input.field).text);
            if (it != powerWhen.end()) power = it->second;
        }
    }
    double SchmidtPower() override { return power; }
    OutputUnits Units() override { return units; }
    void ClearMemo3() override { memo3.clear(); }
    void AppendMemo3(const std::string& line) override { memo3.push_back(line); }
    void SetSuggesting(const std::string& caption) override { suggesting.push_back(caption); }

    int ComputeCount() const {
        int n = 0;
        for (const std::string& entry : log) n += entry.rfind("Compute(", 0) == 0;
        return n;
    }
    std::vector<std::string> Gains() const {
        return {memo3.begin() + 2, memo3.end() - 1};  // between the header and the closing line
    }

    ControlState state;
    OutputUnits units;
    double power = 100;
    std::map<std::string, double> powerWhen;
    std::vector<std::string> log;
    std::vector<std::string> memo3{"old line"};
    std::vector<std::string> suggesting;
    bool timerRunning = false;
};

TEST(SensitivityStudyTest, TwelveInputsInOrderWithNamesOfTwentyFiveCharacters) {
    const auto& inputs = StudyInputs();
    EXPECT_STREQ(inputs.front().controlName, "EditDispStroke");
    EXPECT_STREQ(inputs[6].name, "Piston Stroke");
    EXPECT_STREQ(inputs.back().controlName, "EditEngineSpeed");
    for (const StudyInput& input : inputs) EXPECT_EQ(PaddedStudyName(input).size(), 25u);
    EXPECT_EQ(PaddedStudyName(inputs[3]), "Displacer Spring Constant");
}

TEST(SensitivityStudyTest, TrialTextsAreTheShortestFifteenDigitForm) {
    const NumberSettings dot;
    EXPECT_EQ(TrialText(1.5 * 1.1, dot), "1.65");
    EXPECT_EQ(TrialText(500 * 1.1, dot), "550");
    EXPECT_EQ(TrialText(500 * 0.9, dot), "450");
    EXPECT_EQ(TrialText(0.5 * 1.1, dot), "0.55");
    EXPECT_EQ(TrialText(0, dot), "0");
    EXPECT_EQ(TrialText(2e20 * 1.1, dot), "2.2e+20");
    EXPECT_EQ(TrialText(1.5 * 1.1, NumberSettings{",", "."}), "1,65");
}

TEST(SensitivityStudyTest, SkipsFieldsThatAreNotNumbersAndTriesTemperaturesAsTyped) {
    FakeWindow w;
    w.state.EditSpringCenter.text = "-1";
    w.state.EditDispMass.text = "heavy";
    w.state.EditHotTemp = {"500", 0};  // F
    SensitivityStudy study;
    study.Run(w);
    const std::vector<std::string> expected{"EditHotTemp=550", "Compute(true, false)",
                                            "EditHotTemp=450", "Compute(true, false)",
                                            "EditHotTemp=500", "Compute(true, true)"};
    EXPECT_EQ(w.log, expected);
    EXPECT_EQ(w.state.EditSpringCenter.text, "-1");
    const std::vector<std::string> memo{"Evaluating 10% change in design parameters.",
                                        "One moment please...", "Evaluation complete!"};
    EXPECT_EQ(w.memo3, memo);
    const std::vector<std::string> captions{
        "Evaluating Hot Temperature" + std::string(10, ' ') + "...", ""};
    EXPECT_EQ(w.suggesting, captions);
}

TEST(SensitivityStudyTest, TwelvePercentFromTheLargerPistonStroke) {
    FakeWindow w;
    w.state.EditPistonStroke.text = "3";
    w.powerWhen["EditPistonStroke=3.3"] = 112;
    SensitivityStudy study;
    study.Run(w);
    ASSERT_EQ(w.Gains().size(), 1u);
    EXPECT_EQ(w.Gains()[0], "Increase Piston Stroke" + std::string(12, ' ') +
                                " ([ 12 %] power 100 watts ==> 112 watts)");
    EXPECT_EQ(study.BaselineSchmidtPower, 100);
}

TEST(SensitivityStudyTest, BothDirectionsListedIncreaseFirstWithHalvesToEven) {
    FakeWindow w;
    w.state.EditColdTemp.text = "80";
    w.state.EditEngineSpeed.text = "20";
    w.state.EditDispStroke.text = "1";
    w.powerWhen["EditColdTemp=88"] = 102.5;     // 2.5 % -> 2
    w.powerWhen["EditColdTemp=72"] = 103.5;     // 3.5 % -> 4
    w.powerWhen["EditEngineSpeed=22"] = 100.5;  // 0.5 % -> 0: no line
    w.powerWhen["EditEngineSpeed=18"] = 90;     // a loss: no line
    w.powerWhen["EditDispStroke=1.1"] = 250;
    SensitivityStudy study;
    study.Run(w);
    // "Displacer Stroke" and "Cold Temperature" have 16 characters: nine blanks follow.
    const std::string nine(9, ' ');
    const std::vector<std::string> gains{
        "Increase Displacer Stroke" + nine + " ([150 %] power 100 watts ==> 250 watts)",
        "Increase Cold Temperature" + nine + " ([  2 %] power 100 watts ==> 102.5 watts)",
        "Decrease Cold Temperature" + nine + " ([  4 %] power 100 watts ==> 103.5 watts)"};
    EXPECT_EQ(w.Gains(), gains);
}

TEST(SensitivityStudyTest, EveryInputGetsItsFormerTextBackCharacterForCharacter) {
    FakeWindow w;
    w.state.EditDispRodDiameter.text = "0.50";
    w.state.EditPistonDiameter.text = "2.50 ";
    w.state.EditDeadSpaceVol.text = "0";
    const ControlState before = w.state;
    SensitivityStudy study;
    study.Run(w);
    for (const StudyInput& input : StudyInputs()) {
        EXPECT_EQ((w.state.*input.field).text, (before.*input.field).text) << input.name;
    }
    const std::vector<std::string> rod{w.log[0], w.log[2], w.log[4]};
    const std::vector<std::string> expected{"EditDispRodDiameter=0.55", "EditDispRodDiameter=0.45",
                                            "EditDispRodDiameter=0.50"};
    EXPECT_EQ(rod, expected);
    // A zero is tried as "0" twice and gains nothing.
    EXPECT_NE(std::find(w.log.begin(), w.log.end(), "EditDeadSpaceVol=0"), w.log.end());
    EXPECT_TRUE(w.Gains().empty());
    EXPECT_EQ(w.ComputeCount(), 7);
}

TEST(SensitivityStudyTest, ZeroBaselineSaysSoAndTriesNothing) {
    FakeWindow w;
    w.power = 0;
    w.state.EditPistonStroke.text = "3";
    SensitivityStudy study;
    study.Run(w);
    const std::vector<std::string> memo{
        "Evaluating 10% change in design parameters.", "One moment please...",
        "No Schmidt power to improve: the estimate is 0 watts.", "Evaluation complete!"};
    EXPECT_EQ(w.memo3, memo);
    const std::vector<std::string> log{"Compute(true, true)"};
    EXPECT_EQ(w.log, log);
    EXPECT_EQ(w.state.EditPistonStroke.text, "3");
}

}  // namespace
}  // namespace velmora
