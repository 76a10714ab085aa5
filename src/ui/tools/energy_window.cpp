#include "ui/tools/energy_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "export/energy_table.h"
#include "export/model_revolution.h"
#include "form/design_form.h"
#include "simulation/design_energy.h"
#include "simulation/design_evaluator.h"
#include "ui/mainwindow/main_window.h"
#include "ui/mainwindow/window_session.h"
#include "ui/pages/help/user_guide.h"
#include "ui/tools/background_task.h"
#include "ui/tools/energy_cycle_chart.h"
#include "ui/widgets/shown_numbers.h"
#include "ui/widgets/tools_menu.h"

namespace velmora {

namespace {

// The bars: the flows in watts at engine speed, and the two powers simulated at Omega Bar.
struct Bar {
    const char* label;
    DesignOutput atSpeed;
    std::optional<DesignOutput> atOmegaBar;
};
constexpr Bar kBars[] = {
    {"Indicated", DesignOutput::IndicatedPower, DesignOutput::IndicatedPowerAtOmegaBar},
    {"Shaft", DesignOutput::ShaftPower, DesignOutput::ShaftPowerAtOmegaBar},
    {"Rod loss", DesignOutput::RodWorkLoss, std::nullopt},
    {"Heat in", DesignOutput::HeatIn, std::nullopt},
    {"Heat out", DesignOutput::HeatOut, std::nullopt},
};

}  // namespace

EnergyWindow::EnergyWindow(TForm1& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form) {
    setObjectName("EnergyWindow");
    setWindowTitle("Energy and Power");
    auto* layout = new QVBoxLayout(this);
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
    table_ = new QTableWidget(static_cast<int>(kEnergyOutputs.size()), 2, this);
    table_->setObjectName("EnergyTable");
    table_->setHorizontalHeaderLabels({"Quantity", "Value"});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t i = 0; i < kEnergyOutputs.size(); ++i) {
        const int row = static_cast<int>(i);
        table_->setItem(row, 0, new QTableWidgetItem(OutputColumn(kEnergyOutputs[i]).caption));
        auto* value = new QTableWidgetItem;
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(row, 1, value);
    }
    table_->resizeColumnsToContents();
    // Room for the widest value ("not settled", "-22,261.0") beside the captions, always.
    table_->setColumnWidth(1, table_->fontMetrics().horizontalAdvance("-000,000,000.0") + 12);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumWidth(table_->horizontalHeader()->length() + 2 * table_->frameWidth());
    body->addWidget(table_);
    // The flows as bars, and the cycles they come from as pressure/volume loops.
    charts_ = new QTabWidget(this);
    charts_->setObjectName("EnergyCharts");
    chart_ = new QChartView(new QChart, this);
    chart_->setObjectName("EnergyChart");
    chart_->setRenderHint(QPainter::Antialiasing);
    charts_->addTab(chart_, "Power and heat");
    cycleChart_ = new QChartView(new QChart, this);
    cycleChart_->setObjectName("EnergyCycleChart");
    cycleChart_->setRenderHint(QPainter::Antialiasing);
    charts_->addTab(cycleChart_, "Pressure/volume loops");
    charts_->setMinimumWidth(360);
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
    AddUserGuideKey(form_, this, "energy");
    resize(1040, 520);
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

void EnergyWindow::Recompute() {
    if (task_ == nullptr) return;
    if (task_->Running()) {
        again_ = true;
        return;
    }
    again_ = false;
    auto job = std::make_shared<Job>();
    job->controls = form_.Session().Controls();
    model_->setCurrentIndex(static_cast<int>(job->controls.Integration));
    status_->setText("Computing...");
    job_ = job;
    task_->Start(std::make_shared<WorkProgress>(), [job] {
        EvaluationOptions options;
        options.energy = true;
        const Design design = ReadDesign(job->controls).design;
        job->result = EvaluateDesign(design, options);
        job->revolution = ComparisonModel().Revolution(design);
    });
}

void EnergyWindow::Finished() {
    if (job_) {
        shown_ = job_->result;
        shownModel_ = job_->controls.Integration;
        shownRevolution_ = job_->revolution;
    }
    if (again_) {
        Recompute();
        return;
    }
    Show();
    emit Recomputed();
}

QString EnergyWindow::ShownEnergyValue(DesignOutput output) const {
    const std::string plain = EnergyValueText(shown_, output);
    const NumberSettings& numbers = form_.Session().State.outputs.numbers;
    const std::optional<double>& value = shown_[output];
    if (value && QString(OutputColumn(output).caption).endsWith("(W)"))
        return PowerOrNotRunning(plain, *value, numbers);
    return GroupedNumber(plain, numbers);
}

void EnergyWindow::Show() {
    for (std::size_t i = 0; i < kEnergyOutputs.size(); ++i)
        table_->item(static_cast<int>(i), 1)->setText(ShownEnergyValue(kEnergyOutputs[i]));

    const std::optional<double>& settled = shown_[DesignOutput::Settled];
    const QString model = NameOf(shownModel_).name;
    if (!task_->Failure().isEmpty()) {
        status_->setText("The evaluation failed: " + task_->Failure());
    } else if (!settled) {
        const EnergyGap gap = shown_.energyGaps.atSpeed;
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

    auto* chart = new QChart;
    chart->setTitle("Power and heat flow (W)");
    auto* speedSet = new QBarSet("At engine speed");
    auto* omegaSet = new QBarSet("Simulated at Omega Bar");
    QStringList labels;
    double low = 0, high = 0;
    for (const Bar& bar : kBars) {
        labels << bar.label;
        const double a = shown_[bar.atSpeed].value_or(0);
        const double b = bar.atOmegaBar ? shown_[*bar.atOmegaBar].value_or(0) : 0;
        *speedSet << a;
        *omegaSet << b;
        low = std::min({low, a, b});
        high = std::max({high, a, b});
    }
    auto* series = new QBarSeries;
    series->append(speedSet);
    series->append(omegaSet);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(labels);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setRange(low, high > low ? high : low + 1);
    y->applyNiceNumbers();
    y->setLabelFormat("%.0f");
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    QChart* old = chart_->chart();
    chart_->setChart(chart);
    delete old;

    // The one-degree loop is the one the main window's PV page draws from.
    const CycleRecord oneDegree = LastRevolution(form_.Session().Record());
    std::vector<StepValues> steps;
    steps.reserve(oneDegree.size());
    for (const CycleRow& row : oneDegree) steps.push_back(row.step);
    old = cycleChart_->chart();
    std::vector<StepValues> compared;
    compared.reserve(shownRevolution_.rows.size());
    for (const CycleRow& row : shownRevolution_.rows) compared.push_back(row.step);
    cycleChart_->setChart(MakeCycleChart(steps, compared, form_.Session().State.outputs));
    delete old;
}

void AddEnergyMenu(TForm1& form, QMenuBar* bar) {
    AddToolWindowAction<EnergyWindow>(form, bar, "Energy and Power...", "EnergyAndPower1",
                                      "EnergyWindow",
                                      [](EnergyWindow& window) { window.Recompute(); });
}

}  // namespace velmora
