// The window's exports: menus, proposed names and folders, files identical to velmora-cli's,
// write failures, printing, chart context menus and "Copy All".
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "ui/charts/chart_panel.h"
#include "ui/commands/export_commands.h"
#include "ui/mainwindow/main_window.h"
#include "ui/support/find_control.h"

namespace velmora {
namespace {

// Answers the export dialogs from a script; the print dialog prints into a PDF file.
class ExportDialogs : public testing::ScriptedDialogs {
  public:
    std::optional<QString> ChooseExportFile(QWidget*, const QString& caption, const QString& folder,
                                            const QString& proposedName,
                                            const QString& filter) override {
        Captions.append(caption);
        Folders.append(folder);
        Proposed.append(proposedName);
        Filters.append(filter);
        if (ExportAnswers.isEmpty()) return std::nullopt;
        const QString answer = ExportAnswers.takeFirst();
        if (answer.isEmpty()) return std::nullopt;
        return answer;
    }
    bool ChoosePrinter(QWidget*, QPrinter& printer) override {
        if (PrintTo.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PrintTo);
        return true;
    }
    QStringList ExportAnswers;
    QStringList Captions;
    QStringList Folders;
    QStringList Proposed;
    QStringList Filters;
    QString PrintTo;
};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray CliOutput(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromLocal8Bit(qgetenv("VELMORA_RUNTIME_DIR")) + "/velmora-cli",
                  arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return process.readAllStandardOutput();
}

class ExportWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString examples =
            QString::fromLocal8Bit(qgetenv("VELMORA_SOURCE_DIR")) + "/examples/";
        for (const char* name : {"Default.INI", "KESTMORE.RBP"})
            ASSERT_TRUE(QFile::copy(examples + name, Path(name)));
        auto scripted = std::make_unique<ExportDialogs>();
        dialogs = scripted.get();
        window = std::make_unique<TForm1>(folder.path(), std::move(scripted));
        window->show();
        // The start-up computation runs once the change timer fires.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return window->Session().Driver.RunCount() > 0 &&
                       !window->Ui().EditChangeTimer->isActive();
            },
            10000));
    }
    void TearDown() override { window.reset(); }

    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }
    QString OutPath(const QString& name) const { return QDir(out.path()).filePath(name); }

    // Loads a parameter file through Files > Load Parameters and waits for its run.
    void Load(const QString& name) {
        dialogs->LoadAnswers = {Path(name)};
        const int runs = window->Session().Driver.RunCount();
        window->LoadButtonClick();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return window->Session().Driver.RunCount() > runs; }, 10000));
    }

    QAction* ExportAction(const QString& caption) {
        auto* menu = testing::FindControl<QMenu>(window.get(), "Export1");
        if (menu == nullptr) return nullptr;
        for (QAction* action : menu->actions())
            if (action->text().remove('&') == caption) return action;
        return nullptr;
    }

    QTemporaryDir folder;
    QTemporaryDir out;
    ExportDialogs* dialogs = nullptr;
    std::unique_ptr<TForm1> window;
};

TEST_F(ExportWindowTest, FilesMenuKeepsItsItemsAndGainsExportAndPrint) {
    QStringList captions;
    for (QAction* action : window->Ui().Files1->actions())
        if (!action->isSeparator()) captions.append(action->text());
    // The three items of old first, as they were; Export and Print Report... at the end.
    ASSERT_GE(captions.size(), 5);
    EXPECT_EQ(captions.mid(0, 3),
              (QStringList{"&Load Parameters", "&Save Parameters", "Clear Parameters"}));
    EXPECT_EQ(captions.mid(captions.size() - 2), (QStringList{"&Export", "&Print Report..."}));
    QStringList exports;
    QSet<QChar> keys;
    for (QAction* action : testing::FindControl<QMenu>(window.get(), "Export1")->actions()) {
        exports.append(action->text().remove('&'));
        // Each item has an access key of its own.
        const qsizetype amp = action->text().indexOf('&');
        ASSERT_GE(amp, 0) << action->text().toStdString();
        keys.insert(action->text().at(amp + 1).toLower());
    }
    EXPECT_EQ(keys.size(), exports.size());
    EXPECT_EQ(exports, (QStringList{"Report as Text...", "Report as PDF...", "Cycle Data as CSV...",
                                    "Cycle Data in Output Units as CSV...",
                                    "Pressure/Volume Data as CSV...", "Power Curve as CSV..."}));
}

