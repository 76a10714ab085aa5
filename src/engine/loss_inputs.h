#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The working gas of the accurate model's losses: it sets viscosity, conductivity and heat
// capacity; the pressure still follows from the typed mean pressure.
enum class GasKind { Air, Helium, Hydrogen, Nitrogen };

// Properties of one gas. Viscosity by Sutherland's law mu = mu0 (T/T0)^1.5 (T0 + S)/(T + S),
// conductivity k = mu cp / Pr.
struct GasProperties {
    GasKind kind;
    const char* name;    // as the file writes it: "Air"
    double gasConstant;  // R, J/(kg K)
    double cp;           // J/(kg K)
    double gamma;        // cp / cv
    double mu0;          // Pa s at T0
    double t0;           // K
    double sutherland;   // S, K
    double prandtl;      // Pr
};

// The one table of gases, in GasKind order.
inline constexpr std::array<GasProperties, 4> kGases{{
    {GasKind::Air, "Air", 287.1, 1005, 1.400, 1.716e-5, 273.15, 110.4, 0.707},
    {GasKind::Helium, "Helium", 2077.3, 5193, 1.667, 1.865e-5, 273.0, 79.4, 0.673},
    {GasKind::Hydrogen, "Hydrogen", 4124.5, 14307, 1.405, 8.76e-6, 293.85, 72, 0.683},
    {GasKind::Nitrogen, "Nitrogen", 296.8, 1039, 1.400, 1.781e-5, 300.55, 111, 0.715},
}};

inline const GasProperties& PropertiesOf(GasKind kind) {
    return kGases[static_cast<std::size_t>(kind)];
}
std::optional<GasKind> FindGas(std::string_view name);
// Dynamic viscosity, Pa s, and thermal conductivity, W/(m K), at temperature t (K).
double Viscosity(const GasProperties& gas, double t);
double Conductivity(const GasProperties& gas, double t);

// The losses, the gas and the load of a design, SI. The defaults are the ideal engine: a
// design whose file has none of the sections holds them and is computed exactly as before.
struct LossInputs {
    GasKind gas = GasKind::Air;
    double annulusGap = 0;              // m, radial gap J between displacer and cylinder
    double displacerLength = 0;         // m, L
    double rodFriction = 0;             // N, Coulomb force of the rod guide
    double rodDamping = 0;              // N s/m
    double restitution = 0;             // share of the arrival speed kept at a stop
    double mechanismEffectiveness = 1;  // E in (0, 1]
    double heaterConductance = 0;       // W/K; 0 = gas at the wall temperature
    double coolerConductance = 0;       // W/K
    double staticConductance = 0;       // W/K, hot wall to cold wall
    double regeneratorEffectiveness = 1;
    double loadTorque = 0;  // N m
    // Whether the file held any key of [Gas], [Losses] or [Load]: only then are the loss
    // figures reported.
    bool given = false;
};

// A unit of a loss input: its name and its size in SI.
struct LossUnit {
    const char* name;
    double toSI;
};

// One key of the [Gas], [Losses] and [Load] sections: where the file keeps it, its unit list
// (the value is SI unless KEYUnits names another item), what it means, its typical range for a
// small engine and which values it may take.
struct LossInput {
    const char* section;
    const char* key;
    double LossInputs::*field;  // nullptr: the gas name
    std::array<LossUnit, 3> units;
    int unitCount;
    const char* tip;
    double typicalLow;
    double typicalHigh;
    double low;        // smallest allowed value
    bool lowOpen;      // low itself is not allowed
    double high;       // largest allowed value (infinity: none)
    bool highOpen;     // high itself is not allowed
    const char* rule;  // the allowed values in words, for the message
};

inline constexpr double kUnbounded = 1e300;
inline constexpr std::array<LossUnit, 3> kLengthUnits{{{"m", 1}, {"mm", 1e-3}, {"in", 0.0254}}};
constexpr std::array<LossUnit, 3> OneUnit(const char* name) {
    return {{{name, 1}, {"", 0}, {"", 0}}};
}

