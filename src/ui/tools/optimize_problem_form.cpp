#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "form/design_form.h"
#include "form/input_controls.h"
#include "model/scoped_flag.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/tools/optimize_fields.h"
#include "ui/tools/optimize_window.h"

// The Optimize window's problem as its fields state it: filled from the main window's design,
// read back and checked.
namespace velmora {

using namespace optimize_fields;

void OptimizeWindow::FillInputs() {
    // Half to one and a half times the value on the Design Parameters page, in its unit.
    ScopedFlag filling(filling_);
    const EnteredDesign base = EnterDesign(form_.Session().Controls());
    for (std::size_t i = 0; i < kSweepInputs.size(); ++i) {
        const SweepInput& input = kSweepInputs[i];
        const int row = static_cast<int>(i);
        QString name = input.name;
        const QString unit = form_.Ui().InputOf(*input.input).units->currentText();
        if (!unit.isEmpty()) name += " (" + unit + ")";
        auto* vary = inputs_->item(row, kVaryColumn);
        if (vary == nullptr) {
            vary = new QTableWidgetItem;
            vary->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            vary->setCheckState(input.input->variedFirst ? Qt::Checked : Qt::Unchecked);
            inputs_->setItem(row, kVaryColumn, vary);
        }
        vary->setText(name);
        const std::optional<Variable> bounds = DefaultVariable(base, input);
        inputs_->setItem(row, kFromColumn,
                         new QTableWidgetItem(bounds ? BoundText(bounds->from) : ""));
        inputs_->setItem(row, kToColumn, new QTableWidgetItem(bounds ? BoundText(bounds->to) : ""));
    }
    inputs_->resizeColumnsToContents();
}

OptimizeProblem OptimizeWindow::ReadProblem(const ControlState& form, bool mark, QString& problem) {
    OptimizeProblem p;
    p.base = EnterDesign(form);
    p.numbers = form.outputs.numbers;
    p.enteredTexts = EnteredTexts(form);
    p.objective =
        kObjectives[static_cast<std::size_t>(std::max(objective_->currentIndex(), 0))].objective;
    bool marked = false;
    for (std::size_t i = 0; i < kConstraints.size(); ++i) {
        const ConstraintFields& f = constraints_[i];
        const std::optional<double> margin = FieldNumber(f.margin->text());
        const Constraint constraint{kConstraints[i].kind, margin.value_or(0)};
        QString why;
        if (f.on->isChecked()) {
            why = margin ? QString::fromStdString(ConstraintProblem(constraint))
                         : QString("not a number");
            p.constraints.push_back(constraint);
        }
        if (mark) Mark(f.margin, why);
        marked = marked || !why.isEmpty();
    }
    {
        ScopedFlag filling(filling_);  // the marks are no edits
        for (std::size_t i = 0; i < kSweepInputs.size(); ++i) {
            const int row = static_cast<int>(i);
            QTableWidgetItem* from = inputs_->item(row, kFromColumn);
            QTableWidgetItem* to = inputs_->item(row, kToColumn);
            QString why;
            if (inputs_->item(row, kVaryColumn)->checkState() == Qt::Checked) {
                const std::optional<double> low = FieldNumber(from->text());
                const std::optional<double> high = FieldNumber(to->text());
                const Variable variable{&kSweepInputs[i], low.value_or(0), high.value_or(0)};
                why = !low || !high ? "FROM and TO must be numbers"
                                    : QString::fromStdString(VariableProblem(variable, p.base));
                p.variables.push_back(variable);
            }
            if (mark) {
                Mark(from, why);
                Mark(to, why);
            }
            marked = marked || !why.isEmpty();
        }
    }
    bool whole = false;
    p.maxEvaluations = budget_->text().trimmed().toInt(&whole);
    if (!whole) p.maxEvaluations = 0;
    const bool budgetOk = p.maxEvaluations >= 1;
    if (mark) Mark(budget_, budgetOk ? "" : "a whole number of at least 1");
    problem = marked || !budgetOk ? "Correct the marked fields."
                                  : QString::fromStdString(ProblemError(p));
    if (problem.startsWith("no input")) problem = "Check at least one input to vary.";
    return p;
}

void OptimizeWindow::Validate() {
    if (start_ == nullptr) return;  // still being built
    QString problem;
    ReadProblem(form_.Session().Controls(), true, problem);
    problem_->setText(problem);
    start_->setEnabled(problem.isEmpty() && !Running());
}

}  // namespace velmora
