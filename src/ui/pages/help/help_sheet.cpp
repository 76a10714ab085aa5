#include <QVBoxLayout>

#include "ui/mainwindow/sheet_builders.h"

namespace velmora {

QWidget* BuildHelpSheet(WindowControls& c) {
    auto* sheet = new QWidget;
    sheet->setObjectName("HelpSheet");
    auto* page = new QVBoxLayout(sheet);
    page->setContentsMargins(0, 0, 0, 0);
    c.RichEdit1 = new QTextBrowser(sheet);
    c.RichEdit1->setObjectName("RichEdit1");
    c.RichEdit1->setReadOnly(true);
    c.RichEdit1->setOpenLinks(false);
    c.RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    page->addWidget(c.RichEdit1);
    return sheet;
}

}  // namespace velmora
