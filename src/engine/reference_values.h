#pragma once

#include <string_view>

namespace velmora {

// The two engines whose results are known, chosen by the name of the file last loaded.
enum class ReferenceCase { None, Kestmore, BrandockTapper };

// Folder dropped, upper-cased, compared with "KESTMORE.RBP" and "BRANDOCK TAPPER.RBP".
ReferenceCase ReferenceCaseOf(std::string_view loadedFileName);

// One compared quantity: its reference value in SI units for each case, -1 for none.
struct ReferenceValue {
    double kestmore;
    double brandockTapper;
};

inline constexpr double kNoReference = -1;

namespace reference {
// Inputs report.
inline constexpr ReferenceValue DispHalfStroke{0.063, 0.00794};
inline constexpr ReferenceValue DispMass{1, 0.00494};
inline constexpr ReferenceValue PistonHalfStroke{0.07, 0.00851};
inline constexpr ReferenceValue DeadSpaceVol{0.00338, 5.5e-7};
inline constexpr ReferenceValue DeadSpaceTemp{619, 521};
inline constexpr ReferenceValue HotTemp{923, 723};
inline constexpr ReferenceValue ColdTemp{315, 320};
inline constexpr ReferenceValue MeanEnginePressure{5000000, 100000};
// Computed values report.
inline constexpr ReferenceValue DispArea{0.0127, 0.0001824};
inline constexpr ReferenceValue PistonArea{0.0102, 0.0001274};
inline constexpr ReferenceValue DispRodArea{0.00114, 0.000024};
inline constexpr ReferenceValue Tau{0.341, 0.4426};
inline constexpr ReferenceValue TauPrime{0.509, 0.6142};
inline constexpr ReferenceValue Lambda{1.11, 1.072};
inline constexpr ReferenceValue Rho{0.09, 0.1316};
inline constexpr ReferenceValue Kappa{0.803, 0.6985};
inline constexpr ReferenceValue Sigma{2.15, 0.2333};
inline constexpr ReferenceValue K{12000, 11460};
inline constexpr ReferenceValue Beta{1.57, 1.758};  // before any spring is applied
inline constexpr ReferenceValue Chi{1.21, 1.446};
inline constexpr ReferenceValue GammaM{0.924, 0.81};
inline constexpr ReferenceValue AlphaBarDegrees{50.4, 55.3};
inline constexpr ReferenceValue OmegaBar{118, 132};
inline constexpr ReferenceValue SchmidtWork{1310, kNoReference};
inline constexpr ReferenceValue SchmidtPower{24700, kNoReference};
inline constexpr ReferenceValue DispPowerLoss{1302, kNoReference};
}  // namespace reference

}  // namespace velmora
