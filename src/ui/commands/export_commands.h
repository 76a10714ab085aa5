#pragma once

#include <QObject>
#include <QString>
#include <map>

#include "export/session_exports.h"

class QMenu;
class QPlainTextEdit;

namespace velmora {

class ChartPanel;
class TForm1;
class WindowDialogs;

// The window's ways of getting results out: Files > Export, Files > Print Report..., the
// charts' context menus and "Copy All" on the report panes. Every file comes from the export
// layer, so it is the same file the command line writes for the same state.
class ExportCommands : public QObject {
    Q_OBJECT
  public:
    ExportCommands(TForm1& form, WindowDialogs& dialogs);

    // Adds the Export submenu and Print Report... to the Files menu, after its own items, and
    // the context menus to the charts and report panes.
    void Install();

    void ExportReportText();
    void ExportReportPdf();
    void ExportCycleData();
    void ExportCycleDataInOutputUnits();
    void ExportPvData();
    void ExportPowerCurve();
    void PrintReport();

    // The chart's context menu ("Save Image As...", "Copy Image", "Copy Data") and the report
    // pane's standard one with "Copy All"; the caller owns and runs the menu.
    QMenu* ChartMenu(ChartPanel* chart, QWidget* parent);
    QMenu* PaneMenu(QPlainTextEdit* pane);

    void SaveChartImage(ChartKind kind);
    void CopyChartImage(ChartKind kind);
    void CopyChartData(ChartKind kind);
    void SaveChartData(ChartKind kind);
    // The chart as exported: as the window shows it, with a held design's curves when one is
    // held for comparison.
    ChartData Chart(ChartKind kind) const;
    // The report as printed and exported as PDF: with a held design's curves and its power to
    // build by when one is held.
    ReportDocument Report() const;
    // The report as printed and exported as PDF: with a held design's curves and its power to
    // build by when one is held.

    // "Default" when the window shows "Velmora -- Default"; names the proposed files.
    QString BaseName() const;

  private:
    ChartKind KindOf(const ChartPanel* chart) const;
    // Asks for a path (proposing BASE + suffix in this kind's own last folder), writes the
    // bytes, and says "Unable to write to %s" when that fails.
    void SaveAs(const QString& kind, const QString& caption, const QString& suffix,
                const QString& filter, const std::string& bytes);
    std::optional<QString> AskPath(const QString& kind, const QString& caption,
                                   const QString& suffix, const QString& filter);
    bool Write(const QString& path, const std::string& bytes);

    TForm1& form_;
    WindowDialogs& dialogs_;
    std::map<QString, QString> folders_;  // last folder of each kind of export
};

}  // namespace velmora