TEST_F(ExportWindowTest, FilesAreByteIdenticalToTheCommandLines) {
    Load("KESTMORE.RBP");
    struct Case {
        const char* caption;
        const char* proposed;
        QStringList cli;
    };
    const QString file = Path("KESTMORE.RBP");
    const QList<Case> cases = {
        {"Report as Text...", "KESTMORE-report.txt", {"report", file}},
        {"Cycle Data as CSV...", "KESTMORE-cycle.csv", {"cycle", file}},
        {"Cycle Data in Output Units as CSV...",
         "KESTMORE-cycle-output.csv",
         {"cycle", file, "--units", "output"}},
        {"Pressure/Volume Data as CSV...", "KESTMORE-pv.csv", {"pv", file}},
        {"Power Curve as CSV...", "KESTMORE-powercurve.csv", {"powercurve", file}},
    };
    for (const Case& c : cases) {
        dialogs->ExportAnswers = {OutPath(c.proposed)};
        QAction* action = ExportAction(c.caption);
        ASSERT_NE(action, nullptr) << c.caption;
        action->trigger();
        EXPECT_EQ(dialogs->Proposed.last(), c.proposed);
        const QByteArray written = ReadFile(OutPath(c.proposed));
        ASSERT_FALSE(written.isEmpty()) << c.caption;
        EXPECT_EQ(written, CliOutput(c.cli)) << c.caption;
    }
    EXPECT_TRUE(dialogs->Messages.isEmpty());
    // The report holds the reference verdict; the cycle file three cycles of steps.
    EXPECT_TRUE(
        ReadFile(OutPath("KESTMORE-report.txt")).contains("*** Simulator appears to be validated"));
    EXPECT_EQ(ReadFile(OutPath("KESTMORE-cycle.csv")).count('\n'), 3 * 361 + 1);
}

TEST_F(ExportWindowTest, EachKindRemembersItsOwnFolder) {
    QTemporaryDir other;
    dialogs->ExportAnswers = {QDir(other.path()).filePath("c.csv")};
    ExportAction("Cycle Data as CSV...")->trigger();
    EXPECT_EQ(dialogs->Proposed.last(), "Default-cycle.csv");
    dialogs->ExportAnswers = {OutPath("pv.csv")};
    ExportAction("Pressure/Volume Data as CSV...")->trigger();
    dialogs->ExportAnswers = {QString()};  // cancelled: nothing written
    ExportAction("Cycle Data as CSV...")->trigger();
    ExportAction("Pressure/Volume Data as CSV...")->trigger();
    ASSERT_EQ(dialogs->Folders.size(), 4);
    EXPECT_EQ(dialogs->Folders[2], other.path());
    EXPECT_EQ(dialogs->Folders[3], out.path());
    EXPECT_EQ(dialogs->Filters[0], "CSV files (*.csv)");
}

