#include "form/design_steps.h"

#include <cmath>

#include "engine/analysis_operations.h"
#include "report/number_text.h"

namespace velmora {

namespace {

std::optional<double> Finite(double x) {
    return std::isfinite(x) ? std::optional<double>(x) : std::nullopt;
}

// The typed number in metres, halved for a diameter; nothing for 0 or a non-number.
std::optional<double> TypedLength(std::string_view typed, const OutputUnits& units,
                                  bool isDiameter) {
    const std::optional<double> number = NumberTextValue(typed, units.numbers);
    if (!number) return std::nullopt;
    const double value = isDiameter ? *number / 2 : *number;
    if (value == 0) return std::nullopt;
    return LengthFromOutput(units, value);
}

std::optional<std::string> LengthProposal(const OutputUnits& units, double metres) {
    if (!std::isfinite(metres)) return std::nullopt;
    return FormatFieldNumber(LengthToOutput(units, metres), units.numbers);
}

std::optional<std::string> StrokeFromRadius(std::string_view typed, const OutputUnits& units,
                                            double volume, double factor) {
    const std::optional<double> r = TypedLength(typed, units, true);
    if (!r) return std::nullopt;
    return LengthProposal(units, factor * volume / (kPi * *r * *r));
}

std::optional<std::string> DiameterFromStroke(std::string_view typed, const OutputUnits& units,
                                              double volume, double factor) {
    const std::optional<double> s = TypedLength(typed, units, false);
    if (!s) return std::nullopt;
    return LengthProposal(units, factor * 2 * std::sqrt(volume / (kPi * *s)));
}

}  // namespace

std::optional<double> RequiredPistonSweptVolume(const ParameterSet& p) {
    if (p.HotTemp == p.ColdTemp) return std::nullopt;
    return Finite(kTwoPi * p.RequiredEnginePower * (p.HotTemp + p.ColdTemp) /
                  ((p.HotTemp - p.ColdTemp) * p.EngineSpeed * 0.3 * p.MeanEnginePressure));
}

std::optional<double> DisplacerSweptVolumeBound(double pistonSweptVolume, double tau) {
    if (1 - tau == 0) return std::nullopt;
    return Finite(pistonSweptVolume / (1 - tau));
}

std::optional<double> RequiredRodArea(const ParameterSet& p) {
    const double oneMinusTau = 1 - p.Tau;
    if (oneMinusTau == 0) return std::nullopt;
    const double lambdaKappa = p.Lambda * p.Kappa;
    const double radicand = lambdaKappa * lambdaKappa / (oneMinusTau * oneMinusTau) - 1;
    if (!(radicand >= 0)) return std::nullopt;
    const double g = FindGammaM(std::sqrt(radicand));
    const double gw = g * p.EngineSpeed;
    const double area = gw * gw * p.DispMass * p.DispHalfStroke *
                        (1 + p.Tau + lambdaKappa + p.Sigma) / (oneMinusTau * p.MeanEnginePressure);
    if (!(area > 0) || !std::isfinite(area)) return std::nullopt;
    return area;
}

DesignPage RefreshDesignPage(const ParameterSet& p, const OutputUnits& u,
                             const DesignMembers& previous) {
    DesignPage page;
    page.members = previous;
    const std::string unit = LengthUnitName(u);
    page.lDesignPistonDiamUnits = unit;
    page.lDesignPistonStrokeUnits = unit;
    page.lDesignDispDiamUnits = unit;
    page.lDesignDispStrokeUnits = unit;

    page.lStep2 = p.HotTemp != 0 && p.ColdTemp != 0 && p.RequiredEnginePower != 0;
    if (page.lStep2) {
        page.lStep1Results = PowerText(u, p.RequiredEnginePower) + ", " +
                             TemperatureText(u, p.HotTemp) + ", " + TemperatureText(u, p.ColdTemp);
    }

    page.lStep3 = page.lStep2 && p.EngineSpeed != 0 && p.MeanEnginePressure != 0;
    if (page.lStep3) {
        page.lStep2Results =
            PressureText(u, p.MeanEnginePressure) + ", " + AngVelText(u, p.EngineSpeed);
        if (const auto volume = RequiredPistonSweptVolume(p)) {
            page.members.DesignPistonSweptVolume = *volume;
            page.lStep3Results = "Computed: " + VolumeText(u, *volume);
        }
    }

    page.lStep4 = page.lStep3 && p.PistonDiameter != 0 && p.PistonStroke != 0;
    if (page.lStep4) {
        if (const auto bound =
                DisplacerSweptVolumeBound(page.members.DesignPistonSweptVolume, p.Tau)) {
            page.members.DesignDispSweptVolume = *bound;
            page.lStep4Results = "Computed: < " + VolumeText(u, *bound);
        }
    }

    page.lStep5 = page.lStep4;

    page.lStep6 = page.lStep5 && p.DispDiameter != 0 && p.DispStroke != 0 && p.DispMass != 0;
    if (p.DispDiameter != 0 && p.DispStroke != 0 && p.DispMass == 0) {
        page.lStep6Results = "Don't forget to enter the displacer mass!";
    }
    if (page.lStep6) {
        page.lStep5Results = LengthText(u, p.DispDiameter) + ", " + LengthText(u, p.DispStroke) +
                             ", " + MassText(u, p.DispMass);
        if (const auto area = RequiredRodArea(p)) {
            const double diameter = 2 * std::sqrt(*area / kPi);
            page.members.DesignRodDiameter = diameter;
            page.lStep6Results = "Computed: " + AreaText(u, *area) + ", " +
                                 "(radius: " + LengthText(u, diameter / 2) + "; " +
                                 "diam: " + LengthText(u, diameter) + ")";
            page.moveUseRodDiamButton = true;
        }
    }

    page.lStep7 = page.lStep6 && p.DispRodDiameter != 0;
    return page;
}

std::optional<std::string> ProposeFromTypedPistonDiam(std::string_view typed,
                                                      const OutputUnits& units,
                                                      double designPistonSweptVolume) {
    return StrokeFromRadius(typed, units, designPistonSweptVolume, 1);
}

std::optional<std::string> ProposeFromTypedPistonStroke(std::string_view typed,
                                                        const OutputUnits& units,
                                                        double designPistonSweptVolume) {
    return DiameterFromStroke(typed, units, designPistonSweptVolume, 1);
}

std::optional<std::string> ProposeFromTypedDispDiam(std::string_view typed,
                                                    const OutputUnits& units,
                                                    double designDispSweptVolume) {
    return StrokeFromRadius(typed, units, designDispSweptVolume, 0.9);
}

std::optional<std::string> ProposeFromTypedDispStroke(std::string_view typed,
                                                      const OutputUnits& units,
                                                      double designDispSweptVolume) {
    return DiameterFromStroke(typed, units, designDispSweptVolume, 0.9);
}

void UsePistonDiamStroke(ControlState& c) {
    const int unit = c.outputs.LengthOutputFormatRG;
    c.EditPistonDiameter = {c.EditStep3PistonDiam, unit};
    c.EditPistonStroke = {c.EditStep3PistonStroke, unit};
}

void UseDispDiamStroke(ControlState& c) {
    const int unit = c.outputs.LengthOutputFormatRG;
    c.EditDispDiameter = {c.EditStep5DispDiam, unit};
    c.EditDispStroke = {c.EditStep5DispStroke, unit};
}

void UseRodDiam(ControlState& c, double designRodDiameter) {
    c.EditDispRodDiameter = {
        FormatFieldNumber(LengthToOutput(c.outputs, designRodDiameter), c.outputs.numbers),
        c.outputs.LengthOutputFormatRG};
}

}  // namespace velmora
