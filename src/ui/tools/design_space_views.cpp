// The design-space window's line chart, colour map, readout, design loading and CSV export.
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QLogValueAxis>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSaveFile>
#include <QValueAxis>
#include <cmath>
#include <sstream>

#include "designspace/figure_sources_csv.h"
#include "designspace/rounded_text.h"
#include "designspace/sweep_csv.h"
#include "form/input_controls.h"
#include "simulation/figure_source.h"
#include "ui/charts/chart_copier.h"
#include "ui/charts/chart_panel.h"
#include "ui/commands/input_steps.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/tools/design_space_map.h"
#include "ui/tools/design_space_window.h"
#include "ui/widgets/shown_numbers.h"
#include "ui/widgets/tools_menu.h"

namespace velmora {

namespace {

constexpr std::size_t kMaxChartOutputs = 4;

std::optional<double> TypedValue(const std::string& text) {
    std::string plain = text;
    for (char& c : plain)
        if (c == ',') c = '.';
    const std::size_t first = plain.find_first_not_of(' ');
    const std::size_t last = plain.find_last_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    return ParseRangeNumber(std::string_view(plain).substr(first, last - first + 1));
}

// A design that will not run: Beta (Beta S with a spring) below 1.
bool WillNotRun(const DesignResult& result) {
    const std::optional<double>& beta =
        result[DesignOutput::BetaS] ? result[DesignOutput::BetaS] : result[DesignOutput::Beta];
    return beta && *beta < 1;
}

QAbstractAxis* MakeAxis(bool log, const QString& title) {
    QAbstractAxis* axis = nullptr;
    if (log) {
        auto* logAxis = new QLogValueAxis;
        logAxis->setLabelFormat("%g");
        logAxis->setMinorTickCount(-1);
        axis = logAxis;
    } else {
        auto* valueAxis = new QValueAxis;
        valueAxis->setLabelFormat("%g");
        axis = valueAxis;
    }
    axis->setTitleText(title);
    return axis;
}

}  // namespace

QString DesignSpaceWindow::ValueText(std::size_t k, std::size_t a) const {
    if (!run_ || k >= run_->DesignCount() || a >= run_->Plan().axes.size()) return {};
    const std::vector<double>& axis = run_->AxisValueLists()[a];
    const std::size_t i = run_->Row(k).index[a];
    // The nearest neighbour on the axis sets how many digits the value needs.
    double resolution = 0;
    for (const std::size_t n : {i - 1, i + 1}) {
        if (n >= axis.size()) continue;  // i - 1 wraps round at 0
        const double d = std::fabs(axis[n] - axis[i]);
        resolution = resolution == 0 ? d : std::min(resolution, d);
    }
    const double value = run_->Row(k).values[a];
    return QString::fromStdString(RoundedText(value, SignificantDigitsFor(value, resolution),
                                              runForm_.outputs.numbers.decimalSeparator));
}

QString DesignSpaceWindow::DesignText(std::size_t k) const {
    if (!run_ || k >= run_->DesignCount()) return {};
    const SweepPlan& plan = run_->Plan();
    const SweepRow& row = run_->Row(k);
    // Compact: the readout has a fixed height, so that the window never changes its size.
    QStringList inputs;
    for (std::size_t a = 0; a < plan.axes.size(); ++a)
        inputs << QString("%1 = %2").arg(axisTitles_.value(static_cast<int>(a)), ValueText(k, a));
    if (!run_->IsDone(k)) return inputs.join(", ") + "\n(not evaluated)";
    QStringList outputs;
    for (const DesignOutput output : runOutputs_) {
        const std::optional<double>& value = row.result[output];
        outputs << QString("%1: %2").arg(
            OutputColumn(output).caption,
            value ? GroupedNumber(RoundedText(*value, 4), form_.Session().State.outputs.numbers)
                  : "-");
    }
    QStringList notes;
    if (WillNotRun(row.result)) notes << "Will not run: Beta below 1.";
    if (row.result.Overdriven().value_or(false))
        notes << "Overdriven: engine speed above Omega Bar.";
    notes << (DesignChanged() ? "Click to use the map's design with these values."
                              : "Click to use this design.");
    return inputs.join(", ") + "\n" + outputs.join("; ") + "\n" + notes.join(" ");
}

std::optional<double> DesignSpaceWindow::MarkerValue(std::size_t a) const {
    if (!run_ || a >= run_->Plan().axes.size()) return std::nullopt;
    const DesignInput& input = *run_->Plan().axes[a].input->input;
    const InputControl& now = InputField(form_.Session().Controls(), input);
    if (now.units != InputField(runForm_, input).units) return std::nullopt;
    return TypedValue(now.text);
}

bool DesignSpaceWindow::DesignChanged() const {
    if (!run_) return false;
    const ControlState& base = runForm_;
    ControlState now = form_.Session().Controls();
    for (const SweepAxis& axis : run_->Plan().axes)
        InputField(now, *axis.input->input).text = InputField(base, *axis.input->input).text;
    // The design page's fields are notes for the design steps, not inputs of the engine.
    now.EditStep3PistonDiam = base.EditStep3PistonDiam;
    now.EditStep3PistonStroke = base.EditStep3PistonStroke;
    now.EditStep5DispDiam = base.EditStep5DispDiam;
    now.EditStep5DispStroke = base.EditStep5DispStroke;
    return !SameInputs(now, base);
}

// Which model each output comes from, for the design as it stands: in each output's tip and,
// for the map's output, in the line under the map choice.
void DesignSpaceWindow::ShowSources() {
    const IntegrationModel model = form_.Session().Controls().Integration;
    for (int i = 0; i < outputs_->count() && i < static_cast<int>(kDesignOutputColumns.size()); ++i)
        outputs_->item(i)->setToolTip("From the " + QString::fromStdString(SourceText(
                                                        kDesignOutputColumns[i].output, model)));
    const int shown = std::max(mapOutput_->currentIndex(), 0);
    source_->setText(
        QString("Map from the %1; energy figures from the %2 model.")
            .arg(QString::fromStdString(SourceText(kDesignOutputColumns[shown].output, model)),
                 NameOf(model).caption));
}

void DesignSpaceWindow::NoteMainDesign() {
    stale_->setText(DesignChanged() ? "Design changed since this map: re-run" : QString());
    ShowSources();
}

void DesignSpaceWindow::LoadDesign(std::size_t k) {
    if (!run_ || k >= run_->DesignCount()) return;
    // The whole design the map was computed from, so that the main window runs what the map
    // showed even after edits there; only the design page's notes stay as they are.
    const SweepPlan& plan = run_->Plan();
    const ControlState& now = form_.Session().Controls();
    ControlState inputs = runForm_;
    inputs.EditStep3PistonDiam = now.EditStep3PistonDiam;
    inputs.EditStep3PistonStroke = now.EditStep3PistonStroke;
    inputs.EditStep5DispDiam = now.EditStep5DispDiam;
    inputs.EditStep5DispStroke = now.EditStep5DispStroke;
    QStringList what;
    for (std::size_t a = 0; a < plan.axes.size(); ++a) {
        const QString value = ValueText(k, a);
        InputField(inputs, *plan.axes[a].input->input).text = value.toStdString();
        what << QString("%1 %2").arg(plan.axes[a].input->name, value);
    }
    form_.ApplyInputsAsOneStep(inputs, "Design Space: " + what.join(", "));
    NoteMainDesign();
    ShowRows();
}

bool DesignSpaceWindow::ExportCsv(const QString& path) {
    if (!run_) return false;
    std::ostringstream text;
    WriteSweepCsv(text, *run_, runOutputs_);
    // The window's table says which model each column comes from; the command line's stays
    // a bare table.
    WriteFigureSources(text, runOutputs_, run_->Plan().base.design.model);
    QSaveFile file(path);
    const std::string bytes = text.str();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        QMessageBox::warning(this, "Design Space", "Unable to write to " + path);
        return false;
    }
    return true;
}