TEST_F(ExportWindowTest, UnwritablePathSaysSoAndLeavesNothing) {
    const QString target = OutPath("missing/Default-cycle.csv");
    dialogs->ExportAnswers = {target};
    ExportAction("Cycle Data as CSV...")->trigger();
    EXPECT_EQ(dialogs->Messages, QStringList{"Unable to write to " + target});
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST_F(ExportWindowTest, PdfReportAndPrintedReport) {
    dialogs->ExportAnswers = {OutPath("Default-report.pdf")};
    ExportAction("Report as PDF...")->trigger();
    EXPECT_TRUE(ReadFile(OutPath("Default-report.pdf")).startsWith("%PDF-"));
    dialogs->PrintTo = OutPath("printed.pdf");
    testing::TriggerAction(window.get(), "PrintReport1");
    const QByteArray printed = ReadFile(OutPath("printed.pdf"));
    EXPECT_TRUE(printed.startsWith("%PDF-"));
    EXPECT_GT(printed.size(), 10000);
}

TEST_F(ExportWindowTest, ChartMenusSaveAndCopy) {
    WindowControls& ui = window->Ui();
    for (ChartPanel* chart : {ui.MainChart, ui.MainChartA, ui.PVChart, ui.Chart3}) {
        EXPECT_EQ(chart->contextMenuPolicy(), Qt::CustomContextMenu);
        std::unique_ptr<QMenu> menu(window->Exports().ChartMenu(chart, nullptr));
        QStringList captions;
        for (QAction* action : menu->actions()) captions.append(action->text());
        EXPECT_EQ(captions, (QStringList{"Save Image As...", "Copy Image", "Copy Data",
                                         "Save Data As CSV..."}));
    }
    std::unique_ptr<QMenu> menu(window->Exports().ChartMenu(ui.PVChart, nullptr));
    dialogs->ExportAnswers = {OutPath("pv.svg")};
    menu->actions()[0]->trigger();
    EXPECT_EQ(dialogs->Proposed.last(), "Default-pv.png");
    EXPECT_TRUE(ReadFile(OutPath("pv.svg")).contains("<svg"));
    menu->actions()[1]->trigger();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(1600, 1000));
    menu->actions()[2]->trigger();
    const QString data = QApplication::clipboard()->text();
    EXPECT_TRUE(data.startsWith("Volume mm ^3\tPressure atm\n")) << data.left(60).toStdString();
    EXPECT_EQ(data.count('\n'), static_cast<int>(window->Session().Sim.PVSeries.size()) + 1);
}

TEST_F(ExportWindowTest, CopyAllOnBothReportPanes) {
    WindowControls& ui = window->Ui();
    for (QPlainTextEdit* pane : {ui.Memo1, ui.Memo2}) {
        std::unique_ptr<QMenu> menu(window->Exports().PaneMenu(pane));
        QAction* copyAll = menu->actions().last();
        ASSERT_EQ(copyAll->text(), "Copy All");
        copyAll->trigger();
        const std::vector<std::string>& lines =
            pane == ui.Memo1 ? window->Session().Driver.Memo1 : window->Session().Driver.Memo2;
        QString expected;
        for (const std::string& line : lines) expected += QString::fromStdString(line) + '\n';
        EXPECT_EQ(QApplication::clipboard()->text(), expected);
    }
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Pictures of the new menus for a look by eye (not compared).
TEST_F(ExportWindowTest, ScreenshotsOfTheMenus) {
    window->resize(800, 550);
    QMenu* files = window->Ui().Files1;
    files->popup(window->mapToGlobal(QPoint(0, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(files));
    files->grab().save("/tmp/velmora_export_files_menu.png");
    QMenu* exportMenu = testing::FindControl<QMenu>(window.get(), "Export1");
    exportMenu->popup(window->mapToGlobal(QPoint(100, 60)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(exportMenu));
    exportMenu->grab().save("/tmp/velmora_export_submenu.png");
    exportMenu->hide();
    files->hide();
    std::unique_ptr<QMenu> chartMenu(window->Exports().ChartMenu(window->Ui().MainChart, nullptr));
    chartMenu->popup(QPoint(300, 300));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chartMenu.get()));
    chartMenu->grab().save("/tmp/velmora_export_chart_menu.png");
    std::unique_ptr<QMenu> paneMenu(window->Exports().PaneMenu(window->Ui().Memo2));
    paneMenu->popup(QPoint(300, 300));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(paneMenu.get()));
    paneMenu->grab().save("/tmp/velmora_export_pane_menu.png");
    window->grab().save("/tmp/velmora_export_window.png");
}

}  // namespace
}  // namespace velmora
