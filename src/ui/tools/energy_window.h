#pragma once

#include <QWidget>
#include <memory>

#include "form/control_state.h"
#include "simulation/cycle_model.h"
#include "simulation/design_result.h"

class QBarSet;
class QChartView;
class QComboBox;
class QLabel;
class QMenuBar;
class QTabWidget;
class QTableWidget;

namespace velmora {

class BackgroundTask;
class TForm1;

// Tools > Energy and Power...: the main window's design under the model its [Model]
// Integration chooses (changed here, saved with the design), with its split powers, heat flows
// and efficiency as a table and a bar chart, beside the pressure/volume loops of both models. Each
// change of the design (an undo step, a load) evaluates it again on a thread of its own.
class EnergyWindow : public QWidget {
    Q_OBJECT
  public:
    explicit EnergyWindow(TForm1& form, QWidget* parent = nullptr);
    ~EnergyWindow() override;

    // Evaluates the main window's design now, or as soon as the evaluation under way ends.
    void Recompute();
    bool Busy() const;
    // The figures shown (empty before the first evaluation ends).
    const DesignResult& Result() const { return shown_; }
    IntegrationModel ShownModel() const { return shownModel_; }

  signals:
    // An evaluation has ended and its figures are shown.
    void Recomputed();

  private:
    // A figure of the table as the user's locale shows it; a power too small to be a running
    // engine's as "-" (not running).
    QString ShownEnergyValue(DesignOutput output) const;
    struct Job {
        ControlState controls;
        DesignResult result;
        SettledRevolution revolution;  // the comparison model's, whichever model is chosen
    };
    void ModelChosen(int index);
    void Finished();
    void Show();

    TForm1& form_;
    QComboBox* model_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* table_ = nullptr;
    QTabWidget* charts_ = nullptr;
    QChartView* chart_ = nullptr;
    QChartView* cycleChart_ = nullptr;
    BackgroundTask* task_ = nullptr;
    std::shared_ptr<Job> job_;
    bool again_ = false;
    DesignResult shown_;
    IntegrationModel shownModel_ = IntegrationModel::Specified;
    SettledRevolution shownRevolution_;
};

// Adds Tools > Energy and Power... to the main window's menu bar.
void AddEnergyMenu(TForm1& form, QMenuBar* bar);

}  // namespace velmora
