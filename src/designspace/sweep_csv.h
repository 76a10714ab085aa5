#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "designspace/sweep_run.h"
#include "simulation/design_result.h"

namespace velmora {

// The outputs a sweep shows when none are chosen: every column but the power/speed curve's.
std::vector<DesignOutput> DefaultSweepOutputs();

// "name,name,..." as outputs (in the order given), or the reason it is not in `problem`.
std::optional<std::vector<DesignOutput>> ParseOutputList(std::string_view list,
                                                         std::string& problem);

// A number as CSV writes it: the shortest text that reads back as the same double, '.'
// decimals, no grouping; empty for a value that could not be computed.
std::string CsvNumber(const std::optional<double>& value);

// The header line: the varied inputs by key, then the outputs' names.
void WriteSweepHeader(std::ostream& out, const SweepPlan& plan,
                      const std::vector<DesignOutput>& outputs);

// One row: the varied values as typed (with '.' decimals), then the outputs.
void WriteSweepRow(std::ostream& out, const SweepRow& row,
                   const std::vector<DesignOutput>& outputs);

// The header and the evaluated rows in their order: the varied inputs by key, with their
// values as typed (with '.' decimals), then the outputs.
void WriteSweepCsv(std::ostream& out, const SweepRun& run,
                   const std::vector<DesignOutput>& outputs);

}  // namespace velmora
