// Files > Recent Files: the parameter files last loaded or saved, kept in "Default.INI".
#include <QFileInfo>

#include "persistence/recent_files.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

void TForm1::BuildRecentFilesMenu() {
    ui_.Files1->addSeparator();
    ui_.RecentFiles1 = ui_.Files1->addMenu("Recent &Files");
    ui_.RecentFiles1->setObjectName("RecentFiles1");
    ui_.Load1->setShortcut(QKeySequence::Open);
    // Ctrl+S saves at once to the file the title names; the dialog's save takes Ctrl+Shift+S.
    ui_.QuickSave1->setShortcut(QKeySequence::Save);
    ui_.Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ui_.Help1->setShortcut(QKeySequence(Qt::Key_F1));
    ShowRecentFiles();
}

void TForm1::ShowRecentFiles() {
    QMenu* menu = ui_.RecentFiles1;
    menu->clear();
    int number = 0;
    for (const std::string& file : recentFiles_) {
        const QString path = ToQString(file);
        ++number;
        QAction* item =
            menu->addAction(QString("&%1 %2").arg(number).arg(QFileInfo(path).fileName()));
        item->setObjectName(QString("RecentFile%1").arg(number));
        item->setData(path);
        item->setToolTip(path);
        item->setStatusTip(path);
        connect(item, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    }
    menu->setEnabled(!recentFiles_.empty());
}

void TForm1::NoteRecentFile(const QString& path) {
    recentFiles_ = WithRecentFile(recentFiles_, ToStdString(QFileInfo(path).absoluteFilePath()));
    ShowRecentFiles();
}

void TForm1::OpenRecentFile(const QString& path) {
    if (!QFileInfo::exists(path)) {
        recentFiles_ = WithoutRecentFile(recentFiles_, ToStdString(path));
        ShowRecentFiles();
        dialogs_->ShowMessage(this, QString("The file %1 no longer exists; it was removed from "
                                            "Recent Files.")
                                        .arg(path));
        return;
    }
    LoadChosenFile(path);
}

void TForm1::ReadRecentFileList() {
    recentFiles_ = ReadRecentFiles(ToStdString(StateFile()));
    ShowRecentFiles();
}

void TForm1::WriteRecentFileList() {
    WriteRecentFiles(ToStdString(StateFile()), recentFiles_);
}

}  // namespace velmora
