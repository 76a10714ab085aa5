#include "session/engine_session.h"
#include "session/sensitivity_study.h"

// Kept apart from sensitivity_study.cpp so that the study itself links without the driver.
namespace velmora {

std::string SessionStudyTarget::FieldText(const StudyInput& input) {
    return (session_.State.*input.field).text;
}

void SessionStudyTarget::SetFieldText(const StudyInput& input, const std::string& text) {
    (session_.State.*input.field).text = text;
}

void SessionStudyTarget::Compute(bool forceSimulation, bool refreshSecondGraph) {
    session_.Compute(forceSimulation, refreshSecondGraph);
}

double SessionStudyTarget::SchmidtPower() {
    return session_.Driver.Params.SchmidtPower;
}

OutputUnits SessionStudyTarget::Units() {
    return session_.State.outputs;
}

}  // namespace velmora
