#pragma once

namespace velmora {

// Every engine quantity in SI units. Zero means "not given" or "could not be computed".
// Inputs are rewritten by every compute run; derived values by the analysis.
struct ParameterSet {
    // Inputs, in reading order, with the halves and radii derived at reading time.
    double DispDiameter = 0;         // m
    double DispRadius = 0;           // m
    double DispStroke = 0;           // m
    double DispHalfStroke = 0;       // m
    double DispMass = 0;             // kg
    double DispRodDiameter = 0;      // m
    double DispRodRadius = 0;        // m
    double SpringConstant = 0;       // N/m, 0 = no spring
    double SpringCenter = 0;         // m
    double PistonDiameter = 0;       // m
    double PistonRadius = 0;         // m
    double PistonStroke = 0;         // m
    double PistonHalfStroke = 0;     // m
    double DeadSpaceVol = 0;         // m^3
    double DeadSpaceTemp = 0;        // K
    double HotTemp = 0;              // K
    double ColdTemp = 0;             // K
    double EngineSpeed = 0;          // rad/s
    double MeanEnginePressure = 0;   // Pa
    double RequiredEnginePower = 0;  // W

    // Written by the analysis.
    double DispArea = 0;     // m^2
    double PistonArea = 0;   // m^2
    double DispRodArea = 0;  // m^2
    double GasMass = 0;      // kg
    double Tau = 0;
    double TauPrime = 0;
    double Lambda = 0;
    double Rho = 0;
    double Kappa = 0;
    double Sigma = 0;
    double K = 0;             // 1/s^2
    double SpringFactor = 0;  // 0 = no spring takes part
    double Beta = 0;
    double Chi = 0;
    double Gamma = 0;
    double GammaM = 0;
    double OmegaBar = 0;                 // rad/s
    double NeutralSpringConstant = 0;    // N/m
    double NeutralSpringSpeedLimit = 0;  // rad/s
    double AlphaBar = 0;                 // rad
    double TeeZero = 0;                  // s
    double SchmidtWork = 0;              // J
    double SchmidtPower = 0;             // W
    double MaxDispVelocity = 0;          // m/s, signed
    double DispPowerLoss = 0;            // W

    // Written by the cycle simulation.
    double PVPowerAtEngineSpeed = 0;  // W
    double PVPowerAtOmegaBar = 0;     // W
};

}  // namespace velmora
