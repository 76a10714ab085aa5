#pragma once

#include "presentation/engine_frame.h"
#include "session/engine_session.h"

namespace velmora {

// The whole DrawEngine on a session: with no samples it first runs Compute(false, true), then
// takes the axis choice and units from the session's controls.
EngineFrame DrawEngine(EngineSession& session, EngineFrameRequest request);

}  // namespace velmora
