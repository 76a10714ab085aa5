#include "ui/tools/optimize_window.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QValueAxis>
#include <thread>

#include "designspace/sweep_axis.h"
#include "form/design_form.h"
#include "form/input_controls.h"
#include "model/scoped_flag.h"
#include "optimizer/readable_result.h"
#include "report/number_text.h"
#include "ui/charts/chart_copier.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/pages/help/user_guide.h"
#include "ui/tools/optimize_fields.h"
#include "ui/widgets/shown_numbers.h"
#include "ui/widgets/tools_menu.h"

namespace velmora {

using namespace optimize_fields;

OptimizeWindow::OptimizeWindow(TForm1& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form) {
    setObjectName("OptimizeWindow");
    setWindowTitle("Optimize");
    auto* layout = new QHBoxLayout(this);
    auto* side = new QVBoxLayout;
    layout->addLayout(side, 3);

    auto* top = new QFormLayout;
    objective_ = new QComboBox(this);
    objective_->setObjectName("OptimizeObjective");
    for (const ObjectiveInfo& info : kObjectives) objective_->addItem(info.caption);
    objective_->setCurrentIndex(static_cast<int>(Objective::PVPowerAtEngineSpeed));
    top->addRow("Maximize:", objective_);
    source_ = new QLabel(this);
    source_->setObjectName("OptimizeSource");
    source_->setWordWrap(true);
    top->addRow(source_);
    connect(objective_, &QComboBox::currentIndexChanged, this, [this] { ShowSource(); });
    side->addLayout(top);

    auto* constraintBox = new QGroupBox("Constraints", this);
    auto* grid = new QGridLayout(constraintBox);
    for (std::size_t i = 0; i < kConstraints.size(); ++i) {
        const ConstraintInfo& info = kConstraints[i];
        ConstraintFields& f = constraints_[i];
        f.on = new QCheckBox(info.caption, constraintBox);
        f.on->setObjectName(QString("OptimizeConstraint") + info.name);
        f.margin = new QLineEdit(BoundText(info.defaultMargin), constraintBox);
        f.margin->setObjectName(QString("OptimizeMargin") + info.name);
        f.margin->setMaximumWidth(70);
        grid->addWidget(f.on, static_cast<int>(i), 0);
        grid->addWidget(f.margin, static_cast<int>(i), 1);
        connect(f.on, &QCheckBox::toggled, this, [this] { Validate(); });
        connect(f.margin, &QLineEdit::textChanged, this, [this] { Validate(); });
    }
    constraints_[0].on->setChecked(true);  // not overdriven
    side->addWidget(constraintBox);

    inputs_ = new QTableWidget(static_cast<int>(kSweepInputs.size()), 3, this);
    inputs_->setObjectName("OptimizeInputs");
    inputs_->setHorizontalHeaderLabels({"Vary", "From", "To"});
    inputs_->horizontalHeader()->setSectionResizeMode(kVaryColumn, QHeaderView::Stretch);
    inputs_->verticalHeader()->setVisible(false);
    side->addWidget(inputs_, 1);
    FillInputs();
    connect(inputs_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_) Validate();
    });

    auto* bottom = new QFormLayout;
    budget_ = new QLineEdit(QString::number(kDefaultMaxEvaluations), this);
    budget_->setObjectName("OptimizeBudget");
    bottom->addRow("Evaluation budget:", budget_);
    side->addLayout(bottom);
    connect(budget_, &QLineEdit::textChanged, this, [this] { Validate(); });

    auto* buttons = new QHBoxLayout;
    auto* refill = new QPushButton("Bounds from Design", this);
    refill->setObjectName("OptimizeRefill");
    start_ = new QPushButton("Start", this);
    start_->setObjectName("OptimizeStart");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("OptimizeCancel");
    cancel_->setEnabled(false);
    apply_ = new QPushButton("Apply", this);
    apply_->setObjectName("OptimizeApply");
    apply_->setEnabled(false);
    for (QPushButton* button : {refill, start_, cancel_, apply_}) buttons->addWidget(button);
    side->addLayout(buttons);
    problem_ = new QLabel(this);
    problem_->setObjectName("OptimizeProblem");
    problem_->setStyleSheet("color: #a00000");
    problem_->setWordWrap(true);
    side->addWidget(problem_);
    stale_ = new QLabel(this);
    stale_->setObjectName("OptimizeStale");
    stale_->setStyleSheet("color: #a00000; font-weight: bold");
    stale_->setWordWrap(true);
    side->addWidget(stale_);
    // A result belongs to the design it was computed from: a load or an edit there marks it.
    connect(form_.UndoStack(), &QUndoStack::indexChanged, this, [this] { NoteMainDesign(); });

    auto* right = new QVBoxLayout;
    layout->addLayout(right, 4);
    auto* chart = new QChart;
    chart->setTitle("Best feasible objective");
    chart->setLocalizeNumbers(true);  // grouped thousands in the user's locale
    chart->legend()->hide();
    series_ = new QLineSeries(chart);
    chart->addSeries(series_);
    auto* x = new QValueAxis(chart);
    x->setTitleText("Evaluations");
    x->setLabelFormat("%d");
    auto* y = new QValueAxis(chart);
    y->setTitleText("W");  // every objective is a power; the chart title names it
    // Round ticks from the start: an empty chart reads 0 to 10 evaluations, 0 to 1 W.
    ApplyScale(x, AutoScale(0, 10));
    ApplyScale(y, AutoScale(0, 1));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series_->attachAxis(x);
    series_->attachAxis(y);
    chart_ = new QChartView(chart, this);
    chart_->setObjectName("OptimizeChart");
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(180);
    right->addWidget(chart_, 1);
    status_ = new QLabel(this);
    status_->setObjectName("OptimizeStatus");
    right->addWidget(status_);
    result_ = new QTableWidget(0, 4, this);
    result_->setObjectName("OptimizeResult");
    result_->setHorizontalHeaderLabels({"", "Before", "After", "Note"});
    result_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    result_->verticalHeader()->setVisible(false);
    result_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    right->addWidget(result_, 1);

    connect(refill, &QPushButton::clicked, this, [this] {
        FillInputs();
        Validate();
    });
    connect(start_, &QPushButton::clicked, this, &OptimizeWindow::Start);
    connect(cancel_, &QPushButton::clicked, this, &OptimizeWindow::Cancel);
    connect(apply_, &QPushButton::clicked, this, &OptimizeWindow::Apply);
    task_ = new BackgroundTask(this);
    connect(task_, &BackgroundTask::Progressed, this, &OptimizeWindow::ShowProgress);
    connect(task_, &BackgroundTask::Finished, this, &OptimizeWindow::Finished);
    resize(1000, 640);
    AddUserGuideKey(form_, this, "optimize");
    Validate();
    ShowSource();
}

