#include "ui/commands/export_commands.h"

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>

#include "export/build_by_lines.h"
#include "export/chart_image.h"
#include "ui/charts/chart_panel.h"
#include "ui/commands/compare_commands.h"
#include "ui/mainwindow/main_window.h"
#include "ui/mainwindow/window_dialogs.h"

namespace velmora {
namespace {

const char* const kTitlePrefix = "Velmora -- ";
const QSize kImageSize(kDefaultImageWidth, kDefaultImageHeight);

QString Date() {
    return QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm");
}

}  // namespace

ExportCommands::ExportCommands(TForm1& form, WindowDialogs& dialogs)
    : QObject(&form), form_(form), dialogs_(dialogs) {}

void ExportCommands::Install() {
    WindowControls& ui = form_.Ui();
    ui.Files1->addSeparator();
    QMenu* exportMenu = ui.Files1->addMenu("&Export");
    exportMenu->setObjectName("Export1");
    const std::pair<const char*, void (ExportCommands::*)()> items[] = {
        {"Report as &Text...", &ExportCommands::ExportReportText},
        {"Report as P&DF...", &ExportCommands::ExportReportPdf},
        {"&Cycle Data as CSV...", &ExportCommands::ExportCycleData},
        {"Cycle Data in &Output Units as CSV...", &ExportCommands::ExportCycleDataInOutputUnits},
        {"Pressure/&Volume Data as CSV...", &ExportCommands::ExportPvData},
        {"Power C&urve as CSV...", &ExportCommands::ExportPowerCurve},
    };
    for (const auto& [caption, handler] : items)
        connect(exportMenu->addAction(caption), &QAction::triggered, this, handler);
    QAction* print = ui.Files1->addAction("&Print Report...");
    print->setObjectName("PrintReport1");
    connect(print, &QAction::triggered, this, &ExportCommands::PrintReport);

    for (ChartPanel* chart : {ui.MainChartA, ui.Chart3, ui.PVChart, ui.MainChart}) {
        chart->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(chart, &QWidget::customContextMenuRequested, this, [this, chart](QPoint at) {
            QMenu* menu = ChartMenu(chart, chart);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(chart->mapToGlobal(at));
        });
    }
    for (QPlainTextEdit* pane : {ui.Memo1, ui.Memo2}) {
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](QPoint at) {
            QMenu* menu = PaneMenu(pane);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(pane->viewport()->mapToGlobal(at));
        });
    }
}

QString ExportCommands::BaseName() const {
    const QString title = form_.Caption();
    const QString base = title.startsWith(kTitlePrefix) ? title.mid(int(strlen(kTitlePrefix))) : "";
    return base.trimmed().isEmpty() ? "Velmora" : base;
}

std::optional<QString> ExportCommands::AskPath(const QString& kind, const QString& caption,
                                               const QString& suffix, const QString& filter) {
    auto folder = folders_.find(kind);
    if (folder == folders_.end()) {
        // First time: beside the loaded parameter file, else the home folder.
        const QString loaded = QString::fromStdString(form_.Session().Driver.LoadedFileName);
        const QString start =
            loaded.isEmpty() ? QDir::homePath() : QFileInfo(loaded).absolutePath();
        folder = folders_.emplace(kind, start).first;
    }
    std::optional<QString> path =
        dialogs_.ChooseExportFile(&form_, caption, folder->second, BaseName() + suffix, filter);
    if (path) folder->second = QFileInfo(*path).absolutePath();
    return path;
}

bool ExportCommands::Write(const QString& path, const std::string& bytes) {
    if (WriteExportFile(path.toStdString(), bytes)) return true;
    dialogs_.ShowMessage(&form_, QString("Unable to write to %1").arg(path));
    return false;
}

void ExportCommands::SaveAs(const QString& kind, const QString& caption, const QString& suffix,
                            const QString& filter, const std::string& bytes) {
    const std::optional<QString> path = AskPath(kind, caption, suffix, filter);
    if (path) Write(*path, bytes);
}

ReportDocument ExportCommands::Report() const {
    const std::string loaded = form_.Session().Driver.LoadedFileName;
    const QString name =
        loaded.empty() ? BaseName() : QFileInfo(QString::fromStdString(loaded)).fileName();
    ReportDocument report =
        ReportDocumentOf(form_.Session(), name.toStdString(), Date().toStdString());
    if (const auto* compare = form_.findChild<CompareCommands*>(); compare && compare->Held()) {
        const ChartKind kinds[] = {ChartKind::Main, ChartKind::PressureVolume, ChartKind::Power};
        for (std::size_t i = 0; i < report.figures.size() && i < std::size(kinds); ++i)
            report.figures[i] = compare->Exported(report.figures[i], kinds[i]);
        report.buildBy.emplace_back();
        const std::vector<std::string> held = HeldBuildByLines(
            compare->Held()->name, compare->Held()->design, form_.Session().State.outputs.numbers);
        report.buildBy.insert(report.buildBy.end(), held.begin(), held.end());
    }
    return report;
}

