#include "export/session_exports.h"

#include "export/build_by_lines.h"
#include "export/power_curve_table.h"
#include "export/pv_csv.h"
#include "export/report_text.h"
#include "form/design_form.h"
#include "persistence/atomic_file_writer.h"

namespace velmora {

std::string CycleCsvOf(const RecordingSession& session, CsvUnits units) {
    return CycleCsv(session.Record(), session.State, units);
}

std::string PvCsvOf(const RecordingSession& session) {
    return PvCsv(session.Record(), session.Driver.Params);
}

std::string PowerCurveCsvOf(const RecordingSession& session) {
    // The title line's numbers in the default settings, whatever the user's locale, as all
    // CSV output: the same file from the window and the command line everywhere.
    ControlState controls = session.State;
    controls.outputs.numbers = NumberSettings{};
    return PowerCurveCsv(ComputePowerCurveTable(session.Driver.Params, controls));
}

std::string ReportTextOf(const RecordingSession& session) {
    return ReportText(session.Driver.Memo1, session.Driver.Memo2);
}

ChartData ChartOf(const RecordingSession& session, ChartKind kind) {
    switch (kind) {
        case ChartKind::Main:
            return MainChartData(session.Sim);
        case ChartKind::PressureVolume:
            return PvChartData(session.Sim);
        case ChartKind::Power:
            break;
    }
    return PowerChartData(ComputePowerCurveTable(session.Driver.Params, session.State).shown);
}

ReportDocument ReportDocumentOf(const RecordingSession& session, const std::string& name,
                                const std::string& date) {
    ReportDocument report;
    report.heading = ReportHeading(name, date);
    report.inputs = session.Driver.Memo1;
    report.computed = session.Driver.Memo2;
    report.buildBy = BuildByLines(ReadDesign(session.State).design, session.State.outputs.numbers);
    for (const ChartKind kind : {ChartKind::Main, ChartKind::PressureVolume, ChartKind::Power})
        report.figures.push_back(ChartOf(session, kind));
    return report;
}

bool WriteExportFile(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(path, bytes);
}

}  // namespace velmora
