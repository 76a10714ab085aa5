#include "presentation/engine_drawing.h"

#include <algorithm>

#include "report/number_text.h"

namespace velmora {

namespace {

// Far enough outside any image that clamping changes no visible pixel of the axis-parallel
// lines and rectangles drawn here, near enough that int arithmetic cannot overflow.
constexpr long long kFarPixel = 1 << 20;

int Rnd(double v) {
    return static_cast<int>(std::clamp(RoundHalfEven(v), -kFarPixel, kFarPixel));
}

class OpRecorder {
  public:
    explicit OpRecorder(std::vector<DrawOp>& ops) : ops_(ops) {}

    void Fill(RgbColor c) { ops_.push_back({DrawOp::Kind::Fill, c}); }
    void Pen(RgbColor c) { ops_.push_back({DrawOp::Kind::Pen, c}); }
    void MoveTo(int x, int y) { ops_.push_back({DrawOp::Kind::MoveTo, {}, x, y}); }
    void LineTo(int x, int y) { ops_.push_back({DrawOp::Kind::LineTo, {}, x, y}); }
    void FillRect(int left, int top, int right, int bottom, RgbColor c) {
        ops_.push_back({DrawOp::Kind::FillRect, c, left, top, right, bottom});
    }
    // Closed outline from the given corner round the rectangle, first along row y0.
    void Outline(int x0, int y0, int x1, int y1) {
        MoveTo(x0, y0);
        LineTo(x1, y0);
        LineTo(x1, y1);
        LineTo(x0, y1);
        LineTo(x0, y0);
    }

  private:
    std::vector<DrawOp>& ops_;
};

}  // namespace

EngineLayout ChooseEngineLayout(const ParameterSet& p) {
    return p.DispRadius - p.DispRodRadius > p.PistonDiameter ? EngineLayout::A : EngineLayout::B;
}

EnginePicture DrawEnginePicture(const ParameterSet& p, double xb, double xpb, int width,
                                int height) {
    EnginePicture picture;
    picture.width = width;
    picture.height = height;
    picture.layout = ChooseEngineLayout(p);
    OpRecorder draw(picture.ops);
    draw.Fill(kWhite);
    draw.Pen(kBlack);

    const bool a = picture.layout == EngineLayout::A;
    double totalHeight = 0;
    double totalWidth = 0;
    if (a) {
        totalHeight = p.DispStroke + p.DispHalfStroke + p.PistonDiameter + p.PistonStroke;
        totalWidth = p.DispDiameter;
    } else {
        const double displacerSide = p.DispStroke + p.DispHalfStroke + p.DispStroke;
        const double pistonSide = p.PistonDiameter + p.PistonStroke;
        totalHeight = displacerSide > pistonSide ? displacerSide : pistonSide;
        totalWidth = p.DispDiameter + p.PistonDiameter;
    }
    if (totalHeight == 0 || totalWidth == 0) return picture;
    picture.blank = false;

    const int wi = width;
    const int hi = height;
    const double byHeight = (hi - 20) / totalHeight;
    const double byWidth = (wi - 20) / totalWidth;
    const double s = byWidth >= byHeight ? byHeight : byWidth;
    const int m = Rnd((wi - s * totalWidth) / 2);
    const int right = m + Rnd(p.DispDiameter * s);
    const int floor = hi - 8;

    // Displacer cylinder: hot floor red, cold top blue.
    const int top = hi - 11 - Rnd((a ? 1.5 : 2.0) * p.DispStroke * s);
    draw.MoveTo(m, floor);
    draw.Pen(kRed);
    draw.LineTo(right, floor);
    draw.Pen(kBlack);
    draw.LineTo(right, top);
    draw.Pen(kBlue);
    draw.LineTo(m, top);
    draw.Pen(kBlack);
    draw.LineTo(m, floor);

    // Displacer body: half a stroke tall in layout A, a full stroke in layout B.
    const int lowerFace = hi - 11 - Rnd(xb * s);
    const int upperFace = hi - 9 - Rnd((xb + (a ? p.DispHalfStroke : p.DispStroke)) * s);
    draw.Outline(m + 3, lowerFace, right - 3, upperFace);

    // Rod, through a gap in the cylinder top.
    const int cx = (m + 3 + right - 3) / 2;
    const int r = Rnd(p.DispRodDiameter * s / 2);
    const int rodTop = upperFace - Rnd(s * 2 * p.DispHalfStroke);
    draw.Pen(kWhite);
    draw.MoveTo(cx - r, top);
    draw.LineTo(cx + r, top);
    draw.Pen(kBlack);
    draw.Outline(cx - r, upperFace, cx + r, rodTop);

    if (a) {
        const int pr = m + Rnd(p.PistonDiameter * s);
        const int pistonTop =
            hi - 11 -
            Rnd((p.DispStroke + p.DispHalfStroke + p.PistonStroke + p.PistonDiameter) * s);
        draw.MoveTo(m + 1, top);
        draw.Pen(kWhite);
        draw.LineTo(pr, top);
        draw.Pen(kBlack);
        draw.LineTo(pr, pistonTop);
        draw.MoveTo(m, pistonTop);
        draw.LineTo(m, top);
        const double base = p.DispStroke + p.DispHalfStroke + xpb;
        draw.FillRect(m + 1, hi - 10 - Rnd((base + p.PistonDiameter) * s), pr,
                      hi - 9 - Rnd(base * s), kGreen);
    } else {
        const int pr = right + Rnd(p.PistonDiameter * s);
        const int pistonTop = hi - 11 - Rnd((p.PistonStroke + p.PistonDiameter) * s);
        draw.MoveTo(right, floor);
        draw.LineTo(pr, floor);
        draw.LineTo(pr, pistonTop);
        draw.MoveTo(right, pistonTop);
        draw.LineTo(right, floor);
        // An opening at the foot of the shared wall lets the gas through.
        const int k = (floor - pistonTop) / 8;
        draw.Pen(kWhite);
        draw.MoveTo(right, hi - 9);
        draw.LineTo(right, floor - k);
        draw.Pen(kBlack);
        draw.FillRect(right + 1, hi - 10 - Rnd((xpb + p.PistonDiameter) * s), pr,
                      hi - 9 - Rnd(xpb * s), kGreen);
    }
    return picture;
}

}  // namespace velmora
