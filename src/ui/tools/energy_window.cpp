#include "ui/tools/energy_window.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include "export/energy_table.h"
#include "export/model_revolution.h"
#include "form/design_form.h"
#include "presentation/loss_waterfall.h"
#include "simulation/design_energy.h"
#include "ui/commands/compare_commands.h"
#include "ui/mainwindow/main_window.h"
#include "ui/mainwindow/window_session.h"
#include "ui/pages/help/user_guide.h"
#include "ui/tools/background_task.h"
#include "ui/tools/brake_speed_chart.h"
#include "ui/tools/energy_cycle_chart.h"
#include "ui/tools/energy_flow_chart.h"
#include "ui/tools/energy_waterfall_chart.h"
#include "ui/widgets/shown_numbers.h"
#include "ui/widgets/tools_menu.h"

namespace velmora {

struct EnergyWindow::Job {
    ControlState controls;
    EnergyFigures figures;
    SettledRevolution revolution;  // the comparison model's, whichever model is chosen
    // The held design, when one is held and its figures are not computed yet.
    std::optional<ControlState> heldControls;
    std::string heldName;
    std::optional<EnergyFigures> held;
};

namespace {

QChartView* ChartView(const char* name, QWidget* parent) {
    auto* view = new QChartView(new QChart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void Replace(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

}  // namespace

EnergyWindow::EnergyWindow(TForm1& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form) {
    setObjectName("EnergyWindow");
    setWindowTitle("Energy and Power");
    auto* layout = new QVBoxLayout(this);
    // The power to build by, first and largest; the held design's under it.
    headline_ = new QLabel(this);
    headline_->setObjectName("EnergyHeadline");
    QFont large = headline_->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.4);
    headline_->setFont(large);
    headline_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(headline_);
    heldHeadline_ = new QLabel(this);
    heldHeadline_->setObjectName("EnergyHeldHeadline");
    heldHeadline_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    heldHeadline_->hide();
    layout->addWidget(heldHeadline_);

    auto* top = new QHBoxLayout;
    auto* modelLabel = new QLabel("Model:", this);
    top->addWidget(modelLabel);
    model_ = new QComboBox(this);
    modelLabel->setBuddy(model_);
    model_->setObjectName("EnergyModel");
    for (const IntegrationModelName& entry : kIntegrationModels) model_->addItem(entry.caption);
    top->addWidget(model_);
    status_ = new QLabel(this);
    status_->setObjectName("EnergyStatus");
    status_->setWordWrap(true);
    top->addWidget(status_, 1);
    layout->addLayout(top);

    auto* body = new QHBoxLayout;
    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName("EnergyTable");
    table_->setHorizontalHeaderLabels({"Quantity", "Value"});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setStretchLastSection(true);
    body->addWidget(table_);
    // The flows as bars, the losses as a waterfall, the engine under load, and the cycles the
    // figures come from as pressure/volume loops.
    charts_ = new QTabWidget(this);
    charts_->setObjectName("EnergyCharts");
    chart_ = ChartView("EnergyChart", this);
    charts_->addTab(chart_, "Power and heat");
    cycleChart_ = ChartView("EnergyCycleChart", this);
    charts_->addTab(cycleChart_, "Pressure/volume loops");
    waterfall_ = ChartView("EnergyWaterfallChart", this);
    charts_->addTab(waterfall_, "Loss waterfall");
    brakeChart_ = ChartView("BrakeSpeedChart", this);
    charts_->addTab(brakeChart_, "Brake power and torque");
    charts_->setMinimumWidth(330);
    body->addWidget(charts_, 1);
    layout->addLayout(body, 1);

    task_ = new BackgroundTask(this);
    connect(task_, &BackgroundTask::Finished, this, &EnergyWindow::Finished);
    connect(model_, &QComboBox::activated, this, &EnergyWindow::ModelChosen);
    // Every change of the design is an undo step (loading a file is one too).
    QUndoStack* undo = form_.UndoStack();
    connect(undo, &QUndoStack::indexChanged, this, [this] { Recompute(); });
    connect(undo, &QUndoStack::cleanChanged, this, [this] { Recompute(); });
    // The cycle chart draws the window's own last revolution, which a computation replaces.
    connect(&form_, &TForm1::ComputeApplied, this, [this] {
        if (job_ && !Busy()) Show();
    });
    compare_ = form_.findChild<CompareCommands*>("CompareCommands");
    if (compare_ != nullptr)
        connect(compare_, &CompareCommands::HeldChanged, this, &EnergyWindow::HeldChanged);
    AddUserGuideKey(form_, this, "energy");
    resize(1040, 560);
    ShowTable();
    Recompute();
}

EnergyWindow::~EnergyWindow() {
    // The task waits for its evaluation before the job goes.
    delete task_;
    task_ = nullptr;
}

bool EnergyWindow::Busy() const {
    return task_ != nullptr && (task_->Running() || again_);
}

void EnergyWindow::ModelChosen(int index) {
    const IntegrationModel model = kIntegrationModels[static_cast<std::size_t>(index)].model;
    WindowSession& session = form_.Session();
    if (session.State.Integration == model) return;
    // A change of the design like any other: one undo step, which recomputes this window.
    ControlState inputs = session.Controls();
    inputs.Integration = model;
    form_.ApplyInputsAsOneStep(inputs, "Integration model");
    Recompute();
}

void EnergyWindow::HeldChanged() {
    held_.reset();
    heldName_.clear();
    Recompute();
}

void EnergyWindow::Recompute() {
    if (task_ == nullptr) return;
    if (task_->Running()) {
        // The newer design supersedes the one under way: it ends at its next step.
        task_->Cancel();
        again_ = true;
        return;
    }
    again_ = false;
    auto job = std::make_shared<Job>();
    job->controls = form_.Session().Controls();
    const HeldDesign* held = compare_ != nullptr ? compare_->Held() : nullptr;
    if (held != nullptr && (!held_ || heldName_ != held->name)) {
        job->heldControls = held->controls;
        job->heldName = held->name;
    }
    if (held == nullptr) {
        held_.reset();
        heldName_.clear();
    }
    model_->setCurrentIndex(static_cast<int>(job->controls.Integration));
    status_->setText("Computing...");
    job_ = job;
    auto progress = std::make_shared<WorkProgress>();
    task_->Start(progress, [job, progress] {
        const auto cancelled = [progress] { return progress->Cancelled(); };
        const Design design = ReadDesign(job->controls).design;
        job->figures = EnergyFiguresOf(design, cancelled);
        if (cancelled()) return;
        job->revolution = ComparisonModel().Revolution(design);
        if (job->heldControls && !cancelled())
            job->held = EnergyFiguresOf(ReadDesign(*job->heldControls).design, cancelled);
    });
}

void EnergyWindow::Finished() {
    // A cancelled run's figures are partial: only a whole run is shown.
    if (job_ && !task_->Cancelled()) {
        shown_ = job_->figures;
        shownModel_ = job_->controls.Integration;
        shownRevolution_ = job_->revolution;
        if (job_->held) {
            held_ = job_->held;
            heldName_ = job_->heldName;
        }
    }
    if (again_ || task_->Cancelled()) {
        Recompute();
        return;
    }
    Show();
    emit Recomputed();
}

QString EnergyWindow::ShownEnergyValue(const DesignResult& result, DesignOutput output) const {
    const std::string plain = EnergyValueText(result, output);
    const NumberSettings& numbers = form_.Session().State.outputs.numbers;
    const std::optional<double>& value = result[output];
    if (value && QString(OutputColumn(output).caption).endsWith("(W)"))
        return PowerOrNotRunning(plain, *value, numbers);
    return GroupedNumber(plain, numbers);
}

void EnergyWindow::ShowTable() {
    std::vector<DesignOutput> rows(kEnergyOutputs.begin(), kEnergyOutputs.end());
    const bool lossy = shown_.result.lossesGiven || (held_ && held_->result.lossesGiven);
    if (lossy) rows.insert(rows.end(), kLossOutputs.begin(), kLossOutputs.end());
    const bool held = held_.has_value();
    table_->setColumnCount(held ? 3 : 2);
    table_->setHorizontalHeaderLabels(
        {"Quantity", "Value", held ? "held:\n" + QString::fromStdString(heldName_) : ""});
    table_->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        table_->setItem(row, 0, new QTableWidgetItem(OutputColumn(rows[i]).caption));
        const auto cell = [&](int column, const QString& text) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, column, item);
        };
        cell(1, job_ ? ShownEnergyValue(shown_.result, rows[i]) : QString());
        if (held) cell(2, ShownEnergyValue(held_->result, rows[i]));
    }
    table_->resizeColumnToContents(0);
    // Long captions wrap, so that the charts keep room for their labels in a window 800 wide.
    const int captionWidth =
        table_->fontMetrics().horizontalAdvance("Indicated power simulated") + 12;
    table_->setColumnWidth(0, std::min(table_->columnWidth(0), captionWidth));
    // Room for the widest value ("not settled", "-22,261.0") beside the captions, always.
    const int valueWidth = table_->fontMetrics().horizontalAdvance("-000,000,000.0") + 12;
    table_->setColumnWidth(1, valueWidth);
    if (held) {
        // A held name of any length keeps the window 800 wide: its header is elided to the
        // value's width and said in full by the tooltip (and by the held headline above).
        table_->setColumnWidth(2, valueWidth);
        table_->horizontalHeaderItem(2)->setToolTip(QString::fromStdString("held: " + heldName_));
    }
    table_->resizeRowsToContents();
    // Room for every column and the scroll bar the longer list of a lossy design brings.
    int width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < table_->columnCount(); ++column)
        width += table_->columnWidth(column);
    table_->setMinimumWidth(width);
}

