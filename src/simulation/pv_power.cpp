#include "simulation/pv_power.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "report/number_text.h"
#include "simulation/pv_outline.h"
#include "simulation/raster_surface.h"

namespace velmora {
namespace {

constexpr std::size_t kOutlinePoints = 360;
constexpr int kSeedColumn = 2;

struct ImagePoint {
    double px = 0;
    double py = 0;
};

int PixelCoordinate(double value) {
    return static_cast<int>(RoundHalfEven(value));
}

// Pixels that are black in the outline or whose centre (whole coordinates) lies inside the
// closed polygon by the even-odd rule. This is what a fill from a seed inside the loop counts,
// also for loops that are thin or cross themselves.
// `blackInRow`(j, from, to) counts the outline's black pixels of row j in columns [from, to).
template <typename BlackInRow>
long CountOutlineAndPolygon(long blackPixels, BlackInRow blackInRow,
                            const std::vector<ImagePoint>& polygon) {
    const int width = kPVImageSize;
    const int height = kPVImageSize;
    // Crossings of each pixel row with the polygon's edges, half-open in y so that a vertex on
    // a row is counted once; every row therefore has an even number of crossings. Edges cross
    // rows first <= j < end; the crossings are gathered row by row into one array.
    struct EdgeRows {
        std::size_t edge;
        int first;
        int end;
    };
    std::vector<EdgeRows> edges;
    std::vector<std::size_t> rowStart(static_cast<std::size_t>(height) + 1, 0);
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const ImagePoint& a = polygon[i];
        const ImagePoint& b = polygon[(i + 1) % polygon.size()];
        if (a.py == b.py) continue;
        const int first = std::max(0, static_cast<int>(std::ceil(std::min(a.py, b.py))));
        const int end = std::min(height, static_cast<int>(std::ceil(std::max(a.py, b.py))));
        if (first >= end) continue;
        edges.push_back({i, first, end});
        for (int j = first; j < end; ++j) ++rowStart[static_cast<std::size_t>(j) + 1];
    }
    for (int j = 0; j < height; ++j) rowStart[j + 1] += rowStart[j];
    std::vector<double> crossings(rowStart[height]);
    std::vector<std::size_t> filled(rowStart.begin(), rowStart.end() - 1);
    for (const EdgeRows& e : edges) {
        const ImagePoint& a = polygon[e.edge];
        const ImagePoint& b = polygon[(e.edge + 1) % polygon.size()];
        for (int j = e.first; j < e.end; ++j)
            crossings[filled[j]++] = a.px + (j - a.py) * (b.px - a.px) / (b.py - a.py);
    }

    // Rows beyond the points hold neither outline pixels nor crossings.
    double top = height;
    double bottom = 0;
    for (const ImagePoint& p : polygon) {
        top = std::min(top, p.py);
        bottom = std::max(bottom, p.py);
    }
    const int firstRow = std::max(0, static_cast<int>(std::floor(top)) - 1);
    const int lastRow = std::min(height - 1, static_cast<int>(std::ceil(bottom)) + 1);

