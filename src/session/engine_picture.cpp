#include "session/engine_picture.h"

namespace velmora {

EngineFrame DrawEngine(EngineSession& session, EngineFrameRequest request) {
    if (session.Sim.SampleDispPos.empty()) session.Compute(false, true);
    request.xAxisChoice = session.State.XAxisRG;
    return DrawEngineFrame(session.Sim, session.Driver.Params, session.State.outputs, request);
}

}  // namespace velmora
