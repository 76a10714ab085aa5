#include "simulation/accurate_cycle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "simulation/engine_fixtures.h"
#include "simulation/quasi_static_cycle.h"

namespace velmora {
namespace {

TEST(AccurateCycle, Probe) {
    for (auto controls : {test::LargeEngineControls(), test::SmallEngineControls()}) {
        const ParameterSet p = test::ComputedParameters(controls);
        const QuasiStaticCycle q = QuasiStaticLimit(p, false);
        std::printf("QS valid %d up %.4f dn %.4f piston %.6g rod %.6g\n", q.valid, q.leaveLowDeg,
                    q.leaveHighDeg, q.integrals.pistonWork, q.integrals.rodWork);
        for (double rpm : {0.1, 1.0, 1000.0}) {
            AccurateCycleOptions o;
            o.speed = rpm * 2 * M_PI / 60;
            const AccurateCycleResult r = RunAccurateCycle(p, o);
            const auto& e = r.atSpeed.energy;
            std::printf("rpm %g settled %d cycles %d steps %ld ind %.8g shaft %.8g rod %.8g impact %.8g"
                        " Qin %.6g eff %.6g carnot %.6g bal %.2g ent %.2g\n",
                        rpm, r.atSpeed.settled, r.atSpeed.cycles, r.atSpeed.steps, e.indicatedWork,
                        e.shaftWork, e.rodWork, r.atSpeed.impactLoss, e.heatIn, e.efficiency,
                        e.carnot, e.balanceResidual, e.entropyResidual);
            for (auto ev : r.atSpeed.events)
                std::printf("   ev %d %.4f %.4g\n", int(ev.kind), ev.angleDeg, ev.speed);
            if (r.omegaBarRun)
                std::printf("  omegabar %g settled %d shaftP %.6g indP %.6g\n", r.atOmegaBar.speed,
                            r.atOmegaBar.settled, r.atOmegaBar.energy.shaftPower,
                            r.atOmegaBar.energy.indicatedPower);
        }
    }
}

}  // namespace
}  // namespace velmora
