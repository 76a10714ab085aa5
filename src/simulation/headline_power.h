#pragma once

#include <optional>

#include "engine/design.h"
#include "simulation/energy_balance.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The one power to build by: the shaft power of the model that integrates with error control
// (the one that gives its own indicated power), beside the one-degree model's figures, which
// stay as they are, with a word on where those cannot be trusted.
struct HeadlinePower {
    std::optional<CycleEnergy> accurate;  // at engine speed; empty when it did not settle
    std::optional<CycleEnergy> stepped;   // the one-degree model's, at engine speed
    // A design with losses, gas or load builds by the accurate model's brake power at engine
    // speed (empty when its lossy cycle did not settle).
    bool lossesGiven = false;
    std::optional<double> brakePower;  // W
    // Why the one-degree figures are unreliable for this design; all false where they hold.
    bool breaksSecondLaw = false;  // its cycle makes entropy vanish by more than 1%
    bool beyondCarnot = false;     // its efficiency exceeds Carnot's
    bool workDiffers = false;      // its shaft work differs from the accurate one's by > 10%
    bool Unreliable() const { return breaksSecondLaw || beyondCarnot || workDiffers; }
};

inline constexpr double kSecondLawTolerance = 0.01;
inline constexpr double kWorkTolerance = 0.10;

// Both models' figures of the design at engine speed, reached through the models' common
// contract. Empty figures where the design could not be run.
HeadlinePower HeadlinePowerOf(const Design& design);
// The same from the one-degree run a computation of the design has just made (`recorded`):
// only the accurate runs are added.
HeadlinePower HeadlinePowerOfRun(const Design& design, const SimulationState& recorded);

// The verdict on the one-degree figures, given both models' figures (HeadlinePowerOf).
void JudgeSteppedFigures(HeadlinePower& headline);

}  // namespace velmora
