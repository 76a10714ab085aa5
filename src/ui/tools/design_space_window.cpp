#include "ui/tools/design_space_window.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <sstream>
#include <thread>

#include "designspace/sweep_csv.h"
#include "form/design_form.h"
#include "form/input_controls.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/pages/help/user_guide.h"
#include "ui/tools/design_space_map.h"

namespace velmora {

namespace {

// A range field as typed: '.' or the user's ',' as the decimal separator.
std::optional<double> FieldNumber(const QString& text) {
    QString plain = text.trimmed();
    plain.replace(',', '.');
    return ParseRangeNumber(plain.toStdString());
}

void Mark(QLineEdit* field, const QString& problem) {
    field->setStyleSheet(problem.isEmpty() ? QString() : "background: #ffd0d0");
    field->setToolTip(problem);
}

}  // namespace

DesignSpaceWindow::DesignSpaceWindow(TForm1& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form) {
    setObjectName("DesignSpaceWindow");
    setWindowTitle("Design Space");
    auto* layout = new QHBoxLayout(this);
    // A fixed side panel and a fixed-height readout: the window keeps its size whatever the
    // readout says.
    auto* sidePanel = new QWidget(this);
    sidePanel->setObjectName("DesignSpaceSide");
    sidePanel->setFixedWidth(300);
    auto* side = new QVBoxLayout(sidePanel);
    side->setContentsMargins(0, 0, 0, 0);
    side->setSpacing(4);
    layout->addWidget(sidePanel);

    // Inputs and outputs on two pages of the panel: the outputs' list then has the panel's
    // whole height, even in a window 550 pixels high.
    auto* pages = new QTabWidget(sidePanel);
    pages->setObjectName("DesignSpacePages");
    side->addWidget(pages, 1);
    auto* inputsPage = new QWidget(pages);
    auto* inputsColumn = new QVBoxLayout(inputsPage);
    inputsColumn->setContentsMargins(4, 4, 4, 4);
    auto* outputsPage = new QWidget(pages);
    auto* outputsColumn = new QVBoxLayout(outputsPage);
    outputsColumn->setContentsMargins(4, 4, 4, 4);
    pages->addTab(inputsPage, "Inputs");
    pages->addTab(outputsPage, "Outputs and map");

    auto* first = new QGroupBox("Input", this);
    axis1_ = BuildAxis(1, first);
    inputsColumn->addWidget(first);
    useSecond_ = new QCheckBox("Second input (colour map)", this);
    useSecond_->setObjectName("DesignSpaceUseSecond");
    inputsColumn->addWidget(useSecond_);
    auto* second = new QGroupBox("Second input", this);
    axis2_ = BuildAxis(2, second);
    inputsColumn->addWidget(second);
    inputsColumn->addStretch(1);

    auto* outputsLabel = new QLabel("O&utputs:", this);
    outputsColumn->addWidget(outputsLabel);
    outputs_ = new QListWidget(this);
    outputsLabel->setBuddy(outputs_);
    outputs_->setObjectName("DesignSpaceOutputs");
    mapOutput_ = new QComboBox(this);
    mapOutput_->setObjectName("DesignSpaceMapOutput");
    for (std::size_t i = 0; i < kIdealOutputCount; ++i) {
        const DesignOutputColumn& column = kDesignOutputColumns[i];
        auto* item = new QListWidgetItem(column.caption, outputs_);
        const bool chosen = column.output == DesignOutput::SchmidtPower ||
                            column.output == DesignOutput::IndicatedPower;
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
        mapOutput_->addItem(column.caption);
    }
    mapOutput_->setCurrentIndex(static_cast<int>(DesignOutput::IndicatedPower));
    outputsColumn->addWidget(outputs_, 1);
    auto* mapRow = new QHBoxLayout;
    auto* mapLabel = new QLabel("&Map shows:", this);
    mapLabel->setBuddy(mapOutput_);
    mapRow->addWidget(mapLabel);
    mapRow->addWidget(mapOutput_, 1);
    outputsColumn->addLayout(mapRow);
    source_ = new QLabel(this);
    source_->setObjectName("DesignSpaceSource");
    source_->setWordWrap(true);
    outputsColumn->addWidget(source_);
    connect(mapOutput_, &QComboBox::currentIndexChanged, this, [this] { ShowSources(); });

    auto* buttons = new QHBoxLayout;
    start_ = new QPushButton("Start", this);
    start_->setObjectName("DesignSpaceStart");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("DesignSpaceCancel");
    cancel_->setEnabled(false);
    export_ = new QPushButton("Export CSV...", this);
    export_->setObjectName("DesignSpaceExport");
    export_->setEnabled(false);
    for (QPushButton* button : {start_, cancel_, export_}) buttons->addWidget(button);
    side->addLayout(buttons);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("DesignSpaceProgress");
    progress_->setFormat("%v of %m designs");
    side->addWidget(progress_);
    problem_ = new QLabel(this);
    problem_->setObjectName("DesignSpaceProblem");
    problem_->setStyleSheet("color: #a00000");
    side->addWidget(problem_);
    stale_ = new QLabel(this);
    stale_->setObjectName("DesignSpaceStale");
    stale_->setStyleSheet("color: #a00000; font-weight: bold");
    stale_->setWordWrap(true);
    side->addWidget(stale_);
    readout_ = new QLabel(this);
    readout_->setObjectName("DesignSpaceReadout");
    readout_->setWordWrap(true);
    readout_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    readout_->setFixedHeight(readout_->fontMetrics().lineSpacing() * 5 + 6);

    auto* right = new QVBoxLayout;
    plots_ = new QStackedWidget(this);
    chart_ = new QChartView(new QChart, plots_);
    chart_->setObjectName("DesignSpaceChart");
    chart_->setRenderHint(QPainter::Antialiasing);
    map_ = new DesignSpaceMap(plots_);
    map_->setObjectName("DesignSpaceMap");
    plots_->addWidget(chart_);
    plots_->addWidget(map_);
    right->addWidget(plots_, 1);
    right->addWidget(readout_);
    layout->addLayout(right, 1);
    // Hover and click anywhere in the line chart's plot area, not only on a curve.
    chart_->setMouseTracking(true);
    chart_->viewport()->setMouseTracking(true);
    chart_->viewport()->installEventFilter(this);

    axis1_.input->setCurrentIndex(2);   // Displacer.Mass
    axis2_.input->setCurrentIndex(12);  // Engine.Speed
    FillRange(axis1_);
    FillRange(axis2_);
    axis2_.points->setText("41");
    axis1_.points->setText("41");

    connect(useSecond_, &QCheckBox::toggled, this, [this, second] {
        second->setEnabled(useSecond_->isChecked());
        Validate();
    });
    second->setEnabled(false);
    connect(start_, &QPushButton::clicked, this, &DesignSpaceWindow::Start);
    connect(cancel_, &QPushButton::clicked, this, &DesignSpaceWindow::Cancel);
    connect(export_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, "Export CSV", "design-space.csv",
                                                          "CSV files (*.csv)");
        if (!path.isEmpty()) ExportCsv(path);
    });
    connect(outputs_, &QListWidget::itemChanged, this, [this] { Validate(); });
    connect(mapOutput_, &QComboBox::currentIndexChanged, this, [this] { ShowRows(); });
    connect(map_, &DesignSpaceMap::CellHovered, this, [this](int cell) {
        NoteMainDesign();
        readout_->setText(DesignText(static_cast<std::size_t>(cell)));
    });
    connect(map_, &DesignSpaceMap::CellClicked, this,
            [this](int cell) { LoadDesign(static_cast<std::size_t>(cell)); });
    task_ = new BackgroundTask(this);
    connect(task_, &BackgroundTask::Progressed, this, [this](qulonglong done, qulonglong) {
        progress_->setValue(static_cast<int>(done));
        ShowRows();
    });
    connect(task_, &BackgroundTask::Finished, this, &DesignSpaceWindow::Finished);
    // Every finished edit, undo, load or applied design of the main window is a step there.
    connect(form_.UndoStack(), &QUndoStack::indexChanged, this, [this] {
        NoteMainDesign();
        ShowRows();
    });
    resize(980, 620);
    AddUserGuideKey(form_, this, "design-space");
    Validate();
    ShowSources();
}

