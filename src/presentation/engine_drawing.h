#pragma once

#include <cstdint>
#include <vector>

#include "engine/parameter_set.h"

namespace velmora {

struct RgbColor {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

constexpr RgbColor kBlack{0, 0, 0};
constexpr RgbColor kWhite{255, 255, 255};
constexpr RgbColor kRed{255, 0, 0};
constexpr RgbColor kGreen{0, 255, 0};
constexpr RgbColor kBlue{0, 0, 255};

// Size of Image1 on the Graphs page.
constexpr int kEngineImageWidth = 305;
constexpr int kEngineImageHeight = 150;

// One drawing operation on a raster surface, with the conventions of the usual window
// system: LineTo draws from the pen position up to but excluding (x, y) and then moves the
// pen there; FillRect covers columns x..x2-1 and rows y..y2-1 (nothing when x2 <= x or
// y2 <= y) and does not move the pen.
struct DrawOp {
    enum class Kind { Fill, Pen, MoveTo, LineTo, FillRect };
    Kind kind = Kind::Fill;
    RgbColor color{};  // Fill, Pen, FillRect
    int x = 0;
    int y = 0;
    int x2 = 0;  // FillRect only
    int y2 = 0;  // FillRect only
};

// A: piston cylinder on top of the displacer cylinder; B: beside it on the right.
enum class EngineLayout { A, B };

EngineLayout ChooseEngineLayout(const ParameterSet& params);

struct EnginePicture {
    int width = kEngineImageWidth;
    int height = kEngineImageHeight;
    EngineLayout layout = EngineLayout::A;
    bool blank = true;  // zero total height or width: only the white fill
    std::vector<DrawOp> ops;
};

// The engine schematic for one sample: xb is the displacer's lower face above its lowest
// position, xpb the piston's travel above its lowest position (both m).
EnginePicture DrawEnginePicture(const ParameterSet& params, double xb, double xpb,
                                int width = kEngineImageWidth, int height = kEngineImageHeight);

}  // namespace velmora
