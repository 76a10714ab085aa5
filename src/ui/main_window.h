#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

#include "model/design_steps.h"
#include "persistence/state_locations.h"
#include "simulation/sensitivity_study.h"
#include "ui/window_controls.h"
#include "ui/window_dialogs.h"
#include "ui/window_session.h"

namespace velmora {

class ChartPanel;

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
    void LoadParameterFile(const QString& path);
    void SaveParameterFile(const QString& path);

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

    // Puts the design inputs of `inputs` into the Design Parameters page as one step, then
    // the usual recomputation. For other windows that propose inputs.
    void ApplyInputsAsOneStep(const ControlState& inputs, const QString& stepText);

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
    void ScaleLayoutOnce();
    void ChooseFolders();
    void ApplyControlState(const ControlState& state);
    void ApplyMemoWidth();
    int MemoWidth() const;
    void ShowAnimationFrame();
    OutputUnits CurrentOutputUnits();
    bool Loading() const { return session_.Driver.Loading; }

    WindowControls ui_;
    WindowSession session_{*this};
    std::unique_ptr<WindowDialogs> dialogs_;
    QString exeFolderOverride_;
    QString dialogFolder_;
    QString saveDialogFileName_;
    int pendingMemoWidth_ = -1;
    bool shown_ = false;
    bool destroyed_ = false;

    friend class WindowSession;
};

}  // namespace velmora
