#pragma once

#include <QObject>

namespace velmora {

class ChartPanel;
class PageHost;
struct WindowControls;

// The Graphs page's handlers: curve and axis choices, the second graph, chart clicks and the
// animation of the engine picture.
class GraphsPage : public QObject {
    Q_OBJECT
  public:
    GraphsPage(WindowControls& controls, PageHost& host, QObject* parent);

    // Wires the page's lists, fields, charts and the animation timer to the handlers below.
    void Connect();

    void RedGraphRGClick();
    void ShowGraph2RGClick();
    void EditXAxisOffsetChange();
    void MainChartClickBackground(ChartPanel* chart, int x);
    void MainChartClickSeries(ChartPanel* chart, int x);
    void AnimateButtonClick();
    void AnimateTimerTimer();
    void DrawEngine(int position);
    // The second graph keeps half the window as the window changes size.
    void FitSecondGraphs();

  private:
    void ShowAnimationFrame();

    WindowControls& c_;
    PageHost& host_;
};

}  // namespace velmora
