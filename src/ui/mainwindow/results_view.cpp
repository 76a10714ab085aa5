// Copies the results of a compute run from the session into the widgets.
#include "presentation/chart_titles.h"
#include "presentation/shown_run.h"
#include "ui/charts/chart_copier.h"
#include "ui/charts/chart_panel.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/pages/inputs/inputs_page.h"
#include "ui/pages/report/report_page.h"

namespace velmora {

namespace {

// Suspends repainting of a widget for the life of the scope, then repaints it once.
class PaintPause {
  public:
    explicit PaintPause(QWidget* widget) : widget_(widget) { widget_->setUpdatesEnabled(false); }
    ~PaintPause() { widget_->setUpdatesEnabled(true); }
    PaintPause(const PaintPause&) = delete;
    PaintPause& operator=(const PaintPause&) = delete;

  private:
    QWidget* widget_;
};

}  // namespace

void TForm1::ShowResults() {
    const ShownRun& sim = session_.Sim;
    WindowControls& c = ui_;
    reportPage_->ShowReports(session_.Driver.Memo1, session_.Driver.Memo2);
    inputsPage_->MarkNonNumberInputs();  // the number settings may have changed with the run
    const QString dwell = ToQString(CycleSummaryCaption(sim));
    c.lDwell->setText(dwell);
    c.lDwellA->setText(dwell);
    c.lDwell->setToolTip(c.lDwell->text());
    c.lDwellA->setToolTip(c.lDwellA->text());
    c.lDeltaTee->setText(ToQString(TimeIncrementCaption(sim.Graphs)).replace("\r\n", "\n"));
    {
        PaintPause main(c.MainChart);
        PaintPause copy(c.MainChartA);
        PaintPause pv(c.PVChart);
        PaintPause power(c.Chart3);
        // A zoom lasts until the next computation, whose ranges replace it.
        for (ChartPanel* chart : {c.MainChart, c.MainChartA, c.PVChart, c.Chart3}) chart->EndZoom();
        const ChartTitles mainTitles = MainChartTitles(sim.Graphs);
        CopyMainChart(c.MainChart, sim.MainChart, mainTitles, sim.Series1, sim.Series2, sim.Series3,
                      c.Series1, c.Series2, c.Series3);
        CopyMainChart(c.MainChartA, sim.MainChartA, mainTitles, sim.Series1a, sim.Series2a,
                      sim.Series3a, c.Series1a, c.Series2a, c.Series3a);
        CopyPvChart(c.PVChart, sim, c.PVSeries, c.PVPhaseSeries);
        CopyPowerChart(c.Chart3, sim.Chart3, c.PowerSeries, c.PhaseOrTorqueSeries);
    }
}

}  // namespace velmora
