#pragma once

#include "engine/parameter_set.h"

namespace velmora {

// The engine as the equations of its cycle see it (doc/physics.md section 1), SI, built once
// from the analysed design by EngineOf. x is the displacer's position: 0 at mid-stroke,
// positive towards the hot end, stops at -dispHalfStroke (low) and +dispHalfStroke (high).
// s is sin(theta), theta the crank angle. The glossary of doc/physics.md (section 7) maps
// every field to its symbol.
struct Engine {
    double dispArea = 0;          // A_d, m^2
    double rodArea = 0;           // A_r, m^2: through the cold space
    double pistonArea = 0;        // A_p, m^2
    double dispHalfStroke = 0;    // h_d, m
    double pistonHalfStroke = 0;  // h_p, m
    double deadVolume = 0;        // V_D, m^3
    double hotTemp = 0;           // T_h, K
    double coldTemp = 0;          // T_c, K
    double deadTemp = 0;          // T_D, K
    double dispMass = 0;          // m, kg
    double springConstant = 0;    // k, N/m
    double springCenter = 0;      // x_c, m
    // W = m g, N, when the displacer's weight is simulated, else 0. It always pulls towards
    // the low stop (-x): the force on the displacer is -W (WeightForce).
    double weight = 0;
    bool weightSimulated = false;
    double speed = 0;           // omega, rad/s
    double gasMassR = 0;        // M R, J/K: the gas charge times the gas constant
    double bufferPressure = 0;  // p_b, Pa: on the rod's outer end

    // Hot and cold volumes, m^3 (section 1). The cold space with the piston at sin(theta) = s.
    double HotVolume(double x) const { return dispArea * (dispHalfStroke + x); }
    double ColdVolume(double x, double s) const {
        return (dispArea - rodArea) * (dispHalfStroke - x) +
               pistonArea * pistonHalfStroke * (1 + s);
    }
    // The one-degree model's form of it, from the piston's position (m from mid-stroke): its
    // arithmetic, kept to the bit.
    double ColdVolumeAtPiston(double x, double pistonPos) const {
        return (dispArea - rodArea) * (dispHalfStroke - x) +
               (pistonHalfStroke + pistonPos) * pistonArea;
    }

    // D = V_h / T_h + V_c / T_c + V_D / T_D, m^3/K (section 1, Pressure).
    double D(double x, double s) const {
        return HotVolume(x) / hotTemp + ColdVolume(x, s) / coldTemp + deadVolume / deadTemp;
    }
    // p = M R / D, Pa.
    double Pressure(double x, double s) const { return gasMassR / D(x, s); }

    // The weight's force along x, N: -W, or 0 without weight.
    double WeightForce() const { return weightSimulated ? -weight : 0.0; }
    // The spring's force along x, N: -k (x - x_c).
    double SpringForce(double x) const { return -(x - springCenter) * springConstant; }
    // F = A_r (p - p_b) - k (x - x_c) - W, N (section 1, Motion of the displacer).
    double Force(double x, double p) const {
        return rodArea * (p - bufferPressure) + SpringForce(x) - weight;
    }
};

// The engine of an analysed parameter set (areas and half strokes filled in), its weight
// simulated or not, run at `speed` (rad/s) with the gas charge `gasMassR` (J/K) and the mean
// pressure as buffer pressure.
Engine EngineOf(const ParameterSet& analysed, bool weightSimulated, double speed = 0,
                double gasMassR = 0);

}  // namespace velmora
