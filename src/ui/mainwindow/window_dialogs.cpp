#include "ui/mainwindow/window_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace velmora {

namespace {

const char* const kFilter = "Ringbom Parameter Files (*.RBP)";

std::optional<QString> RunDialog(QFileDialog& dialog) {
    dialog.setNameFilter(kFilter);
    dialog.setDefaultSuffix("RBP");
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace

std::optional<QString> WindowDialogs::ChooseFileToLoad(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, "Load Parameters", folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunDialog(dialog);
}

std::optional<QString> WindowDialogs::ChooseFileToSave(QWidget* parent, const QString& folder,
                                                       const QString& proposedName) {
    QFileDialog dialog(parent, "Save Parameters", folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!proposedName.isEmpty()) dialog.selectFile(QDir(folder).filePath(proposedName));
    return RunDialog(dialog);
}

void WindowDialogs::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, "Velmora", text, QMessageBox::Ok);
}

bool WindowDialogs::Confirm(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, "Velmora", question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

WindowDialogs::UnsavedChoice WindowDialogs::AskAboutUnsavedChanges(QWidget* parent,
                                                                   const QString& name) {
    QMessageBox box(QMessageBox::Warning, "Velmora",
                    QString("The design %1 has changes that are not saved.").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText("Save them before another file is loaded?");
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return UnsavedChoice::Save;
        case QMessageBox::Discard:
            return UnsavedChoice::Discard;
        default:
            return UnsavedChoice::Cancel;
    }
}

}  // namespace velmora
