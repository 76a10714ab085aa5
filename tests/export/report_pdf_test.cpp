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

}  // namespace
}  // namespace velmora
