#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "designspace/sweep_inputs.h"
#include "engine/design.h"
#include "engine/entered_design.h"
#include "report/number_settings.h"
#include "simulation/design_result.h"

namespace velmora {

// What the optimizer maximizes.
enum class Objective {
    SchmidtPower,
    PVPowerAtEngineSpeed,
    IndicatedPower,
    PVPowerAtOmegaBar,
    ShaftPower,
    Efficiency,
    BrakePower,
    BrakeEfficiency,
};

struct ObjectiveInfo {
    Objective objective;
    const char* name;     // command-line name
    const char* caption;  // table and window text
    DesignOutput output;  // the result column it reads (signed: larger is better)
    const char* unit;     // of the objective's value, as the module's help names it
};

inline constexpr std::array<ObjectiveInfo, 8> kObjectives{{
    {Objective::SchmidtPower, "schmidt", "Schmidt power (W)", DesignOutput::SchmidtPower, "W"},
    {Objective::PVPowerAtEngineSpeed, "pv-engine-speed", "PV power at engine speed (W)",
     DesignOutput::PVPowerAtEngineSpeed, "W"},
    {Objective::IndicatedPower, "indicated", "Indicated power (W)", DesignOutput::IndicatedPower,
     "W"},
    {Objective::PVPowerAtOmegaBar, "pv-omega-bar", "PV power at Omega Bar (W)",
     DesignOutput::PVPowerAtOmegaBar, "W"},
    {Objective::ShaftPower, "shaft-power", "Shaft power (W)", DesignOutput::ShaftPower, "W"},
    {Objective::Efficiency, "efficiency", "Thermal efficiency", DesignOutput::Efficiency,
     "fraction"},
    // With the design's losses ([Gas], [Losses], [Load]); empty for a design without them.
    {Objective::BrakePower, "brake-power", "Brake power (W)", DesignOutput::BrakePower, "W"},
    {Objective::BrakeEfficiency, "brake-efficiency",
     "Brake efficiency (brake power / total heat in)", DesignOutput::BrakeEfficiency, "fraction"},
}};

const ObjectiveInfo& InfoOf(Objective objective);
const ObjectiveInfo* FindObjective(std::string_view name);

// The constraints a user may switch on, each with its margin.
enum class ConstraintKind {
    NotOverdriven,
    BetaMin,
    TauRho,
    DwellMin,
    LossMax,
    EfficiencyMin,
    BrakePowerMin,
    BrakeEfficiencyMin,
};

struct ConstraintInfo {
    ConstraintKind kind;
    const char* name;      // command-line name
    const char* caption;   // window text
    double defaultMargin;  // used when no margin is given
    bool marginPositive;   // the margin must be above 0 (else at least 0)
    const char* unit;      // of the margin, as the module's help names it
};

inline constexpr std::array<ConstraintInfo, 8> kConstraints{{
    {ConstraintKind::NotOverdriven, "not-overdriven", "Not overdriven: engine speed <= Omega Bar x",
     0.95, true, "fraction of Omega Bar"},
    {ConstraintKind::BetaMin, "beta-min", "Beta (Beta S with a spring) >=", 1.05, true,
     "dimensionless"},
    {ConstraintKind::TauRho, "tau-rho", "1 - Tau - Rho >", 0, false, "dimensionless"},
    {ConstraintKind::DwellMin, "dwell-min", "Dwell at each stop (degrees) >=", 20, false,
     "degrees"},
    {ConstraintKind::LossMax, "loss-max", "Displacer power loss (% of objective) <=", 10, false,
     "percent of the objective"},
    {ConstraintKind::EfficiencyMin, "efficiency-min",
     "Thermal efficiency (shaft work / heat in) >=", 0.1, false, "fraction"},
    // With the design's losses ([Gas], [Losses], [Load]); violated for a design without them.
    {ConstraintKind::BrakePowerMin, "brake-power-min", "Brake power (W) >=", 0, false, "W"},
    {ConstraintKind::BrakeEfficiencyMin, "brake-efficiency-min",
     "Brake efficiency (brake power / total heat in) >=", 0.05, false, "fraction"},
}};

const ConstraintInfo& InfoOf(ConstraintKind kind);
const ConstraintInfo* FindConstraint(std::string_view name);

struct Constraint {
    ConstraintKind kind = ConstraintKind::NotOverdriven;
    double margin = 0.95;
};

// One varied input with its bounds, in the unit the design chooses for it.
struct Variable {
    const SweepInput* input = nullptr;
    double from = 0;
    double to = 0;
};

// The optimization of one design.
struct OptimizeProblem {
    EnteredDesign base;
    Objective objective = Objective::PVPowerAtEngineSpeed;
    std::vector<Variable> variables;
    std::vector<Constraint> constraints;
    int maxEvaluations = 2000;
    // How the base was written where it was entered: trial values are written with its decimal
    // separator, and the table's "before" column shows each varied input's text as typed (the
    // entered number as a trial text when no text is given).
    NumberSettings numbers;
    std::array<std::string, kDesignInputs.size()> enteredTexts{};
};

inline constexpr int kDefaultMaxEvaluations = 2000;

// The value the input was entered with in the base design (its own unit), empty when what
// was entered is not a number.
std::optional<double> CurrentValue(const EnteredDesign& base, const SweepInput& input);

// The default bounds: 0.5 to 1.5 times the current value.
std::optional<Variable> DefaultVariable(const EnteredDesign& base, const SweepInput& input);

// "SECTION.KEY" or "SECTION.KEY=FROM:TO" as a variable of `base`, or why not in `problem`.
std::optional<Variable> ParseVariable(std::string_view text, const EnteredDesign& base,
                                      std::string& problem);

// "NAME" or "NAME=MARGIN" as a constraint, or why not in `problem`.
std::optional<Constraint> ParseConstraint(std::string_view text, std::string& problem);

// Why a variable's bounds cannot be searched (FROM not below TO, a value the input cannot
// hold), empty when they can.
std::string VariableProblem(const Variable& variable, const EnteredDesign& base);

// Why a constraint's margin is unfit ("beta-min: the margin must be above 0"), empty when fit.
std::string ConstraintProblem(const Constraint& constraint);

// Why a problem cannot be optimized (no input, an input twice, bad bounds or margins, a
// budget below 1), empty when it can. The start design is checked by the run.
std::string ProblemError(const OptimizeProblem& problem);

// The problem's base with each variable set to its value in the unit the input was entered
// in, as its text (TrialText) shows it.
Design DesignWithValues(const OptimizeProblem& problem, const std::vector<double>& values);

}  // namespace velmora
