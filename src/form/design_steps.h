#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/parameter_set.h"
#include "form/control_state.h"
#include "report/unit_text.h"

namespace velmora {

// The design page's own results; each keeps its value until its step runs again with its
// inputs present.
struct DesignMembers {
    double DesignPistonSweptVolume = 0;  // m^3
    double DesignDispSweptVolume = 0;    // m^3, upper bound
    double DesignRodDiameter = 0;        // m
};

// Everything the page refresh puts on the design page. lStep1 is always enabled.
struct DesignPage {
    bool lStep2 = false;
    bool lStep3 = false;
    bool lStep4 = false;
    bool lStep5 = false;  // also lStep5Diam, lStep5Stroke, EditStep5DispDiam, EditStep5DispStroke
    bool lStep6 = false;
    bool lStep7 = false;

    std::string lStep1Results;
    std::string lStep2Results;
    std::string lStep3Results;
    std::string lStep4Results;
    std::string lStep5Results;
    std::string lStep6Results;

    std::string lDesignPistonDiamUnits;
    std::string lDesignPistonStrokeUnits;
    std::string lDesignDispDiamUnits;
    std::string lDesignDispStrokeUnits;

    DesignMembers members;
    // A rod diameter was computed: UseRodDiamButton goes 16 pixels right of lStep6Results.
    bool moveUseRodDiamButton = false;
};

// The page refresh (DesignSheetEnter) from the values stored by the last compute run.
DesignPage RefreshDesignPage(const ParameterSet& params, const OutputUnits& units,
                             const DesignMembers& previous);

// Step 3: the piston swept volume that yields the required power at 0.3 x mean pressure;
// nothing when the hot and cold temperatures are equal.
std::optional<double> RequiredPistonSweptVolume(const ParameterSet& params);

// Step 4: the bound on the displacer swept volume; nothing when Tau is 1.
std::optional<double> DisplacerSweptVolumeBound(double pistonSweptVolume, double tau);

// Step 6: the rod area (m^2) a displacer without rod or spring needs to keep up with the
// engine speed; nothing unless it comes out positive (also for Tau 1 or Lambda Kappa below
// 1 - Tau, where the root is negative).
std::optional<double> RequiredRodArea(const ParameterSet& params);

// The proposals for the partner field of a design pair: the typed text is in the output
// length unit, so is the returned text. Nothing for a text that is not a number, a zero
// diameter or stroke, or a counterpart that cannot be computed. The step-5 pair sweeps 0.9 of
// the bound. The window checks its guard before calling.
std::optional<std::string> ProposeFromTypedPistonDiam(std::string_view typed,
                                                      const OutputUnits& units,
                                                      double designPistonSweptVolume);
std::optional<std::string> ProposeFromTypedPistonStroke(std::string_view typed,
                                                        const OutputUnits& units,
                                                        double designPistonSweptVolume);
std::optional<std::string> ProposeFromTypedDispDiam(std::string_view typed,
                                                    const OutputUnits& units,
                                                    double designDispSweptVolume);
std::optional<std::string> ProposeFromTypedDispStroke(std::string_view typed,
                                                      const OutputUnits& units,
                                                      double designDispSweptVolume);

// The three Use operations on the controls: texts as they stand, unit lists set to the
// output length unit.
void UsePistonDiamStroke(ControlState& controls);
void UseDispDiamStroke(ControlState& controls);
void UseRodDiam(ControlState& controls, double designRodDiameter);

}  // namespace velmora
