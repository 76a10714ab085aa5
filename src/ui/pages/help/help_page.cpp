#include "ui/pages/help/help_page.h"

#include "ui/mainwindow/page_host.h"
#include "ui/mainwindow/window_controls.h"
#include "ui/pages/help/help_document.h"

namespace velmora {

HelpPage::HelpPage(WindowControls& controls, PageHost& host, QObject* parent)
    : QObject(parent), c_(controls), host_(host) {
    setObjectName("HelpPage");
}

void HelpPage::HelpSheetShow(const QString& dataFolder) {
    if (!c_.RichEdit1->document()->isEmpty()) return;
    if (!LoadHelpDocument(dataFolder + "Help.RTF", *c_.RichEdit1->document())) {
        c_.RichEdit1->clear();
        host_.ShowMessage("Unable to locate the Help file, \"HELP.RTF\"!");
    }
}

}  // namespace velmora
