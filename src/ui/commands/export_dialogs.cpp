#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/mainwindow/window_dialogs.h"

namespace velmora {

std::optional<QString> WindowDialogs::ChooseExportFile(QWidget* parent, const QString& caption,
                                                       const QString& folder,
                                                       const QString& proposedName,
                                                       const QString& filter) {
    QFileDialog dialog(parent, caption, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setSizeGripEnabled(true);
    dialog.selectFile(QDir(folder).filePath(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

bool WindowDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle("Print Report");
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace velmora