OptimizeWindow::~OptimizeWindow() {
    // The task cancels and waits for its run before the window's widgets go.
    delete task_;
    task_ = nullptr;
}

bool OptimizeWindow::Running() const {
    return task_ != nullptr && task_->Running();
}

void OptimizeWindow::closeEvent(QCloseEvent* event) {
    Cancel();
    QWidget::closeEvent(event);
}

void OptimizeWindow::Start() {
    if (Running()) return;
    QString problem;
    // The design as it stands now; later edits in the main window do not reach this run.
    const ControlState form = form_.Session().Controls();
    OptimizeProblem p = ReadProblem(form, true, problem);
    if (!problem.isEmpty()) return;
    found_ = false;
    runForm_ = form;
    run_ = std::make_shared<OptimizeRun>(std::move(p));
    series_->clear();
    result_->setRowCount(0);
    // The chart's title names the objective in full; the axis keeps its unit, which fits the
    // axis at any window size.
    const QString caption = InfoOf(run_->Problem().objective).caption;
    chart_->chart()->setTitle("Best feasible " + caption);
    const qsizetype open = caption.lastIndexOf('(');
    chart_->chart()
        ->axes(Qt::Vertical)
        .value(0)
        ->setTitleText(caption.endsWith(')') && open >= 0
                           ? caption.mid(open + 1, caption.size() - open - 2)
                           : QString());
    ShowProgress();
    start_->setEnabled(false);
    cancel_->setEnabled(true);
    apply_->setEnabled(false);
    problem_->clear();
    status_->setText("Running...");
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    task_->Start(std::shared_ptr<WorkProgress>(run_, &run_->Progress()),
                 [run = run_, threads] { run->Run(threads); });
}

void OptimizeWindow::Cancel() {
    task_->Cancel();
}

