#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "export/held_design.h"

class QAction;
class QMenuBar;

namespace velmora {

class TForm1;

// Tools > Hold for Comparison keeps the current run's curves (main graph, its copy, the
// pressure/volume diagram and the power curve) as a faint reference under the live curves of
// every later run, with a legend naming both designs; Tools > Release Comparison drops them.
// While a design is held, the chart exports (images, the report's figures, chart data)
// include its curves.
class CompareCommands : public QObject {
    Q_OBJECT
  public:
    CompareCommands(TForm1& form, QAction* hold, QAction* release);

    void Hold();
    void Release();
    const HeldDesign* Held() const { return held_ ? &*held_ : nullptr; }
    // The name the legend gives the live design: the window's file name.
    std::string LiveName() const;
    // The chart as the exports draw it: with the held curves while a design is held.
    ChartData Exported(ChartData live, ChartKind kind) const;

  signals:
    // A design was held, replaced or released.
    void HeldChanged();

  private:
    void Show();

    TForm1& form_;
    QAction* hold_;
    QAction* release_;
    std::optional<HeldDesign> held_;
};

// Adds the two commands to the Tools menu.
void AddCompareMenu(TForm1& form, QMenuBar* bar);

}  // namespace velmora
