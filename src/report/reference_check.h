#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/reference_values.h"
#include "report/number_settings.h"

namespace velmora {

// Compares `value` with the loaded case's reference, right after its line was added to `pane`:
// " [Checked]" on that line when the value falls short of the reference by less than 1%,
// else a "^^^ " line quoting the reference and `validated` cleared. Nothing without a case or
// without a reference for it.
void ValidateAgainstReference(std::vector<std::string>& pane, std::string_view loadedFileName,
                              const ReferenceValue& reference, double value, bool& validated,
                              const NumberSettings& numbers = {});

// The closing verdict line, written only when a reference case is loaded.
void WriteReferenceVerdict(std::vector<std::string>& memo2, std::string_view loadedFileName,
                           bool validated);

}  // namespace velmora
