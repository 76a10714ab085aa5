// The design-space window's line chart, colour map, readout, design loading and CSV export.
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QValueAxis>
#include <cmath>
#include <sstream>

#include "designspace/rounded_text.h"
#include "designspace/sweep_csv.h"
#include "ui/commands/input_steps.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/tools/design_space_map.h"
#include "ui/tools/design_space_window.h"

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
                                              run_->Plan().base.outputs.numbers.decimalSeparator));
}

QString DesignSpaceWindow::DesignText(std::size_t k) const {
    if (!run_ || k >= run_->DesignCount()) return {};
    const SweepPlan& plan = run_->Plan();
    const SweepRow& row = run_->Row(k);
    QStringList lines;
    for (std::size_t a = 0; a < plan.axes.size(); ++a)
        lines << QString("%1 = %2").arg(axisTitles_.value(static_cast<int>(a)), ValueText(k, a));
    if (!run_->IsDone(k)) {
        lines << "(not evaluated)";
        return lines.join('\n');
    }
    for (const DesignOutput output : runOutputs_) {
        const std::optional<double>& value = row.result[output];
        lines << QString("%1: %2").arg(
            OutputColumn(output).caption,
            value ? QString::fromStdString(RoundedText(*value, 4)) : "-");
    }
    if (WillNotRun(row.result)) lines << "Will not run: Beta below 1";
    if (row.result.Overdriven().value_or(false))
        lines << "Overdriven: engine speed above Omega Bar";
    lines << (DesignChanged() ? "Click to use the map's design with these values."
                              : "Click to use this design.");
    return lines.join('\n');
}

std::optional<double> DesignSpaceWindow::MarkerValue(std::size_t a) const {
    if (!run_ || a >= run_->Plan().axes.size()) return std::nullopt;
    const SweepPlan& plan = run_->Plan();
    const InputControl& now = form_.Session().Controls().*plan.axes[a].input->control;
    if (now.units != (plan.base.*plan.axes[a].input->control).units) return std::nullopt;
    return TypedValue(now.text);
}

bool DesignSpaceWindow::DesignChanged() const {
    if (!run_) return false;
    const SweepPlan& plan = run_->Plan();
    ControlState now = form_.Session().Controls();
    for (const SweepAxis& axis : plan.axes)
        (now.*axis.input->control).text = (plan.base.*axis.input->control).text;
    // The design page's fields are notes for the design steps, not inputs of the engine.
    now.EditStep3PistonDiam = plan.base.EditStep3PistonDiam;
    now.EditStep3PistonStroke = plan.base.EditStep3PistonStroke;
    now.EditStep5DispDiam = plan.base.EditStep5DispDiam;
    now.EditStep5DispStroke = plan.base.EditStep5DispStroke;
    return !SameInputs(now, plan.base);
}

void DesignSpaceWindow::NoteMainDesign() {
    stale_->setText(DesignChanged() ? "Design changed since this map: re-run" : QString());
}

