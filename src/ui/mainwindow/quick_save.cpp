// Files > "Save to NAME.RBP": saves the very file last loaded or saved (its path as it was
// given, letter case and length included) without the save dialog and its overwrite question.
// Where there is no such file, or it is one of the reference engines whose report is checked by
// its name, the same command asks for a file as Save Parameters does.
#include <QFileInfo>

#include "report/reference_check.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

bool TForm1::QuickSaveAsks() const {
    return quickSavePath_.isEmpty() ||
           ReferenceCaseOf(ToStdString(quickSavePath_)) != ReferenceCase::None;
}

void TForm1::BuildQuickSave() {
    // After the three items of old, which keep their places.
    ui_.QuickSave1 = ui_.Files1->addAction(QString());
    ui_.QuickSave1->setObjectName("QuickSave1");
    connect(ui_.QuickSave1, &QAction::triggered, this, [this] { QuickSave1Click(); });
    ShowQuickSave();
}

void TForm1::ShowQuickSave() {
    if (ui_.QuickSave1 == nullptr) return;
    const QString name = QFileInfo(quickSavePath_).fileName();
    ui_.QuickSave1->setText(QuickSaveAsks() ? QString("Save &to...")
                                            : "Save &to " + QString(name).replace('&', "&&"));
}

void TForm1::QuickSave1Click() {
    if (QuickSaveAsks()) {
        SaveButtonClick();
        return;
    }
    FlushPendingStep();
    const QString path = quickSavePath_;
    if (SaveParameterFile(path)) dialogFolder_ = QFileInfo(path).absolutePath();
}

}  // namespace velmora