DesignSpaceWindow::~DesignSpaceWindow() {
    // The task cancels and waits for its run before the run's rows go.
    delete task_;
    task_ = nullptr;
}

bool DesignSpaceWindow::Running() const {
    return task_ != nullptr && task_->Running();
}

void DesignSpaceWindow::closeEvent(QCloseEvent* event) {
    Cancel();
    QWidget::closeEvent(event);
}

DesignSpaceWindow::AxisFields DesignSpaceWindow::BuildAxis(int number, QWidget* parent) {
    const QString n = QString::number(number);
    AxisFields f{new QComboBox(parent), new QLineEdit(parent), new QLineEdit(parent),
                 new QLineEdit(parent), new QCheckBox("Logarithmic", parent)};
    f.input->setObjectName("DesignSpaceInput" + n);
    f.from->setObjectName("DesignSpaceFrom" + n);
    f.to->setObjectName("DesignSpaceTo" + n);
    f.points->setObjectName("DesignSpacePoints" + n);
    f.log->setObjectName("DesignSpaceLog" + n);
    for (const SweepInput& input : kSweepInputs) f.input->addItem(input.name, input.key);
    auto* form = new QFormLayout(parent);
    form->setVerticalSpacing(3);
    form->addRow("Input:", f.input);
    form->addRow("From:", f.from);
    form->addRow("To:", f.to);
    // Points and the scale share a row: the panel fits a window 550 pixels high.
    auto* pointsRow = new QHBoxLayout;
    pointsRow->addWidget(f.points, 1);
    pointsRow->addWidget(f.log);
    form->addRow("Points:", pointsRow);
    connect(f.input, &QComboBox::currentIndexChanged, this, [this, f] {
        FillRange(f);
        Validate();
    });
    for (QLineEdit* field : {f.from, f.to, f.points})
        connect(field, &QLineEdit::textChanged, this, [this] { Validate(); });
    connect(f.log, &QCheckBox::toggled, this, [this] { Validate(); });
    return f;
}