    long count = blackPixels;
    // No edge crosses a row (a loop flat in the image): nothing lies inside, and the pointer
    // walk below must not start from the empty list's null data.
    if (crossings.empty()) return count;
    for (int j = firstRow; j <= lastRow; ++j) {
        double* xs = crossings.data() + rowStart[j];
        double* xsEnd = crossings.data() + rowStart[j + 1];
        std::sort(xs, xsEnd);
        // A centre is inside when an odd number of crossings lies right of it: between the
        // crossings 2k and 2k + 1, that is for ceil(x[2k]) <= i < ceil(x[2k + 1]). Outline
        // pixels there are already counted.
        for (double* x = xs; x + 1 < xsEnd; x += 2) {
            const int from = static_cast<int>(std::clamp(std::ceil(x[0]), 0.0, double(width)));
            const int to = static_cast<int>(std::clamp(std::ceil(x[1]), 0.0, double(width)));
            count += (to - from) - blackInRow(j, from, to);
        }
    }
    return count;
}

// The diagram's newest 360 points in image coordinates, with the seed row of the fill when a
// point lies on the smallest volume, and the spans in SI.
struct DiagramOutline {
    bool measurable = false;
    double volumeSpan = 0;
    double pressureSpan = 0;
    std::vector<ImagePoint> points;
    bool seeded = false;
    int seedRow = 0;
};

DiagramOutline OutlineOf(const SimulationState& sim, const OutputChoices& units) {
    DiagramOutline outline;
    if (sim.PVMaxVolume == sim.PVMinVolume || sim.PVMaxPressure == sim.PVMinPressure)
        return outline;
    if (sim.PVSeries.empty()) return outline;

    const double minVolume = VolumeFromOutput(units, sim.PVMinVolume);
    const double maxVolume = VolumeFromOutput(units, sim.PVMaxVolume);
    const double minPressure = PressureFromOutput(units, sim.PVMinPressure);
    const double maxPressure = PressureFromOutput(units, sim.PVMaxPressure);
    const double volumeSpan = maxVolume - minVolume;
    const double pressureSpan = maxPressure - minPressure;
    // Extents without an output unit convert to 0; spans that are 0 or overflow measure nothing.
    if (volumeSpan == 0 || pressureSpan == 0 || !std::isfinite(volumeSpan) ||
        !std::isfinite(pressureSpan))
        return outline;

    outline.measurable = true;
    outline.volumeSpan = volumeSpan;
    outline.pressureSpan = pressureSpan;
    const std::size_t first =
        sim.PVSeries.size() > kOutlinePoints ? sim.PVSeries.size() - kOutlinePoints : 0;
    outline.points.reserve(sim.PVSeries.size() - first);
    const OutputConverter volumeUnit(UnitFamily::Volume, units);
    const OutputConverter pressureUnit(UnitFamily::Pressure, units);
    for (std::size_t i = first; i < sim.PVSeries.size(); ++i) {
        const double volume = volumeUnit.FromOutput(sim.PVSeries[i].x);
        const double pressure = pressureUnit.FromOutput(sim.PVSeries[i].y);
        const double px = (volume - minVolume) * kPVImageSize / volumeSpan;
        const double py = kPVImageSize - (pressure - minPressure) * kPVImageSize / pressureSpan;
        if (px == 0) {
            outline.seedRow = PixelCoordinate(py);
            outline.seeded = true;
        }
        outline.points.push_back({px, py});
    }
    return outline;
}

// Draws the closed outline through the points with the surface's black pen.
template <typename Surface, typename... Black>
void DrawOutline(Surface& surface, const std::vector<ImagePoint>& points, Black... black) {
    surface.MoveTo(PixelCoordinate(points.front().px), PixelCoordinate(points.front().py));
    for (std::size_t i = 1; i < points.size(); ++i)
        surface.LineTo(PixelCoordinate(points[i].px), PixelCoordinate(points[i].py), black...);
    surface.LineTo(PixelCoordinate(points.front().px), PixelCoordinate(points.front().py),
                   black...);
}

// No point on the smallest volume (the extents also cover earlier graphed cycles) gives no seed
// row on the loop's left edge; a seed row off the image, or a seed pixel the outline already
// covers, would fill nothing and leave N the outline alone. The polygon count needs no seed (a
// seed at the row of the point with the smallest px would still miss thin loops).
template <typename IsBlack>
bool SeedUsable(const DiagramOutline& outline, IsBlack isBlack) {
    return outline.seeded && outline.seedRow >= 0 && outline.seedRow < kPVImageSize &&
           !isBlack(kSeedColumn, outline.seedRow);
}

PVDiagramArea Finish(const DiagramOutline& outline, long pixels, bool usedPolygon) {
    PVDiagramArea result;
    result.pixels = pixels;
    result.usedPolygon = usedPolygon;
    result.work = outline.volumeSpan * static_cast<double>(pixels) * outline.pressureSpan / 250000;
    if (!std::isfinite(result.work)) result.work = 0;
    return result;
}

}  // namespace

