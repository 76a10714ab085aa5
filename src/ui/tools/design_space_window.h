#pragma once

#include <QStringList>
#include <QWidget>
#include <atomic>
#include <memory>

#include "designspace/sweep_run.h"
#include "form/control_state.h"
#include "ui/tools/background_task.h"

class QCheckBox;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace velmora {

class DesignSpaceMap;
class TForm1;

// Tools > Design Space...: one or two inputs varied over ranges, every design evaluated on
// worker threads from a copy of the design taken at Start; one input gives a line chart of the
// chosen outputs, two a colour map of one of them. Hover shows a design, a click puts its
// varied inputs into the main window.
class DesignSpaceWindow : public QWidget {
    Q_OBJECT
  public:
    explicit DesignSpaceWindow(TForm1& form, QWidget* parent = nullptr);
    ~DesignSpaceWindow() override;

    void Start();
    void Cancel();
    bool Running() const;
    // The task that runs the work, for watching its progress.
    const BackgroundTask* Task() const { return task_; }
    const SweepRun* Run() const { return run_.get(); }
    // Writes the evaluated rows as CSV; false (and a message box) when the file cannot be
    // written.
    bool ExportCsv(const QString& path);
    // Puts the design the map was computed from, with design k's varied values, into the main
    // window as one undoable step and recomputes there. The map's design, not the main
    // window's: after an edit there the map no longer shows what the main window would run.
    void LoadDesign(std::size_t k);
    // The text the readout shows for design k.
    QString DesignText(std::size_t k) const;
    // Design k's value of axis `a` as shown and applied: rounded to tell it from its
    // neighbours on the axis.
    QString ValueText(std::size_t k, std::size_t a) const;
    // Whether the main window's design differs from the map's in anything but the varied
    // inputs' values.
    bool DesignChanged() const;

  signals:
    // A run has ended (done, cancelled or failed) and its rows are shown.
    void RunFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct AxisFields {
        QComboBox* input;
        QLineEdit* from;
        QLineEdit* to;
        QLineEdit* points;
        QCheckBox* log;
    };
    AxisFields BuildAxis(int number, QWidget* parent);
    void FillRange(const AxisFields& fields);
    std::optional<SweepAxis> ReadAxis(const AxisFields& fields, bool mark);
    void Validate();
    std::vector<DesignOutput> ChosenOutputs() const;
    DesignOutput MapOutput() const;
    void ShowRows();
    void ShowLineChart();
    // The design nearest to `x` along the first axis.
    std::size_t NearestDesign(double x) const;
    void ShowMap();
    void Finished();
    // Shows whether the map is stale and moves the current-design marker.
    void ShowSources();
    void NoteMainDesign();
    // The main window's value of axis `a`, when typed in the unit the map was made in.
    std::optional<double> MarkerValue(std::size_t a) const;

    TForm1& form_;
    AxisFields axis1_{};
    AxisFields axis2_{};
    QCheckBox* useSecond_ = nullptr;
    QListWidget* outputs_ = nullptr;
    QComboBox* mapOutput_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* export_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* problem_ = nullptr;
    QLabel* source_ = nullptr;
    QLabel* stale_ = nullptr;
    QStackedWidget* plots_ = nullptr;
    QChartView* chart_ = nullptr;
    DesignSpaceMap* map_ = nullptr;
    BackgroundTask* task_ = nullptr;

    std::shared_ptr<SweepRun> run_;
    // The main window's form the map was started from: whether the map still belongs to the
    // design, the units and decimal separator of its values, and the design a click loads.
    ControlState runForm_;
    std::vector<DesignOutput> runOutputs_;
    QStringList axisTitles_;  // input names with their units, as at Start
};

// Adds Tools > Design Space... to the main window's menu bar.
void AddDesignSpaceMenu(TForm1& form, QMenuBar* bar);

}  // namespace velmora