std::size_t DesignSpaceWindow::NearestDesign(double x) const {
    std::size_t nearest = 0;
    double best = INFINITY;
    for (std::size_t k = 0; k < run_->DesignCount(); ++k) {
        const double d = std::fabs(run_->Row(k).values.front() - x);
        if (d < best) {
            best = d;
            nearest = k;
        }
    }
    return nearest;
}

bool DesignSpaceWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool move = event->type() == QEvent::MouseMove;
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched != chart_->viewport() || (!move && !press) || !run_ ||
        run_->Plan().axes.size() != 1)
        return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    QChart* chart = chart_->chart();
    const QPointF at = chart_->mapToScene(mouse->position().toPoint());
    QAbstractSeries* first = chart->series().value(0);
    // The readout offers a click only where a click takes a design: in the plot area.
    if (first == nullptr || !chart->plotArea().contains(chart->mapFromScene(at))) {
        if (move) readout_->setText("Point into the chart to read a design.");
        return QWidget::eventFilter(watched, event);
    }
    const std::size_t k = NearestDesign(chart->mapToValue(chart->mapFromScene(at), first).x());
    if (move) {
        NoteMainDesign();
        readout_->setText(DesignText(k));
    } else if (mouse->button() == Qt::LeftButton) {
        LoadDesign(k);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

namespace {

// The unit in an output's caption: "W" of "Schmidt power (W)", empty for none.
QString CaptionUnit(const QString& caption) {
    const qsizetype open = caption.lastIndexOf('(');
    return open >= 0 && caption.endsWith(')') ? caption.mid(open + 1, caption.size() - open - 2)
                                              : QString();
}

QString CaptionName(const QString& caption) {
    const qsizetype open = caption.lastIndexOf(" (");
    return open >= 0 && caption.endsWith(')') ? caption.left(open) : caption;
}

}  // namespace

void DesignSpaceWindow::ShowLineChart() {
    const SweepPlan& plan = run_->Plan();
    const SweepAxis& axis = plan.axes.front();
    QChart* chart = chart_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* old : chart->axes()) {
        chart->removeAxis(old);
        delete old;
    }
    chart->setLocalizeNumbers(true);
    chart->setLocale(ChartLocale());
    chart->setTitle(QString("Outputs against %1").arg(axis.input->name));
    const bool log = axis.log && axis.from > 0;
    QAbstractAxis* xAxis = MakeAxis(log, axisTitles_.value(0));
    if (auto* values = qobject_cast<QValueAxis*>(xAxis)) {
        // The swept range exactly, with the window's round ticks inside it.
        AxisScale scale = AutoScale(std::min(axis.from, axis.to), std::max(axis.from, axis.to));
        scale.min = std::min(axis.from, axis.to);
        scale.max = std::max(axis.from, axis.to);
        if (scale.max > scale.min) ApplyScale(values, scale);
    }
    chart->addAxis(xAxis, Qt::AlignBottom);

    // One axis per unit: outputs in the same unit share it, so their curves compare directly.
    std::vector<DesignOutput> shownOutputs(
        runOutputs_.begin(), runOutputs_.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                       kMaxChartOutputs, runOutputs_.size())));
    QStringList units;
    for (const DesignOutput output : shownOutputs) {
        const QString unit = CaptionUnit(OutputColumn(output).caption);
        if (!units.contains(unit)) units << unit;
    }
    QValueAxis* firstAxis = nullptr;
    for (qsizetype u = 0; u < units.size(); ++u) {
        QStringList names;
        std::vector<QLineSeries*> series;
        double low = INFINITY;
        double high = -INFINITY;
        for (const DesignOutput output : shownOutputs) {
            const QString caption = OutputColumn(output).caption;
            if (CaptionUnit(caption) != units[u]) continue;
            names << CaptionName(caption);
            auto* line = new QLineSeries;
            line->setName(caption);
            for (std::size_t k = 0; k < run_->DesignCount(); ++k) {
                if (!run_->IsDone(k)) continue;
                const std::optional<double>& value = run_->Row(k).result[output];
                if (!value || !std::isfinite(*value)) continue;
                line->append(run_->Row(k).values.front(), *value);
                low = std::min(low, *value);
                high = std::max(high, *value);
            }
            chart->addSeries(line);
            series.push_back(line);
        }
        auto* yAxis = new QValueAxis;
        yAxis->setTitleText(units[u].isEmpty()
                                ? names.join(", ")
                                : QString("%1 (%2)").arg(names.join(", "), units[u]));
        ApplyScale(yAxis, low <= high ? AutoScale(low, high) : AutoScale(0, 1));
        chart->addAxis(yAxis, u % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
        for (QLineSeries* line : series) {
            line->attachAxis(xAxis);
            line->attachAxis(yAxis);
        }
        if (series.size() == 1) {
            yAxis->setLinePenColor(series.front()->pen().color());
            yAxis->setLabelsColor(series.front()->pen().color());
        }
        if (firstAxis == nullptr) firstAxis = yAxis;
    }
    // The current design: a vertical line at its value.
    if (const std::optional<double> base = MarkerValue(0); base && firstAxis != nullptr) {
        auto* marker = new QLineSeries;
        marker->setObjectName("DesignSpaceMarker");
        marker->setName("Current design");
        marker->setPen(QPen(Qt::red, 1, Qt::DashLine));
        marker->append(*base, firstAxis->min());
        marker->append(*base, firstAxis->max());
        chart->addSeries(marker);
        marker->attachAxis(xAxis);
        marker->attachAxis(firstAxis);
    }
}

