// velmora-cli's export commands as a user runs them: output, files, and refusals.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

QString Cli() {
    return QString::fromLocal8Bit(qgetenv("VELMORA_RUNTIME_DIR")) + "/velmora-cli";
}

QString Example(const QString& name) {
    return QString::fromLocal8Bit(qgetenv("VELMORA_SOURCE_DIR")) + "/examples/" + name;
}

CliRun RunCli(const QStringList& arguments) {
    QProcess process;
    process.start(Cli(), arguments);
    CliRun run;
    if (!process.waitForFinished(60000)) return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CliExportTest : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }
    QTemporaryDir folder;
};

TEST_F(CliExportTest, VersionAndHelp) {
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "1.0.0.5\n");
    for (const char* command : {"report", "samples", "cycle", "pv", "powercurve", "chart"}) {
        const CliRun help = RunCli({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_TRUE(help.out.startsWith(QString("usage: velmora-cli ") + command)) << command;
        EXPECT_TRUE(RunCli({"--help"}).out.contains(QString("velmora-cli ") + command));
    }
}

TEST_F(CliExportTest, BadArgumentsGiveExactlyOneLine) {
    const QString file = Example("Default.INI");
    const QList<QStringList> cases = {
        {"cycle", file, "--units", "imperial"},
        {"cycle", file, "--colour", "red"},
        {"report", file, "--format", "docx"},
        {"report", file, "--format", "pdf"},  // binary output needs -o
        {"chart", file, "--chart", "main", "--format", "svg"},
        {"chart", file, "--chart", "engine", "--format", "svg", "-o", Path("x.svg")},
        {"chart", file, "--chart", "main", "--format", "jpg", "-o", Path("x.jpg")},
        {"chart", file, "--chart", "main", "--format", "png", "--size", "0x10", "-o", Path("x")},
        {"chart", file, "--chart", "main", "--format", "png", "--size", "16x", "-o", Path("x")},
        {"chart", file, "--chart", "main", "--format", "png", "--dpi", "72x", "-o", Path("x")},
        {"pv", file, "extra"},
        {"pv"},
        {"pv", file, "-o"},
        {"pv", file, "-o", Path("a.csv"), "-o", Path("b.csv")},  // repeated, as everywhere
        {"samples", file, "-o", Path("a.csv")},                  // samples takes no -o
    };
    for (const QStringList& arguments : cases) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith("velmora-cli " + arguments[0] + ": "));
        EXPECT_TRUE(run.err.endsWith("\n"));
    }
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(CliExportTest, OutputFileHoldsWhatStandardOutputShows) {
    const QString file = Example("Default.INI");
    for (const QStringList& command : QList<QStringList>{{"cycle"},
                                                         {"cycle", "--units", "output"},
                                                         {"pv"},
                                                         {"powercurve"},
                                                         {"report"},
                                                         {"report", "--format", "text"}}) {
        const CliRun shown = RunCli(QStringList{command[0], file} + command.mid(1));
        ASSERT_EQ(shown.status, 0);
        const CliRun written =
            RunCli(QStringList{command[0], file, "-o", Path("out.txt")} + command.mid(1));
        EXPECT_EQ(written.status, 0);
        EXPECT_TRUE(written.out.isEmpty());
        EXPECT_EQ(ReadFile(Path("out.txt")), shown.out.toUtf8()) << command.join(' ').toStdString();
    }
}

TEST_F(CliExportTest, PowerCurveKeepsItsFirstColumnsAndTitleLine) {
    const CliRun run = RunCli({"powercurve", Example("Default.INI")});
    ASSERT_EQ(run.status, 0);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.front().startsWith("rpm,power (W),phase (deg),"));
    EXPECT_TRUE(lines.back().startsWith("# Max Power = "));
    EXPECT_EQ(lines.size(), 52);  // header, 50 speeds, title
}

TEST_F(CliExportTest, UnwritableOutputNamesItAndLeavesNothing) {
    // A folder that does not exist, and a "folder" that is a file: even root cannot write there.
    QFile plain(Path("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QList<QPair<QString, QString>> outputs = {
        {Path("missing/cycle.csv"), "No such file or directory"},
        {Path("plain/cycle.csv"), "Not a directory"}};
    for (const auto& [out, why] : outputs) {
        for (const QStringList& command :
             QList<QStringList>{{"cycle"},
                                {"report", "--format", "pdf"},
                                {"chart", "--chart", "pv", "--format", "svg"}}) {
            const CliRun run =
                RunCli(QStringList{command[0], Example("Default.INI"), "-o", out} + command.mid(1));
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.err, "velmora-cli: Unable to write to " + out + ": " + why + "\n");
            EXPECT_TRUE(run.out.isEmpty());
        }
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"plain"});
}

TEST_F(CliExportTest, ChartsAndPdfWithoutADisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(Cli(), {"chart", Example("Default.INI"), "--chart", "power", "--format", "png",
                          "--size", "640x400", "--dpi", "300", "-o", Path("power.png")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(process.readAllStandardError().isEmpty());
    QImage image;
    ASSERT_TRUE(image.load(Path("power.png")));
    EXPECT_EQ(image.size(), QSize(640, 400));
    EXPECT_EQ(image.dotsPerMeterX(), 11811);  // 300 dots per inch

    const CliRun pdf =
        RunCli({"report", Example("KESTMORE.RBP"), "--format", "pdf", "-o", Path("report.pdf")});
    EXPECT_EQ(pdf.status, 0);
    EXPECT_TRUE(ReadFile(Path("report.pdf")).startsWith("%PDF-"));
    const CliRun svg = RunCli({"chart", Example("Default.INI"), "--chart", "main", "--format",
                               "svg", "-o", Path("main.svg")});
    EXPECT_EQ(svg.status, 0);
    EXPECT_TRUE(ReadFile(Path("main.svg")).contains("<svg"));
}

TEST_F(CliExportTest, MissingFileIsRefused) {
    const CliRun run = RunCli({"cycle", Path("none.RBP")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.count('\n'), 1);
}

}  // namespace
