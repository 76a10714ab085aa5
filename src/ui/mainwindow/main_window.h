#pragma once

#include <QLineEdit>
#include <QMainWindow>
#include <QString>
#include <QUndoStack>
#include <ctime>
#include <functional>
#include <map>
#include <memory>

#include "form/design_steps.h"
#include "persistence/state_locations.h"
#include "ui/mainwindow/page_host.h"
#include "ui/mainwindow/window_controls.h"
#include "ui/mainwindow/window_dialogs.h"
#include "ui/mainwindow/window_session.h"

class QShortcut;

namespace velmora {

class BackgroundTask;
class ComputeCopy;
class WorkProgress;
class DesignStepsPage;
class ExportCommands;
class GraphsPage;
class HelpPage;
class InputsPage;
class ReportPage;

// The main window: a shell that assembles five pages (inputs, reports, graphs, design steps and
// help), each of which owns its widgets' handlers and asks the window only through PageHost.
// The window keeps the menus, the files, start-up and shut-down, the undo steps and the bug list.
class TForm1 : public QMainWindow, private PageHost {
    Q_OBJECT
    // First, so the references into the pages below can be bound when the window is made.
    InputsPage* inputsPage_;
    ReportPage* reportPage_;
    GraphsPage* graphsPage_;
    DesignStepsPage* designPage_;
    HelpPage* helpPage_;

