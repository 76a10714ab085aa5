#include "model/reference_check.h"

#include <algorithm>
#include <cctype>

#include "model/analysis_operations.h"
#include "model/number_text.h"

namespace velmora {

ReferenceCase ReferenceCaseOf(std::string_view loadedFileName) {
    const std::size_t slash = loadedFileName.find_last_of("/\\");
    std::string_view name =
        slash == std::string_view::npos ? loadedFileName : loadedFileName.substr(slash + 1);
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "BRANDOCK TAPPER.RBP") return ReferenceCase::BrandockTapper;
    if (upper == "KESTMORE.RBP") return ReferenceCase::Kestmore;
    return ReferenceCase::None;
}

void ValidateAgainstReference(std::vector<std::string>& pane, std::string_view loadedFileName,
                              const ReferenceValue& reference, double value, bool& validated,
                              const NumberSettings& numbers) {
    const ReferenceCase which = ReferenceCaseOf(loadedFileName);
    if (which == ReferenceCase::None) return;
    const double ref =
        which == ReferenceCase::Kestmore ? reference.kestmore : reference.brandockTapper;
    if (ref == kNoReference) return;
    if (ShortfallWithin(100, value, ref)) {
        if (!pane.empty()) pane.back() += " [Checked]";
        return;
    }
    validated = false;
    pane.push_back("^^^ Above value does not match Validated Data (" + FormatNumber(ref, numbers) +
                   ")");
}

void WriteReferenceVerdict(std::vector<std::string>& memo2, std::string_view loadedFileName,
                           bool validated) {
    if (ReferenceCaseOf(loadedFileName) == ReferenceCase::None) return;
    memo2.emplace_back(validated ? "*** Simulator appears to be validated"
                                 : "*** Simulator DOES NOT appear to be validated");
}

}  // namespace velmora
