#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/reference_check.h"
#include "report/unit_text.h"

namespace velmora {

// A report pane being rebuilt by one compute run, together with what its lines need: the
// output units, the loaded file name that selects the reference case, and the run's
// validation mark.
class ReportWriter {
  public:
    ReportWriter(std::vector<std::string>& lines, const OutputUnits& units,
                 const std::string& loadedFileName, bool& validated)
        : lines_(lines), units_(units), loadedFileName_(loadedFileName), validated_(validated) {}

    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Check(const ReferenceValue& reference, double value) {
        ValidateAgainstReference(lines_, loadedFileName_, reference, value, validated_,
                                 units_.numbers);
    }
    void ClearMark() { validated_ = false; }

    const OutputUnits& Units() const { return units_; }
    std::vector<std::string>& Lines() { return lines_; }
    std::string_view LoadedFileName() const { return loadedFileName_; }
    bool Validated() const { return validated_; }

  private:
    std::vector<std::string>& lines_;
    const OutputUnits& units_;
    // Held by reference: the case is selected anew at every check.
    const std::string& loadedFileName_;
    bool& validated_;
};

}  // namespace velmora