inline constexpr std::array<LossInput, 12> kLossInputs{{
    {"Gas", "Name", nullptr, OneUnit(""), 0,
     "Working gas: Air, Helium, Hydrogen or Nitrogen; sets viscosity, conductivity and heat "
     "capacity of the losses (default Air)",
     0, 0, 0, false, 0, false, "Air, Helium, Hydrogen or Nitrogen"},
    {"Losses", "AnnulusGap", &LossInputs::annulusGap, kLengthUnits, 3,
     "Radial gap between displacer and cylinder (feeler gauge); its gas flow damps the "
     "displacer and carries shuttle heat; 0 = none",
     0.0003, 0.002, 0, false, kUnbounded, false, "0 or more"},
    {"Losses", "DisplacerLength", &LossInputs::displacerLength, kLengthUnits, 3,
     "Length of the displacer along the gap", 0.02, 0.15, 0, false, kUnbounded, false, "0 or more"},
    {"Losses", "RodFriction", &LossInputs::rodFriction, OneUnit("N"), 1,
     "Coulomb friction force of the displacer rod in its guide", 0.001, 0.05, 0, false, kUnbounded,
     false, "0 or more"},
    {"Losses", "RodDamping", &LossInputs::rodDamping, OneUnit("N s/m"), 1,
     "Viscous damping of the displacer rod in its guide", 0, 0.5, 0, false, kUnbounded, false,
     "0 or more"},
    {"Losses", "Restitution", &LossInputs::restitution, OneUnit(""), 1,
     "Share of its arrival speed the displacer keeps at a stop (0 = stops dead)", 0, 0.3, 0, false,
     1, true, "from 0 to below 1"},
    {"Losses", "MechanismEffectiveness", &LossInputs::mechanismEffectiveness, OneUnit(""), 1,
     "Mechanism effectiveness E of crank and bearings (flywheel coast-down); 1 = ideal", 0.7, 0.95,
     0, true, 1, false, "above 0 and at most 1"},
    {"Losses", "HeaterConductance", &LossInputs::heaterConductance, OneUnit("W/K"), 1,
     "Heat transfer conductance hA of the hot end to the gas; 0 = gas at the wall temperature", 0.1,
     5, 0, false, kUnbounded, false, "0 or more"},
    {"Losses", "CoolerConductance", &LossInputs::coolerConductance, OneUnit("W/K"), 1,
     "Heat transfer conductance hA of the cold end to the gas; 0 = gas at the wall temperature",
     0.1, 5, 0, false, kUnbounded, false, "0 or more"},
    {"Losses", "StaticConductance", &LossInputs::staticConductance, OneUnit("W/K"), 1,
     "Conductance of walls, shell and rod from the hot to the cold end", 0.005, 0.1, 0, false,
     kUnbounded, false, "0 or more"},
    {"Losses", "RegeneratorEffectiveness", &LossInputs::regeneratorEffectiveness, OneUnit(""), 1,
     "Share of the heat of the gas shuttled to the hot space that is recovered; 1 = none lost", 0,
     0.5, 0, false, 1, false, "from 0 to 1"},
    {"Load", "Torque", &LossInputs::loadTorque, OneUnit("N m"), 1,
     "Constant load torque on the shaft; 0 = none", 0.001, 0.05, 0, false, kUnbounded, false,
     "0 or more"},
}};

// The keys of the three sections as a file held them: the text of each key and of its units
// key, absent when the file had none.
struct LossTexts {
    std::array<std::optional<std::string>, kLossInputs.size()> values{};
    std::array<std::optional<std::string>, kLossInputs.size()> units{};
    bool Any() const;
};

// "[Losses] AnnulusGap", the key as messages name it.
std::string LossKeyName(const LossInput& input);

// The inputs the texts say, or the one-line problem with the first text that cannot be used
// ("[Losses] Restitution must be from 0 to below 1, not 1").
struct LossReading {
    LossInputs inputs;
    std::string problem;  // empty when every text was usable
    int badRow = -1;      // the row of the problem
};
LossReading ReadLossInputs(const LossTexts& texts);

}  // namespace velmora
