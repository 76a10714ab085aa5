#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "form/control_state.h"
#include "presentation/energy_figures.h"
#include "simulation/cycle_model.h"
#include "simulation/design_result.h"

class QChartView;
class QComboBox;
class QLabel;
class QMenuBar;
class QTabWidget;
class QTableWidget;

namespace velmora {

class BackgroundTask;
class CompareCommands;
class TForm1;

// Tools > Energy and Power...: the place to build by. At its top the one power to build by
// (brake power for a design with losses, the accurate model's shaft power otherwise); below,
// the main window's design under the model its [Model] Integration chooses (changed here,
// saved with the design), with its split powers, heat flows and efficiency as a table, the
// loss waterfall, brake power and torque against speed under the load, and the
// pressure/volume loops of both models. While a design is held for comparison, its figures
// stand beside the live ones, computed the same way. Each change of the design (an undo step,
// a load) evaluates it again on a thread of its own; a newer change cancels the run under way.
class EnergyWindow : public QWidget {
    Q_OBJECT
  public:
    explicit EnergyWindow(TForm1& form, QWidget* parent = nullptr);
    ~EnergyWindow() override;

    // Evaluates the main window's design now, cancelling an evaluation under way.
    void Recompute();
    bool Busy() const;
    // The figures shown (empty before the first evaluation ends).
    const DesignResult& Result() const { return shown_.result; }
    const EnergyFigures& Figures() const { return shown_; }
    // The held design's figures, while one is held and they are computed.
    const std::optional<EnergyFigures>& HeldFigures() const { return held_; }
    IntegrationModel ShownModel() const { return shownModel_; }

  signals:
    // An evaluation has ended and its figures are shown.
    void Recomputed();

  private:
    struct Job;
    // A figure of the table as the user's locale shows it; a power too small to be a running
    // engine's as "-" (not running).
    QString ShownEnergyValue(const DesignResult& result, DesignOutput output) const;
    void ModelChosen(int index);
    void HeldChanged();
    void Finished();
    void Show();
    void ShowTable();
    void ShowHeadline();

    TForm1& form_;
    CompareCommands* compare_ = nullptr;
    QComboBox* model_ = nullptr;
    QLabel* headline_ = nullptr;
    QLabel* heldHeadline_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* table_ = nullptr;
    QTabWidget* charts_ = nullptr;
    QChartView* chart_ = nullptr;
    QChartView* cycleChart_ = nullptr;
    QChartView* waterfall_ = nullptr;
    QChartView* brakeChart_ = nullptr;
    BackgroundTask* task_ = nullptr;
    std::shared_ptr<Job> job_;
    bool again_ = false;
    EnergyFigures shown_;
    IntegrationModel shownModel_ = IntegrationModel::Specified;
    SettledRevolution shownRevolution_;
    // The held design's figures and the name they belong to: computed once per held design.
    std::optional<EnergyFigures> held_;
    std::string heldName_;
};

// Adds Tools > Energy and Power... to the main window's menu bar.
void AddEnergyMenu(TForm1& form, QMenuBar* bar);

}  // namespace velmora
