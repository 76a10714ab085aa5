// Start-up, shut-down and the three menu commands that move parameter files.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <cstdio>

#include "form/input_controls.h"
#include "locale/number_settings_from_locale.h"
#include "model/scoped_flag.h"
#include "persistence/atomic_file_writer.h"
#include "persistence/parameter_file.h"
#include "persistence/parameter_file_warnings.h"
#include "persistence/state_locations.h"
#include "persistence/window_settings.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/layout_scaling.h"
#include "ui/mainwindow/main_window.h"
#include "ui/pages/design/design_steps_page.h"
#include "ui/pages/help/release_text.h"
#include "ui/pages/inputs/inputs_page.h"
#include "ui/pages/report/report_page.h"
#include "ui/tools/background_task.h"
#include "ui/tools/loss_inputs_window.h"

namespace velmora {

void TForm1::FormCreate() {
    ReleaseText = ReleaseTextOfExecutable();
    // The release stays on the input page (the start-up step that blanks it is left out):
    // the user then always sees which release produced a report.
    ui_.lRelease->setText("[Release " + ReleaseText + "]");
    const QScreen* screen = QGuiApplication::primaryScreen();
    ScreenPixelsPerInch = screen != nullptr ? qRound(screen->logicalDotsPerInchX()) : 96;
    LayoutScaled = false;
    session_.Driver.Loading = true;
    session_.State.outputs.numbers = NumberSettingsFromSystemLocale();
}

void TForm1::FormShow() {
    ScaleLayoutOnce();
    ui_.lDwell->clear();
    ui_.lDwellA->clear();
    // The result labels follow their step captions through the page layout (16 pixels gap).
    for (QPushButton* button : {ui_.UsePistonDiamStrokeButton, ui_.UseDispDiamStrokeButton})
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 16);
    for (const DesignInput& input : kInputs)  // a list of its one fixed unit shows it
        if (FormColumn(input).control == nullptr) ui_.InputOf(input).units->setCurrentIndex(0);
    ExeFolder =
        exeFolderOverride_.isEmpty() ? QCoreApplication::applicationDirPath() : exeFolderOverride_;
    if (!ExeFolder.endsWith('/')) ExeFolder += '/';
    ChooseFolders();
    RemoveStaleTemporaryFiles(ToStdString(StateFile()), startedAt_);
    // An unreadable state file is reported and kept; the controls show a file without keys.
    if (!LoadParameterFile(ToQString(StartupStateFile(Locations))))
        ApplyControlState(WindowState());
    session_.Driver.Loading = false;
    ReadRecentFileList();
    inputsPage_->MarkNonNumberInputs();
    committedInputs_ = CurrentInputs();
    undo_->clear();
    DesignSheetEnter();
    ui_.EditChangeTimer->start();
    // The bug list opens by itself once; later starts leave the inputs uncovered.
    bugListSeen_ = ReadBugListSeen(ToStdString(StateFile()));
    if (!bugListSeen_) BugList1Click();
    bugListSeen_ = true;
}

void TForm1::FormDestroy() {
    if (destroyed_ || !shown_) return;  // never shown: nothing was loaded, nothing to keep
    destroyed_ = true;
    ui_.AnimateTimer->stop();
    ui_.EditChangeTimer->stop();
    // A computation still under way is not wanted any more; it stops at its next cycle.
    computeAgain_ = false;
    computeTask_->Cancel();
    PrepareStateFolder(Locations);
    SaveParameterFile(StateFile());
    WriteRecentFileList();
    WriteBugListSeen(ToStdString(StateFile()), bugListSeen_);
}

void TForm1::CloseUnattended() {
    unattended_ = true;
    close();
}

QString TForm1::StateFile() const {
    return ToQString(Locations.stateFolder) + "Default.INI";
}

void TForm1::ChooseFolders() {
    StateLocationInputs inputs = ReadStateLocationInputs(ToStdString(ExeFolder));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        inputs.documentsFolder = ToStdString(documents);
    Locations = ChooseStateLocations(inputs);
    dialogFolder_ = ToQString(Locations.dialogFolder);
}

void TForm1::ScaleLayoutOnce() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen != nullptr ? screen->geometry().width() : 0;
    if (!ShouldScaleLayout(LayoutScaled, ScreenPixelsPerInch, screenWidth)) return;
    const QSize client = centralWidget()->size();
    ScaleWidgetTree(this, kLayoutScaleFactor);
    LayoutScaled = true;
    layout()->activate();
    const QSize fitted =
        ScaledClientSize(client, centralWidget()->minimumSizeHint(), kLayoutScaleFactor);
    resize(fitted.width(), fitted.height() + menuBar()->sizeHint().height());
}

void TForm1::LoadButtonClick() {
    const std::optional<QString> path = dialogs_->ChooseFileToLoad(this, dialogFolder_);
    if (!path) return;
    LoadChosenFile(*path);
}

// Load Parameters after the file is chosen (in the open dialog or under Recent Files).
void TForm1::LoadChosenFile(const QString& path) {
    FlushPendingStep();
    if (!UnsavedEditsSettled()) return;
    bool loaded = false;
    {
        ScopedFlag loading(session_.Driver.Loading);
        loaded = LoadParameterFile(path);
    }
    if (!loaded) return;  // nothing changed, nothing to compute
    // Dialogs start where the last load or save succeeded, never where one failed (a folder
    // such as /proc can hang the dialog).
    dialogFolder_ = QFileInfo(path).absolutePath();
    quickSavePath_ = path;
    ShowQuickSave();
    session_.Driver.LoadedFileName = ToStdString(path);
    NoteRecentFile(path);
    CommitInputStep("Load Parameters");
    undo_->setClean();
    Compute(true, true);
}

