// The Graphs page: curve and axis choices, the second graph, chart clicks and the animation.
#include "model/number_text.h"
#include "simulation/engine_frame.h"
#include "simulation/rgb_image.h"
#include "ui/charts/chart_copier.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/plot_curve.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/pages/graphs/engine_image.h"

namespace velmora {

void TForm1::RedGraphRGClick() {
    Compute(true, true);
}

void TForm1::ShowGraph2RGClick() {
    WindowControls& c = ui_;
    c.PVChart->hide();
    c.Chart3->hide();
    ReadControls(c, session_.State);
    switch (c.ShowGraph2RG->currentIndex()) {
        case 1:
            c.PVChart->show();
            break;
        case 2:
        case 3:
            session_.RecomputeSecondGraph();
            c.Chart3->EndZoom();
            CopyPowerChart(c.Chart3, session_.Sim.Chart3, c.PowerSeries, c.PhaseOrTorqueSeries);
            c.Chart3->show();
            break;
        default:
            break;
    }
    const int half = frameGeometry().width() / 2;
    c.PVChart->setFixedWidth(half);
    c.Chart3->setFixedWidth(half);
}

void TForm1::EditXAxisOffsetChange() {
    Compute(true, true);
}

void TForm1::MainChartClickBackground(ChartPanel* chart, int x) {
    if (session_.IsAnimating()) AnimateButtonClick();
    const int left = chart->PlotLeft();
    const int right = chart->PlotRight();
    if (right == left) return;
    const double frac = static_cast<double>(x - left) / (right - left);
    const int position =
        static_cast<int>(RoundHalfEven(360 * (session_.Sim.SimStepCount * frac / 360)));
    session_.ClickedFrame = position;
    session_.AnimationFrame = position;
    DrawEngine(position);
}

// Which curve was hit does not matter: the step under the mouse is picked as on the background.
void TForm1::MainChartClickSeries(ChartPanel* chart, int x) {
    MainChartClickBackground(chart, x);
}

void TForm1::AnimateButtonClick() {
    if (ui_.AnimateButton->text() == "&Animate") {
        ui_.AnimateButton->setText("Stop Animate");
        ui_.AnimateTimer->start();
    } else {
        ui_.AnimateButton->setText("&Animate");
        ui_.AnimateTimer->stop();
    }
}

void TForm1::AnimateTimerTimer() {
    ui_.AnimateTimer->stop();
    DrawEngine(session_.AnimationFrame);
    session_.AnimationFrame += 5;
    if (session_.AnimationFrame >= static_cast<int>(session_.Sim.SampleDispPos.size()))
        session_.AnimationFrame = 0;
    if (session_.IsAnimating()) ui_.AnimateTimer->start();
}

void TForm1::DrawEngine(int position) {
    EngineFrameRequest request;
    request.position = position;
    request.animating = session_.IsAnimating();
    const AxisScale cursor = LeftScaleOf(session_.Sim.MainChartA, session_.Sim.Series1a);
    request.cursorMin = cursor.min;
    request.cursorMax = cursor.max;
    request.width = ui_.Image1->Image().width();
    request.height = ui_.Image1->Image().height();
    const int runs = session_.Driver.RunCount();
    ReadControls(ui_, session_.State);
    const EngineFrame frame = velmora::DrawEngine(session_, request);
    if (session_.Driver.RunCount() != runs && !session_.Driver.ComputeBusy) ShowResults();
    if (!frame.drawn) return;
    const RgbImage raster = Rasterize(frame.picture);
    const QImage image(raster.Data(), raster.Width(), raster.Height(),
                       static_cast<qsizetype>(raster.Width()) * 3, QImage::Format_RGB888);
    ui_.Image1->Image() = image.convertToFormat(QImage::Format_RGB32);
    ui_.Image1->update();
    ShowAnimationFrame();
}

// The parts of the charts that follow the animation: cursor lines, the current PV point and
// the bottom-axis titles with the phase.
void TForm1::ShowAnimationFrame() {
    const SimulationState& sim = session_.Sim;
    CopySeries(sim.Series3, ui_.Series3);
    CopySeries(sim.Series3a, ui_.Series3a);
    CopySeries(sim.PVPhaseSeries, ui_.PVPhaseSeries);
    if (!sim.MainChart.BottomAxisTitle.empty())
        SetAxisTitle(ui_.MainChart->BottomAxis(), sim.MainChart.BottomAxisTitle);
    if (!sim.MainChartA.BottomAxisTitle.empty())
        SetAxisTitle(ui_.MainChartA->BottomAxis(), sim.MainChartA.BottomAxisTitle);
}

// The Graphs page's lists, fields, charts and the animation start its handlers.
void TForm1::ConnectGraphPage() {
    WindowControls& c = ui_;
    connect(c.MainChartA, &ChartPanel::chartClicked, this,
            [this](int x) { MainChartClickBackground(ui_.MainChartA, x); });
    connect(c.MainChart, &ChartPanel::chartClicked, this,
            [this](int x) { MainChartClickBackground(ui_.MainChart, x); });
    connect(c.MainChart, &ChartPanel::seriesClicked, this,
            [this](int x) { MainChartClickSeries(ui_.MainChart, x); });
    for (QComboBox* list : {c.RedGraphRG, c.BlueGraphRG, c.XAxisRG})
        connect(list, &QComboBox::activated, this, [this] { RedGraphRGClick(); });
    connect(c.ShowGraph2RG, &QComboBox::activated, this, [this] {
        ShowGraph2RGClick();
        RedGraphRGClick();
    });
    connect(c.EditXAxisOffset, &QLineEdit::textChanged, this, [this] { EditXAxisOffsetChange(); });
    connect(c.ComputeCycleCountEdit, &QLineEdit::textChanged, this,
            [this] { ComputeCycleCountEditChange(); });
    for (QLineEdit* edit : {c.GraphCycleCountEdit, c.MaxGraphCycleCountEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] { GraphCycleCountEditChange(); });
    connect(c.AnimateButton, &QPushButton::clicked, this, [this] { AnimateButtonClick(); });
    connect(c.AnimateTimer, &QTimer::timeout, this, [this] { AnimateTimerTimer(); });
}

// The second graph keeps half the window as the window changes size, so a shown graph never
// holds the window wider than the user makes it.
void TForm1::FitSecondGraphs() {
    const int half = frameGeometry().width() / 2;
    if (ui_.PVChart->maximumWidth() != half || ui_.Chart3->maximumWidth() != half) {
        ui_.PVChart->setFixedWidth(half);
        ui_.Chart3->setFixedWidth(half);
    }
}

}  // namespace velmora
