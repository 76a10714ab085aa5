#pragma once

#include <array>
#include <string>
#include <vector>

#include "form/control_state.h"
#include "report/unit_text.h"

namespace velmora {

class EngineSession;

// One evaluated input: its member in ControlState, the objectName of its edit field and its
// display name.
struct StudyInput {
    InputControl ControlState::*field;
    const char* controlName;
    const char* name;
};

// The evaluated inputs (the twelve the input table marks as studied) in its order.
const std::vector<StudyInput>& StudyInputs();

// The display name padded with blanks to 25 characters.
std::string PaddedStudyName(const StudyInput& input);

// What the study needs from the window (or a headless session).
class StudyTarget {
  public:
    virtual ~StudyTarget() = default;

    virtual std::string FieldText(const StudyInput& input) = 0;
    // Setting a text restarts the change timer, as typing does.
    virtual void SetFieldText(const StudyInput& input, const std::string& text) = 0;
    virtual void StopChangeTimer() {}
    virtual void Compute(bool forceSimulation, bool refreshSecondGraph) = 0;
    virtual double SchmidtPower() = 0;
    virtual OutputUnits Units() = 0;
    virtual void ClearMemo3() = 0;
    virtual void AppendMemo3(const std::string& line) = 0;
    virtual void SetSuggesting(const std::string& /*caption*/) {}
};

// The "Increase Schmidt Power" study: each numeric input at +10% and then -10% of its typed
// number, one full computation per trial, every gain listed in Memo3; afterwards the inputs
// hold their former texts again and a final computation restores the results. The window
// runs it on a copy of its inputs, with its report panes and charts hidden and the button
// disabled meanwhile.
class SensitivityStudy {
  public:
    void Run(StudyTarget& target);

    double BaselineSchmidtPower = 0;

  private:
    void EvaluateParameter(StudyTarget& target, const StudyInput& input);
};

// A StudyTarget over a headless session: fields in State, Memo3 and lSuggesting kept here.
class SessionStudyTarget : public StudyTarget {
  public:
    explicit SessionStudyTarget(EngineSession& session) : session_(session) {}

    std::string FieldText(const StudyInput& input) override;
    void SetFieldText(const StudyInput& input, const std::string& text) override;
    void Compute(bool forceSimulation, bool refreshSecondGraph) override;
    double SchmidtPower() override;
    OutputUnits Units() override;
    void ClearMemo3() override { Memo3.clear(); }
    void AppendMemo3(const std::string& line) override { Memo3.push_back(line); }
    void SetSuggesting(const std::string& caption) override { lSuggesting = caption; }

    std::vector<std::string> Memo3;
    std::string lSuggesting;

  private:
    EngineSession& session_;
};

}  // namespace velmora
