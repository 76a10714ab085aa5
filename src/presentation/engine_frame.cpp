#include "presentation/engine_frame.h"

#include <charconv>
#include <vector>

#include "report/number_text.h"

namespace velmora {

namespace {

double SampleAt(const SampleList& list, std::size_t index) {
    return index < list.size() ? list[index] : 0.0;
}

}  // namespace

double SampleValue(const std::string& text) {
    // from_chars ignores the process locale, which a window toolkit may have changed; a comma
    // is still taken as the decimal separator in case the writer followed such a locale.
    std::string s = text;
    for (char& c : s) {
        if (c == ',') c = '.';
    }
    std::size_t start = s.find_first_not_of(' ');
    if (start == std::string::npos) return 0;
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data() + start, s.data() + s.size(), value);
    (void)end;
    return ec == std::errc() ? value : 0.0;
}

std::string PhaseAxisTitle(const std::string& current, bool animating, int xAxisChoice, double xv,
                           const NumberSettings& numbers) {
    std::string title = current.substr(0, current.find(" -- "));
    if (animating) return title;
    title += " -- Phase: ";
    if (xAxisChoice == 0) {
        title += FormatDuration(xv, numbers);
    } else if (xAxisChoice == 1) {
        title += FormatNumber(xv, numbers);
    }
    return title;
}

EngineFrame DrawEngineFrame(ShownRun& sim, const ParameterSet& params, const OutputUnits& units,
                            const EngineFrameRequest& request) {
    EngineFrame frame;
    const int count = static_cast<int>(sim.SampleDispPos.size());
    if (count == 0) return frame;
    frame.drawn = true;
    frame.position = request.position < 0 ? 0 : request.position;
    if (frame.position >= count) frame.position = count - 1;
    const auto at = static_cast<std::size_t>(frame.position);

    frame.xv = SampleAt(sim.SampleX, at);
    frame.xb = SampleAt(sim.SampleDispPos, at) + params.DispHalfStroke;
    frame.xpb = SampleAt(sim.SamplePistonPos, at) + params.PistonHalfStroke;

    sim.Series3 = {{frame.xv, request.cursorMin}, {frame.xv, request.cursorMax}};
    sim.Series3a = sim.Series3;

    sim.Graphs.phase = PhaseMark{request.animating, request.xAxisChoice, frame.xv, units.numbers};

    sim.PVPhaseSeries = {{VolumeToOutput(units, SampleAt(sim.SampleTotalVolume, at)),
                          PressureToOutput(units, SampleAt(sim.SamplePressure, at))}};

    frame.picture = DrawEnginePicture(params, frame.xb, frame.xpb, request.width, request.height);
    return frame;
}

}  // namespace velmora
