#include "report/reference_check.h"

#include "engine/analysis_operations.h"
#include "report/number_text.h"

namespace velmora {

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
