#include <charconv>
#include <ostream>
#include <string>

#include "commands.h"
#include "export/chart_image.h"
#include "export/session_exports.h"
#include "headless_run.h"
#include "locale/number_settings_from_locale.h"
#include "offscreen_gui.h"
#include "output_target.h"

namespace velmora::cli {
namespace {

constexpr int kMaxSide = 20000;

// A whole number from `low` to `high`, nothing else.
std::optional<int> ReadWhole(const std::string& text, int low, int high) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

// "WxH" with both sides from 16 to kMaxSide.
std::optional<QSize> ReadSize(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    int width = 0;
    int height = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    const auto w = std::from_chars(begin, begin + x, width);
    const auto h = std::from_chars(begin + x + 1, end, height);
    if (w.ec != std::errc() || w.ptr != begin + x || h.ec != std::errc() || h.ptr != end)
        return std::nullopt;
    if (width < 16 || height < 16 || width > kMaxSide || height > kMaxSide) return std::nullopt;
    return QSize(width, height);
}

}  // namespace

const CommandUsage kChartUsage{
    "chart",
    {"--chart", "--format", "--size", "--dpi", "-o"},
    {},
    "velmora-cli chart FILE --chart main|pv|power --format svg|png [--size WxH] [--dpi N] -o OUT",
    "Loads FILE, computes once and draws one graph as the window shows it: the main graph,\n"
    "the pressure/volume diagram or the power curve, as SVG or PNG, 1600x1000 unless --size\n"
    "says otherwise (16 to 20000 each way); a PNG carries --dpi dots per inch (default 96,\n"
    "from 10 to 2400).\n"};

int RunChartCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const std::optional<CommandArgs> args = ParseCommandArgs(kChartUsage, words, err);
    if (!args) return 2;
    if (args->help) return PrintCommandHelp(kChartUsage, out);
    const std::string chart = args->Option("--chart").value_or("");
    const std::string format = args->Option("--format").value_or("");
    if (chart != "main" && chart != "pv" && chart != "power")
        return UsageError(kChartUsage, "unknown chart '" + chart + "'", err);
    if (format != "svg" && format != "png")
        return UsageError(kChartUsage, "unknown format '" + format + "'", err);
    const std::optional<QSize> size = ReadSize(args->Option("--size").value_or("1600x1000"));
    if (!size) return UsageError(kChartUsage, "bad size '" + *args->Option("--size") + "'", err);
    const std::optional<int> dpi = ReadWhole(args->Option("--dpi").value_or("96"), 10, 2400);
    if (!dpi) return UsageError(kChartUsage, "bad dpi '" + *args->Option("--dpi") + "'", err);
    if (!args->Option("-o")) return UsageError(kChartUsage, "this format needs -o OUT", err);

    RecordingSession session;
    // Titles with numbers (the power curve's) read as in the window under the same locale.
    session.State.outputs.numbers = NumberSettingsFromSystemLocale();
    if (!LoadAndCompute(args->file, session, err)) return 2;
    const OffscreenGui gui;
    const ChartKind kind = chart == "main" ? ChartKind::Main
                           : chart == "pv" ? ChartKind::PressureVolume
                                           : ChartKind::Power;
    const ChartData data = ChartOf(session, kind);
    const QByteArray bytes = format == "svg" ? ChartSvg(data, *size) : ChartPng(data, *size, *dpi);
    // An image that could not be made is never written as an empty file over a good one.
    if (bytes.isEmpty()) {
        err << "velmora-cli chart: the image could not be made: out of memory\n";
        return 2;
    }
    return EmitFile(bytes.toStdString(), *args, kChartUsage, out, err);
}

}  // namespace velmora::cli