ChartData ExportCommands::Chart(ChartKind kind) const {
    ChartData chart = ChartOf(form_.Session(), kind);
    if (const auto* compare = form_.findChild<CompareCommands*>())
        chart = compare->Exported(std::move(chart), kind);
    return chart;
}

void ExportCommands::ExportReportText() {
    SaveAs("report-text", "Export Report as Text", "-report.txt", "Text files (*.txt)",
           ReportTextOf(form_.Session()));
}

void ExportCommands::ExportReportPdf() {
    const std::optional<QString> path =
        AskPath("report-pdf", "Export Report as PDF", "-report.pdf", "PDF files (*.pdf)");
    if (path) Write(*path, ReportPdf(Report()).toStdString());
}

void ExportCommands::ExportCycleData() {
    SaveAs("cycle", "Export Cycle Data as CSV", "-cycle.csv", "CSV files (*.csv)",
           CycleCsvOf(form_.Session(), CsvUnits::SI));
}

void ExportCommands::ExportCycleDataInOutputUnits() {
    SaveAs("cycle", "Export Cycle Data in Output Units as CSV", "-cycle-output.csv",
           "CSV files (*.csv)", CycleCsvOf(form_.Session(), CsvUnits::Output));
}

void ExportCommands::ExportPvData() {
    SaveAs("pv", "Export Pressure/Volume Data as CSV", "-pv.csv", "CSV files (*.csv)",
           PvCsvOf(form_.Session()));
}

void ExportCommands::ExportPowerCurve() {
    SaveAs("powercurve", "Export Power Curve as CSV", "-powercurve.csv", "CSV files (*.csv)",
           PowerCurveCsvOf(form_.Session()));
}

void ExportCommands::PrintReport() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(BaseName() + " report");
    if (!dialogs_.ChoosePrinter(&form_, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        dialogs_.ShowMessage(&form_, QString("Unable to write to %1").arg(target));
        return;
    }
    PaintReport(painter, printer, Report());
}

ChartKind ExportCommands::KindOf(const ChartPanel* chart) const {
    if (chart == form_.Ui().PVChart) return ChartKind::PressureVolume;
    if (chart == form_.Ui().Chart3) return ChartKind::Power;
    return ChartKind::Main;
}

QMenu* ExportCommands::ChartMenu(ChartPanel* chart, QWidget* parent) {
    const ChartKind kind = KindOf(chart);
    auto* menu = new QMenu(parent);
    menu->setObjectName("ChartMenu");
    connect(menu->addAction("Save Image As..."), &QAction::triggered, this,
            [this, kind] { SaveChartImage(kind); });
    connect(menu->addAction("Copy Image"), &QAction::triggered, this,
            [this, kind] { CopyChartImage(kind); });
    connect(menu->addAction("Copy Data"), &QAction::triggered, this,
            [this, kind] { CopyChartData(kind); });
    connect(menu->addAction("Save Data As CSV..."), &QAction::triggered, this,
            [this, kind] { SaveChartData(kind); });
    return menu;
}

QMenu* ExportCommands::PaneMenu(QPlainTextEdit* pane) {
    QMenu* menu = pane->createStandardContextMenu();
    menu->addSeparator();
    connect(menu->addAction("Copy All"), &QAction::triggered, pane,
            [pane] { QGuiApplication::clipboard()->setText(pane->toPlainText() + '\n'); });
    return menu;
}

void ExportCommands::SaveChartImage(ChartKind kind) {
    const char* suffix = kind == ChartKind::Main             ? "-main.png"
                         : kind == ChartKind::PressureVolume ? "-pv.png"
                                                             : "-power.png";
    const std::optional<QString> path =
        AskPath("image", "Save Image As", suffix, "PNG images (*.png);;SVG images (*.svg)");
    if (!path) return;
    const ChartData chart = Chart(kind);
    const bool svg = path->endsWith(".svg", Qt::CaseInsensitive);
    const QByteArray bytes = svg ? ChartSvg(chart, kImageSize) : ChartPng(chart, kImageSize);
    Write(*path, bytes.toStdString());
}

void ExportCommands::CopyChartImage(ChartKind kind) {
    QGuiApplication::clipboard()->setImage(ChartImage(Chart(kind), kImageSize));
}

void ExportCommands::CopyChartData(ChartKind kind) {
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(ChartDataTable(Chart(kind), '\t')));
}

void ExportCommands::SaveChartData(ChartKind kind) {
    const char* suffix = kind == ChartKind::Main             ? "-main.csv"
                         : kind == ChartKind::PressureVolume ? "-pv-chart.csv"
                                                             : "-power-chart.csv";
    SaveAs("chart-data", "Save Chart Data As CSV", suffix, "CSV files (*.csv)",
           ChartDataTable(Chart(kind), ','));
}

}  // namespace velmora