void OptimizeWindow::ShowProgress() {
    const std::vector<ProgressPoint> history = run_->BestHistory();
    const int evaluations = run_->Evaluations();
    QList<QPointF> points;
    for (const ProgressPoint& p : history) {
        if (!points.isEmpty()) points.append(QPointF(p.evaluations, points.back().y()));
        points.append(QPointF(p.evaluations, p.objective));
    }
    if (!points.isEmpty()) points.append(QPointF(evaluations, points.back().y()));
    series_->replace(points);
    auto* x = qobject_cast<QValueAxis*>(chart_->chart()->axes(Qt::Horizontal).value(0));
    auto* y = qobject_cast<QValueAxis*>(chart_->chart()->axes(Qt::Vertical).value(0));
    ApplyScale(x, WithAtMostSteps(AutoScale(0, std::max(evaluations, 10)), 6));
    x->setLabelFormat("%.0f");
    if (!history.empty()) {
        const double low = history.front().objective;
        const double high = history.back().objective;
        const double pad = std::max((high - low) * 0.05, std::fabs(high) * 0.01 + 1e-9);
        ApplyScale(y, AutoScale(low - pad, high + pad));
    }
    status_->setText(QString("%1 evaluations").arg(evaluations));
}

void OptimizeWindow::Finished() {
    ShowProgress();
    cancel_->setEnabled(false);
    if (const QString failure = task_->Failure(); !failure.isEmpty()) {
        // The outcome of a run that did not end is not to be trusted: nothing to apply.
        status_->setText("The run stopped: " + failure);
        result_->setRowCount(0);
        found_ = false;
        NoteMainDesign();
    } else {
        ShowResult();
    }
    Validate();
    emit RunFinished();
}

void OptimizeWindow::ShowResult() {
    const OptimizeOutcome& outcome = run_->Outcome();
    const OptimizeProblem& p = run_->Problem();
    status_->setText(QString::fromStdString(OutcomeStatus(p, outcome)));
    if (outcome.status == OptimizeStatus::StartUncomputable) {
        result_->setRowCount(0);
        return;
    }
    std::vector<std::string> units;
    for (const Variable& variable : p.variables)
        units.push_back(form_.Ui()
                            .InputOf(*variable.input->input)
                            .units->itemText(InputField(runForm_, *variable.input->input).units)
                            .toStdString());
    const std::vector<ReadableRow> rows = ReadableResultRows(p, outcome, units);
    result_->setRowCount(static_cast<int>(rows.size()));
    const QBrush boundColour(QColor(255, 236, 160));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        result_->setItem(row, 0, new QTableWidgetItem(ToQString(rows[i].label)));
        // Inputs as they are typed; computed figures grouped as the user's locale shows them.
        const bool input = i < p.variables.size();
        const NumberSettings& numbers = form_.Session().State.outputs.numbers;
        result_->setItem(row, 1,
                         new QTableWidgetItem(input ? ToQString(rows[i].before)
                                                    : GroupedNumber(rows[i].before, numbers)));
        result_->setItem(row, 2,
                         new QTableWidgetItem(input ? ToQString(rows[i].after)
                                                    : GroupedNumber(rows[i].after, numbers)));
        result_->setItem(row, 3, new QTableWidgetItem(ToQString(rows[i].note)));
        for (const int column : {1, 2})
            result_->item(row, column)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (rows[i].atBound) {
            for (int column = 0; column < 4; ++column) {
                result_->item(row, column)->setBackground(boundColour);
                result_->item(row, column)
                    ->setToolTip(
                        "Ended within 1% of its range from a bound: the best design may lie beyond "
                        "it. Widen the bound and run again.");
            }
        }
    }
    result_->resizeColumnsToContents();
    found_ = outcome.status == OptimizeStatus::Found;
    NoteMainDesign();
}

void OptimizeWindow::Apply() {
    if (!run_ || Running() || run_->Outcome().status != OptimizeStatus::Found) return;
    if (DesignChanged()) return;  // the result belongs to another design
    // Only the varied inputs change: each gets its optimized value in the unit it was
    // optimized in, rounded as the result table shows it (never a 15-digit text); every other
    // field keeps what the user has there now.
    ControlState inputs = form_.Session().Controls();
    const OptimizeProblem& p = run_->Problem();
    const std::vector<ReadableRow> rows = ReadableResultRows(p, run_->Outcome(), {});
    for (std::size_t i = 0; i < p.variables.size(); ++i) {
        InputControl& field = InputField(inputs, *p.variables[i].input->input);
        field.text = rows.at(i).after;
        field.units = InputField(runForm_, *p.variables[i].input->input).units;
    }
    form_.ApplyInputsAsOneStep(inputs, "Optimize");
}

void AddOptimizeMenu(TForm1& form, QMenuBar* bar) {
    AddToolWindowAction<OptimizeWindow>(form, bar, "Optimize...", "Optimize1", "OptimizeWindow",
                                        [](OptimizeWindow&) {});
}

}  // namespace velmora
