#include "export/build_by_lines.h"

#include <cmath>
#include <optional>

#include "report/number_text.h"
#include "simulation/design_evaluator.h"

namespace velmora {

namespace {

// Below this a power is the rounding of a design that does not run.
constexpr double kRunningPowerW = 1e-3;

std::string PowerText(const std::optional<double>& watts, const NumberSettings& numbers) {
    if (!watts || !std::isfinite(*watts) || std::fabs(*watts) < kRunningPowerW)
        return "- (not running)";
    if (*watts < 0) return "- (not running; absorbs " + FormatNumber(-*watts, numbers) + " W)";
    return FormatNumber(*watts, numbers) + " W";
}

// The power to build by, from the accurate model whichever model the design chooses: the
// one-degree figures stay in the report as they are, and this line says what to trust.
std::vector<std::string> PowerLines(const Design& design, const NumberSettings& numbers) {
    Design accurate = design;
    accurate.model = IntegrationModel::Accurate;
    EvaluationOptions options;
    options.energy = true;
    const bool losses = design.losses.given;
    if (losses) AskForOutput(options, DesignOutput::BrakePower);
    const DesignResult result = EvaluateDesign(accurate, options);
    if (losses)
        return {"  Brake power (accurate model with losses): " +
                PowerText(result[DesignOutput::BrakePower], numbers)};
    return {"  Shaft power (accurate model): " +
            PowerText(result[DesignOutput::ShaftPower], numbers)};
}

}  // namespace

std::vector<std::string> BuildByLines(const Design& design, const NumberSettings& numbers) {
    std::vector<std::string> lines{"Power to build by"};
    const std::vector<std::string> power = PowerLines(design, numbers);
    lines.insert(lines.end(), power.begin(), power.end());
    // Short lines: the report's longest line sets the font size of all of them.
    lines.push_back("  Computed Values: Schmidt power and Omega Bar from the closed-form");
    lines.push_back("  analysis; PV powers, dwells and pressures from the one-degree run;");
    lines.push_back("  the power to build by from the accurate (error-controlled) model.");
    return lines;
}

std::vector<std::string> HeldBuildByLines(const std::string& heldName, const Design& held,
                                          const NumberSettings& numbers) {
    std::vector<std::string> lines{"Held design: " + heldName};
    const std::vector<std::string> power = PowerLines(held, numbers);
    lines.insert(lines.end(), power.begin(), power.end());
    return lines;
}

}  // namespace velmora