void DesignSpaceWindow::FillRange(const AxisFields& fields) {
    // Half to one and a half times the value on the Design Parameters page, in its unit.
    const auto index = static_cast<std::size_t>(std::max(fields.input->currentIndex(), 0));
    const std::optional<double> value =
        index < kSweepInputs.size()
            ? FieldNumber(form_.Ui().InputOf(*kSweepInputs[index].input).edit->text())
            : std::nullopt;
    const double base = value && *value != 0 ? *value : 1;
    fields.from->setText(QString::number(base * 0.5, 'g', 6));
    fields.to->setText(QString::number(base * 1.5, 'g', 6));
}

std::optional<SweepAxis> DesignSpaceWindow::ReadAxis(const AxisFields& fields, bool mark) {
    SweepAxis axis;
    axis.input = &kSweepInputs[static_cast<std::size_t>(std::max(fields.input->currentIndex(), 0))];
    const std::optional<double> from = FieldNumber(fields.from->text());
    const std::optional<double> to = FieldNumber(fields.to->text());
    bool whole = false;
    const int points = fields.points->text().trimmed().toInt(&whole);
    axis.from = from.value_or(0);
    axis.to = to.value_or(0);
    axis.points = whole ? points : 0;
    axis.log = fields.log->isChecked();
    const bool logProblem =
        axis.log && (axis.from == 0 || axis.to == 0 || (axis.from < 0) != (axis.to < 0));
    if (mark) {
        Mark(fields.from, !from        ? "not a number"
                          : logProblem ? "a logarithmic range must not touch 0"
                                       : "");
        Mark(fields.to, !to          ? "not a number"
                        : logProblem ? "a logarithmic range must not touch 0"
                                     : "");
        Mark(fields.points, whole && points >= 1 && points <= kMaxSweepDesigns
                                ? ""
                                : "a whole number from 1 to 1000000");
    }
    if (!from || !to || !whole || !AxisProblem(axis).empty()) return std::nullopt;
    return axis;
}

