#include "presentation/engine_frame.h"
#include "session/engine_session.h"

namespace velmora {

// Kept apart from engine_frame.cpp so that users of the plain frame need not link the driver.
EngineFrame DrawEngine(EngineSession& session, EngineFrameRequest request) {
    if (session.Sim.SampleDispPos.empty()) session.Compute(false, true);
    request.xAxisChoice = session.State.XAxisRG;
    return DrawEngineFrame(session.Sim, session.Driver.Params, session.State.outputs, request);
}

}  // namespace velmora