void DesignSpaceWindow::LoadDesign(std::size_t k) {
    if (!run_ || k >= run_->DesignCount()) return;
    // The whole design the map was computed from, so that the main window runs what the map
    // showed even after edits there; only the design page's notes stay as they are.
    const SweepPlan& plan = run_->Plan();
    const ControlState& now = form_.Session().Controls();
    ControlState inputs = plan.base;
    inputs.EditStep3PistonDiam = now.EditStep3PistonDiam;
    inputs.EditStep3PistonStroke = now.EditStep3PistonStroke;
    inputs.EditStep5DispDiam = now.EditStep5DispDiam;
    inputs.EditStep5DispStroke = now.EditStep5DispStroke;
    QStringList what;
    for (std::size_t a = 0; a < plan.axes.size(); ++a) {
        const QString value = ValueText(k, a);
        (inputs.*plan.axes[a].input->control).text = value.toStdString();
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

void DesignSpaceWindow::ShowLineChart() {
    const SweepPlan& plan = run_->Plan();
    const SweepAxis& axis = plan.axes.front();
    QChart* chart = chart_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* old : chart->axes()) {
        chart->removeAxis(old);
        delete old;
    }
    chart->setTitle(QString("Outputs against %1").arg(axis.input->name));
    QAbstractAxis* xAxis = MakeAxis(axis.log && axis.from > 0, axisTitles_.value(0));
    chart->addAxis(xAxis, Qt::AlignBottom);

    std::size_t shown = 0;
    double firstLow = 0;
    double firstHigh = 0;
    for (const DesignOutput output : runOutputs_) {
        if (shown == kMaxChartOutputs) break;
        auto* series = new QLineSeries;
        series->setName(OutputColumn(output).caption);
        double low = 0;
        double high = 0;
        bool any = false;
        for (std::size_t k = 0; k < run_->DesignCount(); ++k) {
            if (!run_->IsDone(k)) continue;
            const std::optional<double>& value = run_->Row(k).result[output];
            if (!value) continue;
            series->append(run_->Row(k).values.front(), *value);
            low = any ? std::min(low, *value) : *value;
            high = any ? std::max(high, *value) : *value;
            any = true;
        }
        chart->addSeries(series);
        auto* yAxis = new QValueAxis;
        yAxis->setLabelFormat("%g");
        yAxis->setTitleText(OutputColumn(output).caption);
        if (any && high > low)
            yAxis->setRange(low - 0.05 * (high - low), high + 0.05 * (high - low));
        chart->addAxis(yAxis, shown % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
        yAxis->setLinePenColor(series->pen().color());
        yAxis->setLabelsColor(series->pen().color());
        if (shown == 0) {
            firstLow = yAxis->min();
            firstHigh = yAxis->max();
        }
        connect(series, &QLineSeries::hovered, this, [this](const QPointF& point, bool state) {
            if (!state || !run_) return;
            std::size_t nearest = 0;
            double best = INFINITY;
            for (std::size_t k = 0; k < run_->DesignCount(); ++k) {
                const double d = std::fabs(run_->Row(k).values.front() - point.x());
                if (d < best) {
                    best = d;
                    nearest = k;
                }
            }
            readout_->setText(DesignText(nearest));
        });
        connect(series, &QLineSeries::clicked, this, [this](const QPointF& point) {
            std::size_t nearest = 0;
            double best = INFINITY;
            for (std::size_t k = 0; k < run_->DesignCount(); ++k) {
                const double d = std::fabs(run_->Row(k).values.front() - point.x());
                if (d < best) {
                    best = d;
                    nearest = k;
                }
            }
            LoadDesign(nearest);
        });
        ++shown;
    }
    // The current design: a vertical line at its value.
    if (const std::optional<double> base = MarkerValue(0); base && shown > 0) {
        auto* marker = new QLineSeries;
        marker->setObjectName("DesignSpaceMarker");
        marker->setName("Current design");
        marker->setPen(QPen(Qt::red, 1, Qt::DashLine));
        marker->append(*base, firstLow);
        marker->append(*base, firstHigh);
        chart->addSeries(marker);
        marker->attachAxis(xAxis);
        marker->attachAxis(chart->axes(Qt::Vertical).front());
    }
    if (auto* values = qobject_cast<QValueAxis*>(xAxis))
        values->setRange(std::min(axis.from, axis.to), std::max(axis.from, axis.to));
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
    for (std::size_t k = 0; k < run_->DesignCount(); ++k) {
        if (!run_->IsDone(k)) continue;
        data.values[k] = run_->Row(k).result[MapOutput()];
        data.overdriven[k] = run_->Row(k).result.Overdriven().value_or(false);
    }
    data.markerX = MarkerValue(0);
    data.markerY = MarkerValue(1);
    map_->SetData(std::move(data));
}

void AddDesignSpaceMenu(TForm1& form, QMenuBar* bar) {
    auto* tools = bar->findChild<QMenu*>("Tools1");
    if (tools == nullptr) {
        tools = bar->addMenu("Tools");
        tools->setObjectName("Tools1");
    }
    QAction* action = tools->addAction("Design Space...");
    action->setObjectName("DesignSpace1");
    QObject::connect(action, &QAction::triggered, &form, [&form] {
        auto* window = form.findChild<DesignSpaceWindow*>("DesignSpaceWindow");
        if (window == nullptr) window = new DesignSpaceWindow(form, &form);
        window->show();
        window->raise();
        window->activateWindow();
    });
}

}  // namespace velmora
