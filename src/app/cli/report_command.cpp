#include <QDateTime>
#include <QFileInfo>
#include <ostream>
#include <string>

#include "commands.h"
#include "export/session_exports.h"
#include "headless_run.h"
#include "locale/number_settings_from_locale.h"
#include "offscreen_gui.h"
#include "output_target.h"

namespace velmora::cli {

const CommandUsage kReportUsage{
    "report",
    {"--format", "-o"},
    {},
    "velmora-cli report FILE [--format text|pdf] [-o OUT]",
    "Loads FILE as the window's Load Parameters does, computes once and writes the report of\n"
    "the Computed Values page: the inputs pane, an empty line, the computed values. As text\n"
    "(default; standard output without -o), or as PDF with the three graphs (needs -o).\n"};

int RunReportCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const std::optional<CommandArgs> args = ParseCommandArgs(kReportUsage, words, err);
    if (!args) return 2;
    if (args->help) return PrintCommandHelp(kReportUsage, out);
    const std::string format = args->Option("--format").value_or("text");
    if (format != "text" && format != "pdf")
        return UsageError(kReportUsage, "unknown format '" + format + "'", err);
    if (format == "pdf" && !args->Option("-o"))
        return UsageError(kReportUsage, "this format needs -o OUT", err);

    RecordingSession session;
    // The report reads as the window's would under the same environment; the CSV commands
    // keep the default settings, so their output is the same everywhere.
    session.State.outputs.numbers = NumberSettingsFromSystemLocale();
    if (!LoadAndCompute(args->file, session, err)) return 2;
    if (format == "text") return EmitOutput(ReportTextOf(session), *args, out, err);

    const OffscreenGui gui;
    const std::string name = QFileInfo(QString::fromStdString(args->file)).fileName().toStdString();
    const std::string date =
        QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm").toStdString();
    const QByteArray pdf = ReportPdf(ReportDocumentOf(session, name, date));
    return EmitFile(pdf.toStdString(), *args, kReportUsage, out, err);
}

}  // namespace velmora::cli
