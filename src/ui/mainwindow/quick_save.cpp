// Files > "Save to NAME.RBP": saves the file the title names, in the folder it was last loaded
// from or saved to, without the save dialog and its overwrite question.
#include <QDir>
#include <QFileInfo>

#include "persistence/parameter_file.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

namespace {

// The name the title gives the file ("Velmora -- Engine" gives "Engine.RBP"); empty for a
// title without a name and for the state file's own name, which has nothing to quick-save to.
QString QuickSaveName(const QString& caption) {
    const QString name = ToQString(ProposedSaveName(ToStdString(caption)));
    return name == "Default.RBP" || name == ".RBP" ? QString() : name;
}

}  // namespace

void TForm1::BuildQuickSave() {
    // After the three items of old, which keep their places.
    ui_.QuickSave1 = ui_.Files1->addAction(QString());
    ui_.QuickSave1->setObjectName("QuickSave1");
    connect(ui_.QuickSave1, &QAction::triggered, this, [this] { QuickSave1Click(); });
    ShowQuickSave();
}

void TForm1::ShowQuickSave() {
    if (ui_.QuickSave1 == nullptr) return;
    const QString name = ToQString(ProposedSaveName(ToStdString(Caption())));
    ui_.QuickSave1->setText(name.isEmpty() ? QString("Save &to")
                                           : "Save &to " + QString(name).replace('&', "&&"));
    ui_.QuickSave1->setEnabled(!QuickSaveName(Caption()).isEmpty() && !fileFolder_.isEmpty());
}

void TForm1::QuickSave1Click() {
    const QString name = QuickSaveName(Caption());
    if (name.isEmpty() || fileFolder_.isEmpty()) return;  // a shortcut while disabled
    FlushPendingStep();
    const QString folder = fileFolder_;
    if (SaveParameterFile(QDir(folder).filePath(name))) dialogFolder_ = folder;
}

}  // namespace velmora