PVDiagramArea MeasurePVDiagram(const SimulationState& sim, const OutputChoices& units) {
    PVOutline image(kPVImageSize, kPVImageSize);
    return MeasurePVDiagram(sim, units, image);
}

PVDiagramArea MeasurePVDiagram(const SimulationState& sim, const OutputChoices& units,
                               PVOutline& image) {
    const DiagramOutline outline = OutlineOf(sim, units);
    if (!outline.measurable) return {};
    if (image.Width() != kPVImageSize || image.Height() != kPVImageSize)
        image = PVOutline(kPVImageSize, kPVImageSize);
    image.Clear();
    DrawOutline(image, outline.points);
    const long black = image.CountBlack();
    auto blackInRow = [&](int j, int from, int to) { return image.CountBlackInRow(j, from, to); };
    if (!SeedUsable(outline, [&](int x, int y) { return image.Black(x, y); }))
        return Finish(outline, CountOutlineAndPolygon(black, blackInRow, outline.points), true);
    // The fill stays inside the loop unless it reaches a corner of the image (a corner the
    // outline covers is never filled).
    const PVOutline::Fill fill = image.FloodFill(kSeedColumn, outline.seedRow);
    if (fill.reachedCorner)
        return Finish(outline, CountOutlineAndPolygon(black, blackInRow, outline.points), true);
    return Finish(outline, black + fill.pixels, false);
}

PVDiagramArea MeasurePVDiagramOnImage(const SimulationState& sim, const OutputChoices& units,
                                      RasterSurface& image) {
    const DiagramOutline outline = OutlineOf(sim, units);
    if (!outline.measurable) return {};
    if (image.Width() != kPVImageSize || image.Height() != kPVImageSize)
        image = RasterSurface(kPVImageSize, kPVImageSize);
    image.Fill(RasterSurface::kWhite);
    DrawOutline(image, outline.points, RasterSurface::kBlack);
    auto blackInRow = [&](int j, int from, int to) {
        return image.CountInRow(j, from, to, RasterSurface::kBlack);
    };
    if (!SeedUsable(outline,
                    [&](int x, int y) { return image.Pixel(x, y) == RasterSurface::kBlack; })) {
        const long black = image.CountPixels(RasterSurface::kBlack);
        return Finish(outline, CountOutlineAndPolygon(black, blackInRow, outline.points), true);
    }
    // The fill gets a colour of its own, so the outline stays readable for the polygon
    // count; it covers the same pixels a black fill up to the black border would.
    constexpr std::uint8_t kFilled = 128;
    const int last = kPVImageSize - 1;
    const std::array<std::array<int, 2>, 4> corners{{{0, 0}, {last, 0}, {0, last}, {last, last}}};
    std::array<bool, 4> cornerWhite{};
    for (std::size_t c = 0; c < corners.size(); ++c)
        cornerWhite[c] = image.Pixel(corners[c][0], corners[c][1]) == RasterSurface::kWhite;
    image.FloodFill(kSeedColumn, outline.seedRow, kFilled, RasterSurface::kBlack);
    // A fill that reached an image corner the outline left white started outside the loop
    // (a thin or degenerate diagram) and flooded its surroundings.
    bool flooded = false;
    for (std::size_t c = 0; c < corners.size(); ++c)
        flooded =
            flooded || (cornerWhite[c] && image.Pixel(corners[c][0], corners[c][1]) == kFilled);
    if (flooded) {
        const long black = image.CountPixels(RasterSurface::kBlack);
        return Finish(outline, CountOutlineAndPolygon(black, blackInRow, outline.points), true);
    }
    return Finish(
        outline,
        static_cast<long>(kPVImageSize) * kPVImageSize - image.CountPixels(RasterSurface::kWhite),
        false);
}

double PVPowerAt(const PVDiagramArea& diagram, double speed) {
    const double power = RadPerSecToHz(speed) * diagram.work;
    return std::isfinite(power) ? power : 0.0;
}

double PVPower(const SimulationState& sim, const OutputChoices& units, double speed) {
    return PVPowerAt(MeasurePVDiagram(sim, units), speed);
}

}  // namespace velmora
