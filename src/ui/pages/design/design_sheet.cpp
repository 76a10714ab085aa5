#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/mainwindow/sheet_builders.h"
#include "ui/widgets/eliding_label.h"
#include "ui/widgets/fixed_pitch_font.h"

namespace velmora {

namespace {

// Gap between a step caption and its result label.
constexpr int kResultGap = 16;

// Long results end in "..." (the full text is the label's tooltip) instead of widening the
// window.
QLabel* MakeResultLabel(const char* name, QWidget* parent) {
    auto* label = new ElidingLabel(parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(9);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// A step caption followed by its result label (and whatever follows on the same line).
QHBoxLayout* StepRow(QLabel* step, QLabel* result) {
    auto* row = new QHBoxLayout;
    row->setSpacing(kResultGap);
    row->addWidget(step);
    if (result != nullptr) row->addWidget(result);
    return row;
}

// The second row of steps 3 and 5: diameter and stroke fields with their unit labels.
QHBoxLayout* PairRow(QLabel* diamCaption, QLineEdit* diam, QLabel* diamUnits, QLabel* strokeCaption,
                     QLineEdit* stroke, QLabel* strokeUnits, QPushButton* use) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addSpacing(40);
    row->addWidget(diamCaption);
    row->addWidget(diam);
    row->addWidget(diamUnits);
    row->addSpacing(16);
    row->addWidget(strokeCaption);
    row->addWidget(stroke);
    row->addWidget(strokeUnits);
    row->addSpacing(16);
    row->addWidget(use);
    row->addStretch(1);
    return row;
}

void BuildSteps(WindowControls& c, QWidget* panel) {
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(2);
    auto step = [&](QLabel*& label, const char* name, const QString& text) {
        label = MakeLabel(name, text, panel);
    };
    step(c.lStep1, "lStep1",
         "Step 1: Enter required Power, Hot Temperature, and Cold Temperature in Design "
         "Parameters Tab");
    step(c.lStep2, "lStep2",
         "Step 2: Enter Mean Engine Pressure and maximum Engine Speed in Design Paramters Tab");
    step(c.lStep3, "lStep3", "Step 3: Calculate required Piston Swept Volume");
    step(c.lStep4, "lStep4", "Step 4: Decide on Displacer Swept Volume");
    step(c.lStep5, "lStep5",
         "Step 5: Decide on Displacer Diameter, Stroke, and Mass and enter in Design "
         "Parameters Tab");
    step(c.lStep6, "lStep6", "Step 6: Calculate required Displacer Rod Area");
    step(c.lStep7, "lStep7", "Step 7: Calculate Phase Angle and Power Curve (see Graphs tab)");
    c.lStep1Results = MakeResultLabel("lStep1Results", panel);
    c.lStep2Results = MakeResultLabel("lStep2Results", panel);
    c.lStep3Results = MakeResultLabel("lStep3Results", panel);
    c.lStep4Results = MakeResultLabel("lStep4Results", panel);
    c.lStep5Results = MakeResultLabel("lStep5Results", panel);
    c.lStep6Results = MakeResultLabel("lStep6Results", panel);
    // The longest result (area, radius and diameter): on two lines where one is too narrow.
    c.lStep6Results->setWordWrap(true);

    c.EditStep3PistonDiam = MakeEdit("EditStep3PistonDiam", "", 75, panel);
    c.EditStep3PistonStroke = MakeEdit("EditStep3PistonStroke", "", 75, panel);
    c.lDesignPistonDiamUnits = MakeLabel("lDesignPistonDiamUnits", "len units", panel);
    c.lDesignPistonStrokeUnits = MakeLabel("lDesignPistonStrokeUnits", "len units", panel);
    c.UsePistonDiamStrokeButton = MakeButton("UsePistonDiamStrokeButton", "Use Diam/Stroke", panel);
    c.lStep5Diam = MakeLabel("lStep5Diam", "Diameter", panel);
    c.lStep5Stroke = MakeLabel("lStep5Stroke", "Full stroke", panel);
    c.EditStep5DispDiam = MakeEdit("EditStep5DispDiam", "", 75, panel);
    c.EditStep5DispStroke = MakeEdit("EditStep5DispStroke", "", 75, panel);
    c.lDesignDispDiamUnits = MakeLabel("lDesignDispDiamUnits", "len units", panel);
    c.lDesignDispStrokeUnits = MakeLabel("lDesignDispStrokeUnits", "len units", panel);
    c.UseDispDiamStrokeButton = MakeButton("UseDispDiamStrokeButton", "Use Diam/Stroke", panel);
    c.UseRodDiamButton = MakeButton("UseRodDiamButton", "Use Rod Diam", panel);

    auto finish = [](QHBoxLayout* row) {
        row->addStretch(1);
        return row;
    };
    column->addLayout(finish(StepRow(c.lStep1, c.lStep1Results)));
    column->addLayout(finish(StepRow(c.lStep2, c.lStep2Results)));
    column->addLayout(finish(StepRow(c.lStep3, c.lStep3Results)));
    column->addLayout(PairRow(MakeLabel(nullptr, "Diameter", panel), c.EditStep3PistonDiam,
                              c.lDesignPistonDiamUnits, MakeLabel(nullptr, "Full stroke", panel),
                              c.EditStep3PistonStroke, c.lDesignPistonStrokeUnits,
                              c.UsePistonDiamStrokeButton));
    column->addLayout(finish(StepRow(c.lStep4, c.lStep4Results)));
    column->addLayout(finish(StepRow(c.lStep5, c.lStep5Results)));
    column->addLayout(PairRow(c.lStep5Diam, c.EditStep5DispDiam, c.lDesignDispDiamUnits,
                              c.lStep5Stroke, c.EditStep5DispStroke, c.lDesignDispStrokeUnits,
                              c.UseDispDiamStrokeButton));
    QHBoxLayout* step6 = StepRow(c.lStep6, c.lStep6Results);
    step6->addWidget(c.UseRodDiamButton);
    column->addLayout(finish(step6));
    column->addLayout(finish(StepRow(c.lStep7, nullptr)));
    column->addStretch(1);
}

void BuildSuggestions(WindowControls& c, QWidget* panel) {
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 4, 6, 4);
    c.Label39 = MakeLabel("Label39", "Suggest how to ...", panel);
    c.IncreaseSchmidtPowerButton =
        MakeButton("IncreaseSchmidtPowerButton", "Increase Schmidt Power", panel);
    c.lSuggesting = MakeLabel("lSuggesting", "", panel);
    row->addWidget(c.Label39);
    row->addWidget(c.IncreaseSchmidtPowerButton);
    row->addSpacing(12);
    row->addWidget(c.lSuggesting, 1);
}

}  // namespace

QWidget* BuildDesignSheet(WindowControls& c) {
    auto* sheet = new QWidget;
    sheet->setObjectName("DesignSheet");
    auto* page = new QVBoxLayout(sheet);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    c.Panel3 = new QWidget(sheet);
    c.Panel3->setObjectName("Panel3");
    c.Panel3->setFixedHeight(233);
    BuildSteps(c, c.Panel3);
    page->addWidget(c.Panel3);

    c.Panel5 = new QWidget(sheet);
    c.Panel5->setObjectName("Panel5");
    c.Panel5->setFixedHeight(49);
    BuildSuggestions(c, c.Panel5);
    page->addWidget(c.Panel5);

    c.Memo3 = new QPlainTextEdit(sheet);
    c.Memo3->setObjectName("Memo3");
    c.Memo3->setLineWrapMode(QPlainTextEdit::NoWrap);
    c.Memo3->setFont(FixedPitchFont(8));
    page->addWidget(c.Memo3, 1);
    return sheet;
}

}  // namespace velmora
