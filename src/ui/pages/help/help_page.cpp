// The Help/About page.
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/pages/help/help_document.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

void TForm1::HelpSheetShow() {
    if (!ui_.RichEdit1->document()->isEmpty()) return;
    if (!LoadHelpDocument(ToQString(Locations.dataFolder) + "Help.RTF",
                          *ui_.RichEdit1->document())) {
        ui_.RichEdit1->clear();
        dialogs_->ShowMessage(this, "Unable to locate the Help file, \"HELP.RTF\"!");
    }
}

void TForm1::Help1Click() {
    ui_.PageControl1->setCurrentWidget(ui_.HelpSheet);
}

// The help view fills its page through the page's layout; nothing to size by hand.
void TForm1::PageControl1Resize() {}

}  // namespace velmora
