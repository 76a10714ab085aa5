#include <QHBoxLayout>

#include "ui/mainwindow/sheet_builders.h"
#include "ui/widgets/fixed_pitch_font.h"

namespace velmora {

namespace {

QPlainTextEdit* MakeReportPane(const char* name, QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // At 7 points the longest lines of both panes (reference checks included) fit an 800 x 550
    // window side by side without sideways scrolling.
    memo->setFont(FixedPitchFont(7));
    return memo;
}

}  // namespace

QWidget* BuildMemoSheet(WindowControls& c) {
    auto* sheet = new QWidget;
    sheet->setObjectName("MemoSheet");
    auto* layout = new QHBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);

    c.Splitter1 = new QSplitter(Qt::Horizontal, sheet);
    c.Splitter1->setObjectName("Splitter1");
    c.Splitter1->setHandleWidth(3);
    c.Splitter1->setChildrenCollapsible(false);
    c.Memo1 = MakeReportPane("Memo1", c.Splitter1);
    c.Memo2 = MakeReportPane("Memo2", c.Splitter1);
    c.Splitter1->addWidget(c.Memo1);
    c.Splitter1->addWidget(c.Memo2);
    c.Splitter1->setStretchFactor(0, 0);
    c.Splitter1->setStretchFactor(1, 1);
    c.Splitter1->setSizes({337, 436});
    layout->addWidget(c.Splitter1);
    return sheet;
}

}  // namespace velmora