void EnergyWindow::ShowHeadline() {
    const NumberSettings& numbers = form_.Session().State.outputs.numbers;
    headline_->setText(QString::fromStdString(BuildByText(BuildByPowerOf(shown_), numbers)));
    heldHeadline_->setVisible(held_.has_value());
    if (held_)
        heldHeadline_->setText(QString::fromStdString(
            "held: " + heldName_ + " \u2014 " + BuildByText(BuildByPowerOf(*held_), numbers)));
}

void EnergyWindow::Show() {
    ShowHeadline();
    ShowTable();
    const DesignResult& result = shown_.result;
    const std::optional<double>& settled = result[DesignOutput::Settled];
    const QString model = NameOf(shownModel_).name;
    if (!task_->Failure().isEmpty()) {
        status_->setText("The evaluation failed: " + task_->Failure());
    } else if (!settled) {
        const EnergyGap gap = result.energyGaps.atSpeed;
        if (gap == EnergyGap::None || gap == EnergyGap::MissingInput) {
            status_->setText(
                "No cycle could be computed: check the inputs on the Design Parameters page.");
        } else {
            status_->setText("No cycle could be computed: " +
                             QString::fromStdString(EnergyGapReason(gap)) + ".");
        }
    } else if (*settled == 0) {
        status_->setText("The " + model +
                         " run did not settle within its cycle or step limit: its figures are "
                         "left empty rather than shown wrong.");
    } else {
        status_->setText("Model: " + model + ". Efficiency is shaft work / heat in.");
    }

    const NumberSettings& numbers = form_.Session().State.outputs.numbers;
    Replace(chart_, MakeFlowChart(result, numbers));
    Replace(waterfall_, MakeWaterfallChart(shown_.atSpeed ? LossWaterfall(*shown_.atSpeed)
                                                          : std::vector<WaterfallStep>{},
                                           numbers));
    Replace(brakeChart_, MakeBrakeSpeedChart(BrakeChartSeriesOf(shown_.curve, numbers), numbers));

    // The one-degree loop is the one the main window's PV page draws from.
    const CycleRecord oneDegree = LastRevolution(form_.Session().Record());
    std::vector<StepValues> steps;
    steps.reserve(oneDegree.size());
    for (const CycleRow& row : oneDegree) steps.push_back(row.step);
    std::vector<StepValues> compared;
    compared.reserve(shownRevolution_.rows.size());
    for (const CycleRow& row : shownRevolution_.rows) compared.push_back(row.step);
    Replace(cycleChart_, MakeCycleChart(steps, compared, form_.Session().State.outputs));
}

void AddEnergyMenu(TForm1& form, QMenuBar* bar) {
    AddToolWindowAction<EnergyWindow>(form, bar, "Energy and Power...", "EnergyAndPower1",
                                      "EnergyWindow",
                                      [](EnergyWindow& window) { window.Recompute(); });
}

}  // namespace velmora