  public:
    // `exeFolder` replaces the executable's folder (for "Default.INI" and "Help.RTF") and
    // `dialogs` the real modal dialogs; both are for tests.
    explicit TForm1(QString exeFolder = {}, std::unique_ptr<WindowDialogs> dialogs = nullptr,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    WindowControls& Ui() { return ui_; }
    // The sensitivity study shows a trial's text in its field without computing or an undo step.
    void ShowStudyText(QLineEdit* field, const QString& text);
    WindowSession& Session() override { return session_; }

    // Start-up and shut-down.
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void LoadButtonClick();
    void SaveButtonClick();
    void QuitButtonClick();
    // "Save to NAME.RBP": the file last loaded or saved, by its path, without a dialog; Save
    // Parameters' dialog where there is none yet or it is a reference engine.
    void QuickSave1Click();
    // Closes as at a log-out or a termination signal: the state is saved as far as it can be,
    // and a failure goes to standard error, never to a dialog nobody may be there to answer.
    void CloseUnattended();
    // False, with a message naming the file, when it cannot be read or written; the
    // controls, the title and the dialogs' folder then stay as they were.
    bool LoadParameterFile(const QString& path);
    bool SaveParameterFile(const QString& path);

    // Help and the bug list.
    void HelpSheetShow();
    void Help1Click();
    void PageControl1Resize();
    void BugList1Click();
    void BugMemoClick();

    // Handlers of the pages that other windows and tests start by the window's names.
    void EditChangeTimerTimer();
    void ClearParameters1Click();
    void RedGraphRGClick();
    void ShowGraph2RGClick();
    void AnimateButtonClick();
    void AnimateTimerTimer();
    void DrawEngine(int position);
    void DesignSheetEnter();
    void UsePistonDiamStrokeButtonClick();
    void UseDispDiamStrokeButtonClick();
    void UseRodDiamButtonClick();
    // The sensitivity study on the design page's button, run on the window's input fields.
    void IncreaseSchmidtPowerButtonClick();

    // One run of the compute driver, on a copy of the inputs as they are now, on a thread of its
    // own; the widgets show its results when it has finished (ComputeApplied). Nothing while a
    // file is loading. A request while a run is under way stops that run (its results are
    // dropped) and one further run with its arguments follows.
    void Compute(bool forceSimulation, bool refreshSecondGraph) override;
    // A computation or the sensitivity study is under way.
    bool ComputeRunning() const;
    // Runs `then` once, when the next computation's results have been applied.
    void AfterNextCompute(const std::function<void()>& then);
    // The typing delay: how long after the last edit the computation starts and the burst of
    // edits becomes one undo step (500 ms; tests make it shorter).
    void SetEditDelay(int milliseconds);
    // Copies the session's reports, labels and charts into the widgets.
    void ShowResults() override;

    // One undoable change of the inputs (the input part of `inputs`: texts, units, check boxes,
    // design fields), then the usual recomputation. For other windows that propose inputs.
    void ApplyInputsAsOneStep(const ControlState& inputs, const QString& stepText);
    QUndoStack* UndoStack() { return undo_; }
    // The window title without the unsaved-changes placeholder.
    QString Caption() const;
    // Files > Export, Print Report..., chart and report pane context menus.
    ExportCommands& Exports() { return *exports_; }
    // The window's dialogs, for the commands that ask (tests answer them).
    WindowDialogs& Dialogs() { return *dialogs_; }

    // The file name the save dialog proposes next.
    const QString& SaveDialogFileName() const { return saveDialogFileName_; }

    QString ExeFolder;
    // Where "Default.INI", the shipped files and the dialogs' first folder are: beside the
    // executable, or the user's folders when the program is installed.
    StateLocations Locations;
    QString ReleaseText;
    int ScreenPixelsPerInch = 96;
    bool LayoutScaled = false;
    // The design page's results and its proposal guards, by the window's names.
    DesignMembers& Design;
    const bool& PistonDesignGuard;
    const bool& DispDesignGuard;

  signals:
    // A computation's results (reports, charts, samples, engine drawing) are all in the widgets.
    void ComputeApplied();
    // The study has put a trial's text (or the former text back) into an input field.
    void StudyFieldShown(QLineEdit* field, const QString& text);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // PageHost: what the pages may ask of the window.
    void ShowMessage(const QString& text) override;
    int FrameWidth() const override;
    void ChangeAsOneStep(const QString& stepText, const std::function<void()>& change) override;
    void EndEditBurst() override { FlushPendingStep(); }

    void BuildMenu();
    void BuildPages();
    void BuildBugMemo();
    void BuildTimers();
    void ConnectEvents();
    bool LeaveUndoKeysToSteps(QObject* watched, QEvent* event);
    void ScaleLayoutOnce();
    void ChooseFolders();
    QString StateFile() const;
    void ApplyControlState(const ControlState& state);
    // The controls' state with the window's current bounds and page, as a load starts from.
    ControlState WindowState() const;
    // Undo steps: edits are noted as they happen and become one step when finished.
    void BuildEditMenu();
    void ConnectInputSteps();
    void NoteInputEdit(QWidget* field);
    void FlushPendingStep();
    void CommitInputStep(const QString& text);
    // The inputs as they stand: the widgets, and the model choice kept in the session.
    ControlState CurrentInputs() const;
    void PushInputStep(const QString& text, const ControlState& now);
    void PutInputsInWidgets(const ControlState& inputs);
    void ApplyStepInputs(const ControlState& inputs);
    void SetCaption(const QString& caption);
    void BuildQuickSave();
    // The quick save's caption and whether it can save, after the title changed.
    void ShowQuickSave();
    bool QuickSaveAsks() const;
    void ConnectChartReadouts();
    // Files > Recent Files and the shortcuts of the Files and Help commands.
    void BuildRecentFilesMenu();
    void ShowRecentFiles();
    void NoteRecentFile(const QString& path);
    void OpenRecentFile(const QString& path);
    void ReadRecentFileList();
    void WriteRecentFileList();
    void LoadChosenFile(const QString& path);
    // Asks what becomes of unsaved edits before another file replaces them: true when the
    // load may go on (saved or discarded), false when the user cancelled or the save failed.
    bool UnsavedEditsSettled();
    bool Loading() const { return session_.Driver.Loading; }
    // The computations on their thread (window_compute.cpp) and the study (sensitivity_events).
    void BuildComputeTask();
    std::shared_ptr<ComputeCopy> NewComputeCopy(const std::shared_ptr<WorkProgress>& progress);
    void StartCompute(bool forceSimulation, bool refreshSecondGraph);
    void ComputeEnded();
    void ApplyComputeCopy();
    void StartStudy();
    void StudyEnded(bool completed);

    WindowControls ui_;
    WindowSession session_{*this};
    std::unique_ptr<WindowDialogs> dialogs_;
    ExportCommands* exports_ = nullptr;  // owned by the window as its QObject child
    QShortcut* bugMemoEscape_ = nullptr;
    QString exeFolderOverride_;
    bool unattended_ = false;
    // Temporary files of saves older than this were left by a killed process.
    std::time_t startedAt_ = std::time(nullptr);
    QString dialogFolder_;
    QString saveDialogFileName_;
    // The file last loaded or saved (not the state file), as its path was given: where a quick
    // save goes.
    QString quickSavePath_;
    QUndoStack* undo_ = nullptr;
    QTimer* stepTimer_ = nullptr;
    ControlState committedInputs_;
    QString pendingStepText_;
    ControlState pendingInputs_;  // the inputs after the last edit of the burst
    bool applyingStep_ = false;
    std::vector<std::string> recentFiles_;
    bool quietEdits_ = false;  // a command changes several fields: one step when it ends
    QObject* stepControl_ = nullptr;
    bool shown_ = false;
    bool bugListSeen_ = false;
    bool destroyed_ = false;
    // After session_: a run still under way is stopped and waited for before the session goes.
    std::unique_ptr<BackgroundTask> computeTask_;
    std::shared_ptr<ComputeCopy> computeRun_;
    enum class RunKind { Compute, Study } runKind_ = RunKind::Compute;
    struct {
        bool force = true;
        bool refresh = true;
    } computeArgs_;
    bool computeAgain_ = false;
    bool studying_ = false;
    // Fields showing a trial text, with the text they had before: put back if the study stops
    // before it restores them itself.
    std::map<QLineEdit*, QString> studyFormerTexts_;

    friend class WindowSession;
};

}  // namespace velmora