void DesignSpaceWindow::ShowMap() {
    DesignSpaceMap::Data data;
    data.x = run_->AxisValueLists()[0];
    data.y = run_->AxisValueLists()[1];
    data.xTitle = axisTitles_.value(0);
    data.yTitle = axisTitles_.value(1);
    data.valueTitle = OutputColumn(MapOutput()).caption;
    data.values.resize(run_->DesignCount());
    data.overdriven.resize(run_->DesignCount());
    data.willNotRun.resize(run_->DesignCount());
    for (std::size_t k = 0; k < run_->DesignCount(); ++k) {
        if (!run_->IsDone(k)) continue;
        data.values[k] = run_->Row(k).result[MapOutput()];
        data.overdriven[k] = run_->Row(k).result.Overdriven().value_or(false);
        data.willNotRun[k] = WillNotRun(run_->Row(k).result);
    }
    data.markerX = MarkerValue(0);
    data.markerY = MarkerValue(1);
    map_->SetData(std::move(data));
}

void AddDesignSpaceMenu(TForm1& form, QMenuBar* bar) {
    AddToolWindowAction<DesignSpaceWindow>(form, bar, "Design Space...", "DesignSpace1",
                                           "DesignSpaceWindow", [](DesignSpaceWindow&) {});
}

}  // namespace velmora
