#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "form/control_state.h"
#include "optimizer/optimize_run.h"
#include "ui/tools/background_task.h"

class QCheckBox;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QMenuBar;
class QPushButton;
class QTableWidget;

namespace velmora {

class TForm1;

// Tools > Optimize...: maximize one objective over the checked inputs within their bounds,
// subject to the constraints switched on. Start copies the design as it stands and runs the
// optimizer on worker threads; the chart shows the best objective against evaluations. Cancel
// keeps the best feasible design so far; Apply puts its texts into the Design Parameters page
// as one undoable step.
class OptimizeWindow : public QWidget {
    Q_OBJECT
  public:
    explicit OptimizeWindow(TForm1& form, QWidget* parent = nullptr);
    ~OptimizeWindow() override;

    void Start();
    void Cancel();
    void Apply();
    bool Running() const;
    // The task that runs the work, for watching its progress.
    const BackgroundTask* Task() const { return task_; }
    const OptimizeRun* Run() const { return run_.get(); }

  signals:
    // A run has ended (done, cancelled or failed) and its result is shown.
    void RunFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct ConstraintFields {
        QCheckBox* on;
        QLineEdit* margin;
    };
    void FillInputs();
    // The problem the fields describe for the design `form` enters, marking what is wrong;
    // empty `problem` when it can run.
    OptimizeProblem ReadProblem(const ControlState& form, bool mark, QString& problem);
    void Validate();
    void Finished();
    void ShowProgress();
    void ShowResult();
    // Whether the main window's design differs from the one the result was computed from, in
    // anything but the varied inputs' values; the stale note and Apply follow it.
    bool DesignChanged() const;
    void NoteMainDesign();
    // Which model the objective comes from, for the design as it stands.
    void ShowSource();

    TForm1& form_;
    QComboBox* objective_ = nullptr;
    std::array<ConstraintFields, kConstraints.size()> constraints_{};
    QTableWidget* inputs_ = nullptr;
    QLineEdit* budget_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
    QLabel* problem_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* stale_ = nullptr;
    QLabel* source_ = nullptr;
    QChartView* chart_ = nullptr;
    QLineSeries* series_ = nullptr;
    QTableWidget* result_ = nullptr;
    BackgroundTask* task_ = nullptr;
    bool filling_ = false;
    bool found_ = false;  // the last run found a design to apply

    std::shared_ptr<OptimizeRun> run_;
    // The main window's form the run started from: whether the result still belongs to the
    // design, and the units its values are in, are read from it.
    ControlState runForm_;
};

// Adds Tools > Optimize... to the main window's menu bar, beside Design Space....
void AddOptimizeMenu(TForm1& form, QMenuBar* bar);

}  // namespace velmora
