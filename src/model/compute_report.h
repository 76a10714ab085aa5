#pragma once

#include <array>
#include <string>

#include "engine/parameter_set.h"
#include "model/compute_steps.h"
#include "model/simulation_notes.h"
#include "report/report_writer.h"

namespace velmora {

// The report of a compute run, written from its record. The input report (memo1) and the
// analysis lines of memo2 are written right after the analysis, while the parameter set still
// holds the mean pressure as read; the results after the simulation.

// "*** ... not defined!" lines, value lines with their reference checks, the required power.
void WriteInputReport(const InputRecord& inputs, const ParameterSet& params, ReportWriter& memo1);

// The simulation's lines: a lowered cycle count, the equalized mean pressure, the summary of
// the last graphed cycle.
void WriteSimulationNotes(const SimulationNotes& notes, ReportWriter& memo2);

// The three report lines of a cycle summary ("    Dwells (Hi/Lo): 10/50 degrees", ...).
std::array<std::string, 3> CycleSummaryLines(const CycleSummary& summary);
// The caption of the dwell label under the graphs.
std::string CycleSummaryLabel(const CycleSummary& summary);

// The Schmidt results, the PV powers and the displacer loss.
void WriteResultsReport(const ComputeRecord& record, const ParameterSet& params,
                        ReportWriter& memo2);

}  // namespace velmora
