#include "ui/pages/graphs/graphs_page.h"

#include "presentation/chart_titles.h"
#include "presentation/engine_frame.h"
#include "presentation/rgb_image.h"
#include "presentation/shown_run.h"
#include "report/number_text.h"
#include "session/engine_picture.h"
#include "ui/charts/chart_copier.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/plot_curve.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/page_host.h"
#include "ui/mainwindow/window_controls.h"
#include "ui/mainwindow/window_session.h"
#include "ui/pages/graphs/engine_image.h"

namespace velmora {

GraphsPage::GraphsPage(WindowControls& controls, PageHost& host, QObject* parent)
    : QObject(parent), c_(controls), host_(host) {
    setObjectName("GraphsPage");
}

void GraphsPage::RedGraphRGClick() {
    host_.Compute(true, true);
}

void GraphsPage::ShowGraph2RGClick() {
    WindowControls& c = c_;
    c.PVChart->hide();
    c.Chart3->hide();
    ReadControls(c, host_.Session().State);
    switch (c.ShowGraph2RG->currentIndex()) {
        case 1:
            c.PVChart->show();
            break;
        case 2:
        case 3:
            host_.Session().RecomputeSecondGraph();
            c.Chart3->EndZoom();
            CopyPowerChart(c.Chart3, host_.Session().Sim.Chart3, c.PowerSeries,
                           c.PhaseOrTorqueSeries);
            c.Chart3->show();
            break;
        default:
            break;
    }
    const int half = host_.FrameWidth() / 2;
    c.PVChart->setFixedWidth(half);
    c.Chart3->setFixedWidth(half);
}

void GraphsPage::EditXAxisOffsetChange() {
    host_.Compute(true, true);
}

void GraphsPage::MainChartClickBackground(ChartPanel* chart, int x) {
    if (host_.Session().IsAnimating()) AnimateButtonClick();
    const int left = chart->PlotLeft();
    const int right = chart->PlotRight();
    if (right == left) return;
    const double frac = static_cast<double>(x - left) / (right - left);
    const int position =
        static_cast<int>(RoundHalfEven(360 * (host_.Session().Sim.SimStepCount * frac / 360)));
    host_.Session().ClickedFrame = position;
    host_.Session().AnimationFrame = position;
    DrawEngine(position);
}

// Which curve was hit does not matter: the step under the mouse is picked as on the background.
void GraphsPage::MainChartClickSeries(ChartPanel* chart, int x) {
    MainChartClickBackground(chart, x);
}

void GraphsPage::AnimateButtonClick() {
    if (c_.AnimateButton->text() == "&Animate") {
        c_.AnimateButton->setText("Stop Animate");
        c_.AnimateTimer->start();
    } else {
        c_.AnimateButton->setText("&Animate");
        c_.AnimateTimer->stop();
    }
}

void GraphsPage::AnimateTimerTimer() {
    c_.AnimateTimer->stop();
    DrawEngine(host_.Session().AnimationFrame);
    host_.Session().AnimationFrame += 5;
    if (host_.Session().AnimationFrame >=
        static_cast<int>(host_.Session().Sim.SampleDispPos.size()))
        host_.Session().AnimationFrame = 0;
    if (host_.Session().IsAnimating()) c_.AnimateTimer->start();
}

void GraphsPage::DrawEngine(int position) {
    EngineFrameRequest request;
    request.position = position;
    request.animating = host_.Session().IsAnimating();
    const AxisScale cursor =
        LeftScaleOf(host_.Session().Sim.MainChartA, host_.Session().Sim.Series1a);
    request.cursorMin = cursor.min;
    request.cursorMax = cursor.max;
    request.width = c_.Image1->Image().width();
    request.height = c_.Image1->Image().height();
    // Without samples there is nothing to draw yet: a computation makes them and draws the
    // engine at the clicked position when its results are shown.
    if (host_.Session().Sim.SampleDispPos.empty()) {
        host_.Compute(false, true);
        return;
    }
    ReadControls(c_, host_.Session().State);
    const EngineFrame frame = velmora::DrawEngine(host_.Session(), request);
    if (!frame.drawn) return;
    const RgbImage raster = Rasterize(frame.picture);
    const QImage image(raster.Data(), raster.Width(), raster.Height(),
                       static_cast<qsizetype>(raster.Width()) * 3, QImage::Format_RGB888);
    c_.Image1->Image() = image.convertToFormat(QImage::Format_RGB32);
    c_.Image1->update();
    ShowAnimationFrame();
}

// The parts of the charts that follow the animation: cursor lines, the current PV point and
// the bottom-axis titles with the phase.
void GraphsPage::ShowAnimationFrame() {
    const ShownRun& sim = host_.Session().Sim;
    CopySeries(sim.Series3, c_.Series3);
    CopySeries(sim.Series3a, c_.Series3a);
    CopySeries(sim.PVPhaseSeries, c_.PVPhaseSeries);
    const std::string bottom = MainChartTitles(sim.Graphs).BottomAxisTitle;
    if (bottom.empty()) return;
    SetAxisTitle(c_.MainChart->BottomAxis(), bottom);
    SetAxisTitle(c_.MainChartA->BottomAxis(), bottom);
}

// The Graphs page's lists, fields, charts and the animation start its handlers.
void GraphsPage::Connect() {
    WindowControls& c = c_;
    connect(c.MainChartA, &ChartPanel::chartClicked, this,
            [this](int x) { MainChartClickBackground(c_.MainChartA, x); });
    connect(c.MainChart, &ChartPanel::chartClicked, this,
            [this](int x) { MainChartClickBackground(c_.MainChart, x); });
    connect(c.MainChart, &ChartPanel::seriesClicked, this,
            [this](int x) { MainChartClickSeries(c_.MainChart, x); });
    for (QComboBox* list : {c.RedGraphRG, c.BlueGraphRG, c.XAxisRG})
        connect(list, &QComboBox::activated, this, [this] { RedGraphRGClick(); });
    connect(c.ShowGraph2RG, &QComboBox::activated, this, [this] {
        ShowGraph2RGClick();
        RedGraphRGClick();
    });
    connect(c.EditXAxisOffset, &QLineEdit::textChanged, this, [this] { EditXAxisOffsetChange(); });
    connect(c.AnimateButton, &QPushButton::clicked, this, [this] { AnimateButtonClick(); });
    connect(c.AnimateTimer, &QTimer::timeout, this, [this] { AnimateTimerTimer(); });
}

// A shown second graph never holds the window wider than the user makes it.
void GraphsPage::FitSecondGraphs() {
    const int half = host_.FrameWidth() / 2;
    if (c_.PVChart->maximumWidth() != half || c_.Chart3->maximumWidth() != half) {
        c_.PVChart->setFixedWidth(half);
        c_.Chart3->setFixedWidth(half);
    }
}

}  // namespace velmora
