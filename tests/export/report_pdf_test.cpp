// The report as text and as PDF: every line of both panes, in order.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "export/report_text.h"
#include "export/session_exports.h"
#include "export/support/export_fixture.h"

namespace velmora {
namespace {

// Runs of blanks as one, none at either end: pdftotext does not keep a fixed-pitch line's
// spacing exactly.
std::string Squeezed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

QString RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(ReportText, PanesWithOneEmptyLineBetween) {
    EXPECT_EQ(ReportText({"a", "b"}, {"c"}), "a\nb\n\nc\n");
    EXPECT_EQ(ReportText({}, {}), "\n");
}

TEST(ReportText, FailureWarningAndMismatchLinesAreMarked) {
    const std::vector<ReportLineKind> kinds = ReportLineKinds(
        {"*** Unable to compute", "       ...because the Hot Temperature is missing", "plain",
         "!!! warned", "^^^ mismatch", "    Gas Mass: 1"});
    EXPECT_EQ(kinds,
              (std::vector<ReportLineKind>{ReportLineKind::Failure, ReportLineKind::Failure,
                                           ReportLineKind::Plain, ReportLineKind::Warning,
                                           ReportLineKind::Mismatch, ReportLineKind::Plain}));
}

TEST(ReportPdf, OpensAndHoldsEveryReportLine) {
    RecordingSession session;
    // A reference case: its report has the " [Checked]" marks and the verdict.
    testing::LoadAndCompute(session, testing::ExamplePath("KESTMORE.RBP"));
    const ReportDocument report = ReportDocumentOf(session, "KESTMORE.RBP", "2026-01-02 03:04");
    const QByteArray pdf = ReportPdf(report);
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("report.pdf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();

    const QString info = RunTool("pdfinfo", {path});
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo cannot open the report";
    EXPECT_TRUE(info.contains("Velmora report: KESTMORE.RBP, 2026-01-02 03:04"));
    EXPECT_TRUE(info.contains("A4"));

    const std::string text = RunTool("pdftotext", {"-layout", path, "-"}).toStdString();
    std::vector<std::string> found;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        found.push_back(Squeezed(text.substr(start, end - start)));
        start = end + 1;
    }
    // Every non-empty line of both panes, in order.
    std::size_t next = 0;
    std::vector<std::string> lines = session.Driver.Memo1;
    lines.insert(lines.end(), session.Driver.Memo2.begin(), session.Driver.Memo2.end());
    ASSERT_GT(lines.size(), 40u);
    for (const std::string& line : lines) {
        const std::string wanted = Squeezed(line);
        if (wanted.empty()) continue;
        const auto at = std::find(found.begin() + static_cast<long>(next), found.end(), wanted);
        ASSERT_NE(at, found.end()) << "missing: " << line;
        next = static_cast<std::size_t>(at - found.begin()) + 1;
    }
    EXPECT_NE(text.find("Displacer Position and Piston Position"), std::string::npos);
    EXPECT_NE(text.find("Pressure/Volume"), std::string::npos);
    EXPECT_NE(text.find("Simulator appears to be validated"), std::string::npos);
}

// The lines after the computed values name the power to build by, from the accurate model
// whichever model the file chooses: KESTMORE's 15,974.5 W (velmora-cli energy --model
// accurate; its work agrees with an adaptive integration of the same motion to 2e-6), and say
// where the report's other figures come from.
TEST(ReportPdf, SaysWhichPowerToBuildByAndWhereTheFiguresComeFrom) {
    RecordingSession session;
    testing::LoadAndCompute(session, testing::ExamplePath("KESTMORE.RBP"));
    const ReportDocument report = ReportDocumentOf(session, "KESTMORE.RBP", "2026-01-02 03:04");
    ASSERT_GE(report.buildBy.size(), 3u);
    EXPECT_EQ(report.buildBy[0], "Power to build by");
    EXPECT_EQ(report.buildBy[1], "  Shaft power (accurate model): 15,975 W");
    EXPECT_NE(report.buildBy[2].find("from the closed-form"), std::string::npos);

    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("report.pdf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ReportPdf(report));
    file.close();
    const std::string text = RunTool("pdftotext", {"-layout", path, "-"}).toStdString();
    const std::size_t verdict = text.find("Simulator appears to be validated");
    const std::size_t buildBy = text.find("Power to build by");
    ASSERT_NE(buildBy, std::string::npos);
    EXPECT_LT(verdict, buildBy);  // after the computed values
    EXPECT_NE(text.find("Shaft power (accurate model): 15,975 W"), std::string::npos);
}

// A design with losses is built by its brake power; a design that does not run says so.
TEST(ReportPdf, BrakePowerForADesignWithLossesAndNoNumberForOneThatDoesNotRun) {
    RecordingSession lossy;
    testing::LoadAndCompute(lossy, testing::ExamplePath("KESTMORE with losses.RBP"));
    const ReportDocument report = ReportDocumentOf(lossy, "x.RBP", "2026-01-02 03:04");
    ASSERT_GE(report.buildBy.size(), 2u);
    EXPECT_EQ(report.buildBy[1].rfind("  Brake power (accurate model with losses): ", 0), 0u)
        << report.buildBy[1];
    EXPECT_EQ(report.buildBy[1].substr(report.buildBy[1].size() - 2), " W");

    RecordingSession cold;
    testing::LoadAndCompute(cold, testing::ExamplePath("KESTMORE.RBP"));
    // Hot and cold walls at one temperature: no engine.
    cold.State.EditHotTemp = cold.State.EditColdTemp;
    const ReportDocument none = ReportDocumentOf(cold, "x.RBP", "2026-01-02 03:04");
    // The displacer's impacts still cost work: the shaft must be driven.
    EXPECT_EQ(none.buildBy[1].rfind("  Shaft power (accurate model): - (not running; absorbs ", 0),
              0u)
        << none.buildBy[1];
}

}  // namespace
}  // namespace velmora
