#include "optimizer/design_judgement.h"

#include <algorithm>
#include <cmath>

#include "engine/design_parameters.h"
#include "report/analysis_report.h"
#include "report/number_text.h"

namespace velmora {

namespace {

// Margin texts in captions: "0.95", "20".
std::string MarginText(double margin) {
    return TrialText(margin, NumberSettings{});
}

// A constraint that cannot be evaluated is violated by this much.
constexpr double kUncomputable = 1.0;

struct DesignFacts {
    double springConstant = 0;
    std::optional<double> oneMinusTauRho;
};

DesignFacts FactsOf(const Design& design, bool analysis) {
    ParameterSet params;
    StoreDesignInputs(design, params);
    DesignFacts facts{params.SpringConstant, std::nullopt};
    if (analysis) {
        AnalyzeEngine(params);
        // Tau and Rho are 0 when their step failed; then the difference means nothing.
        if (params.HotTemp != 0 && params.DispArea != 0)
            facts.oneMinusTauRho = 1 - params.Tau - params.Rho;
    }
    return facts;
}

// The result column a constraint reads when it needs one computed on request.
std::optional<DesignOutput> ConstrainedOutput(ConstraintKind kind) {
    switch (kind) {
        case ConstraintKind::EfficiencyMin:
            return DesignOutput::Efficiency;
        case ConstraintKind::BrakePowerMin:
            return DesignOutput::BrakePower;
        case ConstraintKind::BrakeEfficiencyMin:
            return DesignOutput::BrakeEfficiency;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<double> ObjectiveValue(Objective objective, const DesignResult& result) {
    return result[InfoOf(objective).output];
}

EvaluationOptions EvaluationOptionsFor(const OptimizeProblem& problem) {
    EvaluationOptions options;
    AskForOutput(options, InfoOf(problem.objective).output);
    for (const Constraint& c : problem.constraints)
        if (const std::optional<DesignOutput> output = ConstrainedOutput(c.kind))
            AskForOutput(options, *output);
    return options;
}

std::size_t SearchConstraintCount(const OptimizeProblem& problem) {
    std::size_t count = 0;
    for (const Constraint& c : problem.constraints)
        count += c.kind == ConstraintKind::DwellMin ? 2 : 1;
    return count;
}

Judgement JudgeDesign(const OptimizeProblem& problem, const Design& design,
                      const DesignResult& result) {
    Judgement j;
    j.objective = ObjectiveValue(problem.objective, result);
    bool holds = j.objective.has_value();

    bool needSpring = false;
    bool needAnalysis = false;
    for (const Constraint& c : problem.constraints) {
        needSpring = needSpring || c.kind == ConstraintKind::BetaMin;
        needAnalysis = needAnalysis || c.kind == ConstraintKind::TauRho;
    }
    DesignFacts facts;
    if (needSpring || needAnalysis) facts = FactsOf(design, needAnalysis);

    // Adds one limited quantity: `violation` is used when the value exists.
    auto add = [&](std::string caption, std::optional<double> value, bool ok, double violation) {
        j.quantities.push_back({std::move(caption), value});
        if (!value || !std::isfinite(*value)) {
            j.violations.push_back(kUncomputable);
            holds = false;
            return;
        }
        j.violations.push_back(violation);
        holds = holds && ok;
    };

    for (const Constraint& c : problem.constraints) {
        const double m = c.margin;
        const std::string limit = MarginText(m);
        switch (c.kind) {
            case ConstraintKind::NotOverdriven: {
                const std::optional<double>& omegaBar = result[DesignOutput::OmegaBar];
                std::optional<double> ratio;
                if (omegaBar && *omegaBar > 0) ratio = result.engineSpeed / *omegaBar;
                add("Engine speed / Omega Bar (<= " + limit + ")", ratio,
                    ratio && result.engineSpeed <= *omegaBar * m, ratio ? *ratio / m - 1 : 0);
                break;
            }
            case ConstraintKind::BetaMin: {
                const bool spring = facts.springConstant != 0;
                const std::optional<double> beta =
                    spring ? result[DesignOutput::BetaS] : result[DesignOutput::Beta];
                add("Beta, Beta S with a spring (>= " + limit + ")", beta, beta && *beta >= m,
                    beta ? 1 - *beta / m : 0);
                break;
            }
            case ConstraintKind::TauRho: {
                const std::optional<double> value = facts.oneMinusTauRho;
                // Strictly above the margin: a tiny step inside keeps COBYLA off the edge.
                add("1 - Tau - Rho (> " + limit + ")", value, value && *value > m,
                    value ? m + 1e-9 - *value : 0);
                break;
            }
            case ConstraintKind::DwellMin: {
                const double scale = std::max(m, 10.0);
                for (const DesignOutput output : {DesignOutput::DwellHi, DesignOutput::DwellLo}) {
                    const std::optional<double>& dwell = result[output];
                    add(std::string(output == DesignOutput::DwellHi ? "Dwell hi" : "Dwell lo") +
                            " (deg) (>= " + limit + ")",
                        dwell, dwell && *dwell >= m, dwell ? (m - *dwell) / scale : 0);
                }
                break;
            }
            case ConstraintKind::LossMax: {
                const std::optional<double>& loss = result[DesignOutput::DispPowerLoss];
                std::optional<double> percent;
                if (loss && j.objective && *j.objective > 0) percent = *loss * 100 / *j.objective;
                add("Displacer power loss (% of objective) (<= " + limit + ")", percent,
                    percent && *percent <= m, percent ? (*percent - m) / std::max(m, 1.0) : 0);
                break;
            }
            case ConstraintKind::EfficiencyMin: {
                // Empty where no heat is taken in or an accurate run did not settle: violated.
                const std::optional<double>& efficiency = result[DesignOutput::Efficiency];
                add("Thermal efficiency (>= " + limit + ")", efficiency,
                    efficiency && *efficiency >= m, efficiency ? (m - *efficiency) * 10 : 0);
                break;
            }
            case ConstraintKind::BrakePowerMin: {
                // Empty for a design without losses, or one whose lossy run did not settle.
                const std::optional<double>& brake = result[DesignOutput::BrakePower];
                const double scale = std::max(std::abs(m), 1.0);
                add("Brake power (W) (>= " + limit + ")", brake, brake && *brake >= m,
                    brake ? (m - *brake) / scale : 0);
                break;
            }
            case ConstraintKind::BrakeEfficiencyMin: {
                const std::optional<double>& efficiency = result[DesignOutput::BrakeEfficiency];
                add("Brake efficiency (>= " + limit + ")", efficiency,
                    efficiency && *efficiency >= m, efficiency ? (m - *efficiency) * 10 : 0);
                break;
            }
        }
    }
    j.feasible = holds;
    return j;
}

}  // namespace velmora
