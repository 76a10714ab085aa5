#include "simulation/engine.h"

#include "report/unit_text.h"

namespace velmora {

Engine EngineOf(const ParameterSet& p, bool weightSimulated, double speed, double gasMassR) {
    return Engine{
        .dispArea = p.DispArea,
        .rodArea = p.DispRodArea,
        .pistonArea = p.PistonArea,
        .dispHalfStroke = p.DispHalfStroke,
        .pistonHalfStroke = p.PistonHalfStroke,
        .deadVolume = p.DeadSpaceVol,
        .hotTemp = p.HotTemp,
        .coldTemp = p.ColdTemp,
        .deadTemp = p.DeadSpaceTemp,
        .dispMass = p.DispMass,
        .springConstant = p.SpringConstant,
        .springCenter = p.SpringCenter,
        .weight = weightSimulated ? p.DispMass * kGravity : 0.0,
        .weightSimulated = weightSimulated,
        .speed = speed,
        .gasMassR = gasMassR,
        .bufferPressure = p.MeanEnginePressure,
    };
}

}  // namespace velmora
