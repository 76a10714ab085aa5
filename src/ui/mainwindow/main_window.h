#pragma once

#include <QMainWindow>
#include <QString>
#include <QUndoStack>
#include <memory>

#include "model/design_steps.h"
#include "persistence/state_locations.h"
#include "simulation/sensitivity_study.h"
#include "ui/mainwindow/window_controls.h"
#include "ui/mainwindow/window_dialogs.h"
#include "ui/mainwindow/window_session.h"

namespace velmora {

class ChartPanel;
class ExportCommands;

// The main window: five pages of inputs, reports, graphs, design steps and help. Its member
// operations are the event handlers; the engine itself lives in the session.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    // `exeFolder` replaces the executable's folder (for "Default.INI" and "Help.RTF") and
    // `dialogs` the real modal dialogs; both are for tests.
    explicit TForm1(QString exeFolder = {}, std::unique_ptr<WindowDialogs> dialogs = nullptr,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    WindowControls& Ui() { return ui_; }
    WindowSession& Session() { return session_; }

    // Start-up and shut-down.
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void LoadButtonClick();
    void SaveButtonClick();
    void QuitButtonClick();
    // False, with a message naming the file, when it cannot be read or written; the
    // controls, the title and the dialogs' folder then stay as they were.
    bool LoadParameterFile(const QString& path);
    bool SaveParameterFile(const QString& path);

    // Version and help.
    void HelpSheetShow();
    void Help1Click();
    void PageControl1Resize();

    // Input editing.
    void RestartChangeTimer();
    void EditDispDiameterChange();
    void GraphCycleCountEditChange();
    void ComputeCycleCountEditChange();
    void LeakCBClick();
    void EditChangeTimerTimer();
    void LengthOutputFormatRGClick();
    void GravityCBClick();
    void EditDispDiameterKeyDown(QLineEdit* field, int key);
    void EditDeadSpaceTempEnter();
    void ClearParameters1Click();
    void BugList1Click();
    void BugMemoClick();

    // Graphs page and animation.
    void RedGraphRGClick();
    void ShowGraph2RGClick();
    void EditXAxisOffsetChange();
    void MainChartClickBackground(ChartPanel* chart, int x);
    void MainChartClickSeries(ChartPanel* chart, int x);
    void AnimateButtonClick();
    void AnimateTimerTimer();
    void DrawEngine(int position);

    // Design page and sensitivity study.
    void DesignSheetEnter();
    void EditStep3PistonDiamChange();
    void EditStep3PistonStrokeChange();
    void EditStep5DispDiamChange();
    void EditStep5DispStrokeChange();
    void UsePistonDiamStrokeButtonClick();
    void UseDispDiamStrokeButtonClick();
    void UseRodDiamButtonClick();
    void IncreaseSchmidtPowerButtonClick();

    // One run of the compute driver; the widgets show its results when the outermost run ends.
    void Compute(bool forceSimulation, bool refreshSecondGraph);
    // Copies the session's reports, labels and charts into the widgets.
    void ShowResults();

    // One undoable change of the inputs (the input part of `inputs`: texts, units, check boxes,
    // design fields), then the usual recomputation. For other windows that propose inputs.
    void ApplyInputsAsOneStep(const ControlState& inputs, const QString& stepText);
    QUndoStack* UndoStack() { return undo_; }
    // The window title without the unsaved-changes placeholder.
    QString Caption() const;
    // Files > Export, Print Report..., chart and report pane context menus.
    ExportCommands& Exports() { return *exports_; }

    // The file name the save dialog proposes next.
    const QString& SaveDialogFileName() const { return saveDialogFileName_; }

    QString ExeFolder;
    // Where "Default.INI", the shipped files and the dialogs' first folder are: beside the
    // executable, or the user's folders when the program is installed.
    StateLocations Locations;
    QString ReleaseText;
    int ScreenPixelsPerInch = 96;
    bool LayoutScaled = false;
    bool PistonDesignGuard = false;
    bool DispDesignGuard = false;
    // The design page's results, kept between refreshes.
    DesignMembers Design;
    SensitivityStudy Study;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenu();
    void BuildPages();
    void BuildBugMemo();
    void BuildTimers();
    void ConnectEvents();
    // Each page's wiring, defined in its folder beside its handlers.
    void ConnectInputPage();
    void ConnectGraphPage();
    void ConnectDesignPage();
    // The parts of eventFilter that belong to a page or to the undo commands.
    void FitSecondGraphs();
    bool LeaveUndoKeysToSteps(QObject* watched, QEvent* event);
    void FilterInputFieldEvent(QObject* watched, QEvent* event);
    void ScaleLayoutOnce();
    void ChooseFolders();
    QString StateFile() const;
    void ApplyControlState(const ControlState& state);
    // The controls' state with the window's current bounds and page, as a load starts from.
    ControlState WindowState() const;
    void ApplyMemoWidth();
    int MemoWidth() const;
    void ShowAnimationFrame();
    // Undo steps: edits are noted as they happen and become one step when finished.
    void BuildEditMenu();
    void ConnectInputSteps();
    void NoteInputEdit(QWidget* field);
    void FlushPendingStep();
    void CommitInputStep(const QString& text);
    void PushInputStep(const QString& text, const ControlState& now);
    void PutInputsInWidgets(const ControlState& inputs);
    void PutDesignFields(const ControlState& state);
    void ApplyStepInputs(const ControlState& inputs);
    void SetCaption(const QString& caption);
    void MarkNonNumberInputs();
    void ConnectChartReadouts();
    // Files > Recent Files and the shortcuts of the Files and Help commands.
    void BuildRecentFilesMenu();
    void ShowRecentFiles();
    void NoteRecentFile(const QString& path);
    void OpenRecentFile(const QString& path);
    void ReadRecentFileList();
    void WriteRecentFileList();
    void LoadChosenFile(const QString& path);
    OutputUnits CurrentOutputUnits();
    bool Loading() const { return session_.Driver.Loading; }

    WindowControls ui_;
    WindowSession session_{*this};
    std::unique_ptr<WindowDialogs> dialogs_;
    ExportCommands* exports_ = nullptr;  // owned by the window as its QObject child
    QString exeFolderOverride_;
    QString dialogFolder_;
    QString saveDialogFileName_;
    int pendingMemoWidth_ = -1;
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
    bool destroyed_ = false;

    friend class WindowSession;
};

}  // namespace velmora
