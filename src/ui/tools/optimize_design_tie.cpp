// An optimized result belongs to the design it was computed from, as a design-space map does.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "form/input_controls.h"
#include "simulation/figure_source.h"
#include "ui/commands/input_steps.h"
#include "ui/mainwindow/main_window.h"
#include "ui/tools/optimize_window.h"

namespace velmora {

bool OptimizeWindow::DesignChanged() const {
    if (!run_) return false;
    const OptimizeProblem& p = run_->Problem();
    const ControlState& base = runForm_;
    ControlState now = form_.Session().Controls();
    // Apply changes the varied inputs' values: that is the result, not another design.
    for (const Variable& variable : p.variables)
        InputField(now, *variable.input->input).text =
            InputField(base, *variable.input->input).text;
    // The design page's fields are notes for the design steps, not inputs of the engine.
    now.EditStep3PistonDiam = base.EditStep3PistonDiam;
    now.EditStep3PistonStroke = base.EditStep3PistonStroke;
    now.EditStep5DispDiam = base.EditStep5DispDiam;
    now.EditStep5DispStroke = base.EditStep5DispStroke;
    return !SameInputs(now, base);
}

void OptimizeWindow::ShowSource() {
    const IntegrationModel model = form_.Session().Controls().Integration;
    const ObjectiveInfo& objective =
        kObjectives[static_cast<std::size_t>(std::max(objective_->currentIndex(), 0))];
    source_->setText(QString("From the %1; the design's model: %2.")
                         .arg(QString::fromStdString(SourceText(objective.output, model)),
                              NameOf(model).caption));
}

void OptimizeWindow::NoteMainDesign() {
    ShowSource();
    const bool changed = found_ && DesignChanged();
    stale_->setText(changed ? "Design changed since this result: start again to optimize it"
                            : QString());
    apply_->setEnabled(found_ && !changed && !Running());
}

}  // namespace velmora
