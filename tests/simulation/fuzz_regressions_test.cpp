// Engines that the compute fuzz target (fuzz/compute_run_fuzz.cpp) found to break a run, kept
// so that the sanitizer build of the suite catches the fault again.
#include <gtest/gtest.h>

#include "session/engine_session.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

TEST(FuzzRegressionsTest, EngineWithoutPistonMeasuresAPressureVolumeLoopWithoutCrossings) {
    // The piston section was lost: only the rod changes the total volume, and the diagram's
    // polygon has no edge that crosses a pixel row. Counting its rows once stepped past the
    // end of an empty crossing list.
    EngineSession session;
    session.State = test::LargeEngineControls();
    session.State.EditPistonDiameter = {"", 0};
    session.State.EditPistonStroke = {"", 0};
    session.Compute(true, true);
    EXPECT_EQ(session.Sim.SampleX.size(), 1083u);
    EXPECT_EQ(session.Driver.Params.PVPowerAtEngineSpeed, 0);
}

}  // namespace
}  // namespace velmora