void DesignSpaceWindow::Validate() {
    const std::optional<SweepAxis> first = ReadAxis(axis1_, true);
    std::optional<SweepAxis> second;
    if (useSecond_->isChecked()) {
        second = ReadAxis(axis2_, true);
    } else {
        for (QLineEdit* field : {axis2_.from, axis2_.to, axis2_.points}) Mark(field, "");
    }
    QString problem;
    if (!first || (useSecond_->isChecked() && !second)) {
        problem = "Correct the marked fields.";
    } else {
        std::vector<SweepAxis> axes{*first};
        if (second) axes.push_back(*second);
        problem = QString::fromStdString(AxesProblem(axes));
    }
    if (problem.isEmpty() && ChosenOutputs().empty() && !useSecond_->isChecked())
        problem = "Choose at least one output.";
    problem_->setText(problem);
    start_->setEnabled(problem.isEmpty() && !Running());
}

std::vector<DesignOutput> DesignSpaceWindow::ChosenOutputs() const {
    std::vector<DesignOutput> chosen;
    for (int i = 0; i < outputs_->count(); ++i)
        if (outputs_->item(i)->checkState() == Qt::Checked)
            chosen.push_back(kDesignOutputColumns[static_cast<std::size_t>(i)].output);
    return chosen;
}

DesignOutput DesignSpaceWindow::MapOutput() const {
    return kDesignOutputColumns[static_cast<std::size_t>(std::max(mapOutput_->currentIndex(), 0))]
        .output;
}

void DesignSpaceWindow::Start() {
    if (Running()) return;
    Validate();
    if (!start_->isEnabled()) return;
    SweepPlan plan;
    // The design as it stands now; later edits in the main window do not reach this run.
    const ControlState form = form_.Session().Controls();
    plan.base = EnterDesign(form);
    plan.numbers = form.outputs.numbers;
    plan.axes.push_back(*ReadAxis(axis1_, false));
    if (useSecond_->isChecked()) plan.axes.push_back(*ReadAxis(axis2_, false));
    runOutputs_ = ChosenOutputs();
    if (useSecond_->isChecked() &&
        std::find(runOutputs_.begin(), runOutputs_.end(), MapOutput()) == runOutputs_.end())
        runOutputs_.push_back(MapOutput());
    for (const DesignOutput output : runOutputs_) AskForOutput(plan.options, output);

    axisTitles_.clear();
    for (const SweepAxis& axis : plan.axes) {
        const QComboBox* units = form_.Ui().InputOf(*axis.input->input).units;
        const QString unit = units->itemText(InputField(form, *axis.input->input).units);
        axisTitles_ << (unit.isEmpty() ? QString(axis.input->name)
                                       : QString("%1 (%2)").arg(axis.input->name, unit));
    }
    try {
        run_ = std::make_shared<SweepRun>(std::move(plan));
        runForm_ = form;
    } catch (const std::exception& e) {
        // The rows of a large map are made here; without the memory for them nothing runs.
        run_.reset();
        problem_->setText(QString("The map cannot start: %1").arg(e.what()));
        return;
    }
    progress_->setRange(0, static_cast<int>(run_->DesignCount()));
    progress_->setValue(0);
    start_->setEnabled(false);
    cancel_->setEnabled(true);
    export_->setEnabled(false);
    readout_->clear();
    problem_->clear();
    stale_->clear();
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    task_->Start(std::shared_ptr<WorkProgress>(run_, &run_->Progress()),
                 [run = run_, threads] { run->Run(threads); });
    ShowRows();
}

void DesignSpaceWindow::Cancel() {
    task_->Cancel();
}

void DesignSpaceWindow::Finished() {
    progress_->setValue(static_cast<int>(run_->Completed()));
    cancel_->setEnabled(false);
    export_->setEnabled(run_->Completed() > 0);
    ShowRows();
    Validate();
    // Set after Validate, which shows the fields' problems in the same place.
    if (const QString failure = task_->Failure(); !failure.isEmpty())
        problem_->setText("The run stopped: " + failure);
    emit RunFinished();
}

void DesignSpaceWindow::ShowRows() {
    if (!run_) return;
    if (run_->Plan().axes.size() == 2) {
        plots_->setCurrentWidget(map_);
        ShowMap();
    } else {
        plots_->setCurrentWidget(chart_);
        ShowLineChart();
    }
}

}  // namespace velmora
