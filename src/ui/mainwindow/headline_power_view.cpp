#include "ui/mainwindow/headline_power_view.h"

#include <QLabel>
#include <QStatusBar>
#include <cmath>

#include "form/design_form.h"
#include "report/number_text.h"
#include "ui/mainwindow/main_window.h"
#include "ui/tools/background_task.h"

namespace velmora {

namespace {

// Below this a design's power is the rounding of a design that does not run.
constexpr double kRunningPowerW = 1e-3;

QString PowerText(std::optional<double> power, const NumberSettings& numbers) {
    if (!power || !std::isfinite(*power) || std::fabs(*power) < kRunningPowerW)
        return "- (not running)";
    return QString::fromStdString(FormatNumber(*power, numbers)) + " W";
}

// The power to build by: the brake power where the design gives losses, else the shaft power.
std::optional<double> BuildPower(const HeadlinePower& h) {
    if (h.lossesGiven) return h.brakePower;
    if (!h.accurate) return std::nullopt;
    return h.accurate->shaftPower;
}

QString PercentText(double fraction, const NumberSettings& numbers) {
    return QString::fromStdString(FormatNumber(std::round(fraction * 1000) / 10, numbers)) + "%";
}

}  // namespace

struct HeadlinePowerView::Job {
    ControlState controls;
    SimulationState recorded;  // the computation's one-degree run
    HeadlinePower headline;
};

HeadlinePowerView::HeadlinePowerView(TForm1& form) : QObject(&form), form_(form) {
    setObjectName("HeadlinePowerView");
    headline_ = new QLabel(&form);
    headline_->setObjectName("HeadlinePower");
    headline_->setToolTip(
        "The power to build by: the accurate (error-controlled) model at engine speed, its brake "
        "power where the design gives losses (Tools > Losses, Gas and Load). The report's "
        "Schmidt and PV powers are the specified estimates.");
    note_ = new QLabel(&form);
    note_->setObjectName("HeadlineNote");
    note_->setStyleSheet("color: #a00000");
    form.statusBar()->addWidget(headline_);
    form.statusBar()->addWidget(note_, 1);
    form.statusBar()->setSizeGripEnabled(false);
    task_ = new BackgroundTask(this);
    connect(task_, &BackgroundTask::Finished, this, &HeadlinePowerView::Finished);
    connect(&form, &TForm1::ComputeApplied, this, &HeadlinePowerView::Recompute);
}

HeadlinePowerView::~HeadlinePowerView() {
    delete task_;  // waits for a run under way before the job goes
    task_ = nullptr;
}

void HeadlinePowerView::Recompute() {
    if (task_ == nullptr) return;
    if (task_->Running()) {
        again_ = true;
        return;
    }
    again_ = false;
    auto job = std::make_shared<Job>();
    job->controls = form_.Session().Controls();
    job->recorded = form_.Session().Sim;
    job_ = job;
    task_->Start(std::make_shared<WorkProgress>(), [job] {
        job->headline = HeadlinePowerOfRun(ReadDesign(job->controls).design, job->recorded);
    });
}

void HeadlinePowerView::Finished() {
    if (again_) {
        Recompute();
        return;
    }
    if (!job_) return;
    const NumberSettings& numbers = form_.Session().State.outputs.numbers;
    HeadlinePower shown = task_->Failure().isEmpty() ? job_->headline : HeadlinePower{};
    headline_->setText(HeadlineText(shown, numbers));
    note_->setText(NoteText(shown, numbers));
    emit Shown();
}

QString HeadlinePowerView::HeadlineText(const HeadlinePower& h, const NumberSettings& numbers) {
    if (h.lossesGiven)
        return "Brake power (accurate model with losses): " + PowerText(h.brakePower, numbers);
    return "Shaft power (accurate model): " + PowerText(BuildPower(h), numbers);
}

QString HeadlinePowerView::NoteText(const HeadlinePower& h, const NumberSettings& numbers) {
    if (!h.Unreliable()) return {};
    QStringList why;
    if (h.breaksSecondLaw)
        why << "its cycle breaks the second law by " +
                   PercentText(h.stepped->entropyResidual, numbers);
    if (h.beyondCarnot) why << "its efficiency exceeds Carnot's";
    if (h.workDiffers && h.accurate && h.accurate->shaftWork != 0)
        why << "its shaft power is " +
                   PercentText(std::fabs(h.stepped->shaftWork / h.accurate->shaftWork - 1),
                               numbers) +
                   " off";
    return "One-degree figures unreliable here (" + why.join("; ") + "): build by " +
           PowerText(BuildPower(h), numbers) + ".";
}

}  // namespace velmora