bool TForm1::UnsavedEditsSettled() {
    if (!isWindowModified()) return true;
    const QString name = Caption().mid(Caption().indexOf("--") + 3);
    switch (dialogs_->AskAboutUnsavedChanges(this, name)) {
        case WindowDialogs::UnsavedChoice::Discard:
            return true;
        case WindowDialogs::UnsavedChoice::Cancel:
            return false;
        case WindowDialogs::UnsavedChoice::Save:
            QuickSave1Click();  // the file itself, or the dialog where there is none
            return !isWindowModified();
    }
    return false;
}

void TForm1::SaveButtonClick() {
    const std::string proposed = ProposedSaveName(ToStdString(Caption()));
    if (!proposed.empty()) saveDialogFileName_ = ToQString(proposed);
    const std::optional<QString> path =
        dialogs_->ChooseFileToSave(this, dialogFolder_, saveDialogFileName_);
    if (!path) return;
    saveDialogFileName_ = QFileInfo(*path).fileName();
    FlushPendingStep();
    if (SaveParameterFile(*path)) dialogFolder_ = QFileInfo(*path).absolutePath();
}

void TForm1::QuitButtonClick() {
    close();
}

ControlState TForm1::WindowState() const {
    ControlState state = session_.State;
    state.Left = x();
    state.Top = y();
    state.Width = width();
    state.Height = height();
    state.Page = ui_.PageControl1->currentIndex() + 1;
    return state;
}

bool TForm1::LoadParameterFile(const QString& path) {
    ControlState state = WindowState();
    bool heldAnyKey = false;
    const FileReadStatus status = velmora::LoadParameterFile(ToStdString(path), state, &heldAnyKey);
    if (status == FileReadStatus::Unreadable) {
        dialogs_->ShowMessage(this, ToQString(UnableToReadMessage(ToStdString(path))));
        return false;
    }
    ApplyControlState(state);
    SetCaption(ToQString(WindowTitleForFile(ToStdString(path))));
    // A file without keys loads as before (all defaults), but the user learns why; a missing
    // file (the first start) is no news.
    if (status == FileReadStatus::Read && !heldAnyKey)
        dialogs_->ShowMessage(this, ToQString(NoParameterKeysMessage(ToStdString(path))));
    // Values read as something other than what they say: one message lists them all.
    if (status == FileReadStatus::Read && heldAnyKey) {
        const std::vector<std::string> warnings = ParameterFileWarnings(ToStdString(path));
        if (!warnings.empty())
            dialogs_->ShowMessage(
                this, ToQString(ParameterFileWarningsMessage(ToStdString(path), warnings)));
    }
    // A loss, gas or load the model cannot use stays as the file wrote it, marked in its field;
    // the user learns which and what the figures use meanwhile.
    if (const LossReading losses = ReadLossInputs(state.lossTexts); !losses.problem.empty())
        dialogs_->ShowMessage(
            this, ToQString("'" + ToStdString(path) + "': " + losses.problem +
                            ". Mend it in Tools > Losses, Gas and Load; until then the figures "
                            "use the ideal engine's value."));
    return true;
}

bool TForm1::SaveParameterFile(const QString& path) {
    // A loss field marked as unusable is not the design's: the user learns it before a file
    // keeps anything else in its place. The state file keeps the design as it is.
    if (auto* losses = findChild<LossInputsWindow*>("LossInputsWindow");
        losses != nullptr && !unattended_ && path != StateFile() && !losses->Problem().isEmpty()) {
        dialogs_->ShowMessage(
            this, "Not saved: " + losses->Problem() + " (Tools > Losses, Gas and Load).");
        return false;
    }
    ControlState state = session_.State;
    ReadControls(ui_, state);
    state.Left = x();
    state.Top = y();
    state.Width = width();
    state.Height = height();
    state.Page = ui_.PageControl1->currentIndex() + 1;
    state.MemoWidth = reportPage_->MemoWidth();
    std::string error;
    if (!velmora::SaveParameterFile(ToStdString(path), state, error)) {
        if (unattended_) {
            std::fprintf(stderr, "velmora: %s\n", error.c_str());
        } else {
            dialogs_->ShowMessage(this, ToQString(error));
        }
        return false;
    }
    SetCaption(ToQString(WindowTitleForFile(ToStdString(path))));
    undo_->setClean();
    if (path != StateFile()) {
        quickSavePath_ = path;
        ShowQuickSave();
        NoteRecentFile(path);
        // The report and its reference check follow the file's new name, as loading it would.
        if (session_.Driver.LoadedFileName != ToStdString(path)) {
            session_.Driver.LoadedFileName = ToStdString(path);
            Compute(true, true);
        }
    }
    return true;
}

// Puts a loaded state into the controls; the change handlers stay quiet because Loading is
// raised by every caller, so the order does not matter.
void TForm1::ApplyControlState(const ControlState& s) {
    WindowControls& c = ui_;
    PutInputs(c, s);
    PutFormControls(c, s);
    PutOutputUnits(c, s.outputs);
    move(s.Left, s.Top);
    resize(s.Width, s.Height);
    if (s.Page >= 1 && s.Page <= c.PageControl1->count())
        c.PageControl1->setCurrentIndex(s.Page - 1);
    designPage_->PutDesignFields(s);
    reportPage_->SetMemoWidth(s.MemoWidth);
    session_.State = s;
}

}  // namespace velmora
