#pragma once

#include <string>

#include "export/chart_data.h"
#include "export/cycle_csv.h"
#include "export/recording_session.h"
#include "export/report_pdf.h"

namespace velmora {

// Every export of a session's last run, as the window and the command line write them: the
// same session state gives the same bytes.

enum class ChartKind { Main, PressureVolume, Power };

std::string CycleCsvOf(const RecordingSession& session, CsvUnits units);
std::string PvCsvOf(const RecordingSession& session);
// Recomputes the power/speed sweep from the session's parameter set; the title line's numbers
// follow the default number settings.
std::string PowerCurveCsvOf(const RecordingSession& session);
std::string ReportTextOf(const RecordingSession& session);

// The chart as the window shows it; the power curve is recomputed, with torque when the
// second graph shows "Power/Torque" and phase otherwise.
ChartData ChartOf(const RecordingSession& session, ChartKind kind);

// The report with the three figures; `name` is the parameter file's name.
ReportDocument ReportDocumentOf(const RecordingSession& session, const std::string& name,
                                const std::string& date);

// Writes `bytes` to `path` as one step (temporary file, then rename), so that a failed write
// leaves no partial file and an old file intact.
bool WriteExportFile(const std::string& path, std::string_view bytes);

}  // namespace velmora
