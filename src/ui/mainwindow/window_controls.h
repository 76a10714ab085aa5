#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QWidget>
#include <array>
#include <vector>

#include "form/input_controls.h"
#include "form/output_unit_lists.h"

namespace velmora {

class ChartPanel;
class EngineImage;
class PlotCurve;
class PvPointCloud;

// An input field of the Design Parameters page with the unit list beside it.
struct InputRow {
    QLineEdit* edit = nullptr;
    QComboBox* units = nullptr;
};

// Every control of the main window, by the names the rest of the program uses. The widgets
// are owned by Qt's parent chain; this struct only points at them.
struct WindowControls {
    // Menu bar.
    QMenu* Files1 = nullptr;
    QAction* Load1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* ClearParameters1 = nullptr;
    QAction* BugList1 = nullptr;
    QAction* Help1 = nullptr;
    QAction* Quit1 = nullptr;
    // Added beside them: Edit > Undo / Redo and Files > Recent Files.
    QMenu* Edit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QMenu* RecentFiles1 = nullptr;
    QAction* QuickSave1 = nullptr;  // "Save to NAME.RBP"

    QTabWidget* PageControl1 = nullptr;
    QWidget* InputSheet = nullptr;
    QWidget* MemoSheet = nullptr;
    QWidget* GraphSheet = nullptr;
    QWidget* DesignSheet = nullptr;
    QWidget* HelpSheet = nullptr;

    // Design Parameters page. Its input fields and unit lists in the order of the input table;
    // a handler that means one input finds it with InputOf.
    std::array<InputRow, kInputs.size()> Inputs{};
    QWidget* Panel2 = nullptr;
    QCheckBox* LeakCB = nullptr;
    QCheckBox* GravityCB = nullptr;
    QLabel* lDwellA = nullptr;
    QLabel* lRelease = nullptr;
    QWidget* Panel1 = nullptr;
    // The output-unit lists in the order of kOutputUnitLists.
    std::array<QComboBox*, kOutputUnitLists.size()> OutputUnitLists{};
    ChartPanel* MainChartA = nullptr;

    // Computed Values page.
    QPlainTextEdit* Memo1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;

    // Graphs page.
    QWidget* Panel4 = nullptr;
    QComboBox* RedGraphRG = nullptr;
    QComboBox* BlueGraphRG = nullptr;
    QComboBox* XAxisRG = nullptr;
    QComboBox* ShowGraph2RG = nullptr;
    QLineEdit* EditXAxisOffset = nullptr;
    QLineEdit* ComputeCycleCountEdit = nullptr;
    QLineEdit* GraphCycleCountEdit = nullptr;
    QLineEdit* MaxGraphCycleCountEdit = nullptr;
    QPushButton* AnimateButton = nullptr;
    EngineImage* Image1 = nullptr;
    QLabel* lDwell = nullptr;
    QLabel* lDeltaTee = nullptr;
    ChartPanel* Chart3 = nullptr;
    ChartPanel* PVChart = nullptr;
    ChartPanel* MainChart = nullptr;

    // Series of the charts.
    PlotCurve* Series1 = nullptr;
    PlotCurve* Series2 = nullptr;
    PlotCurve* Series3 = nullptr;
    PlotCurve* Series1a = nullptr;
    PlotCurve* Series2a = nullptr;
    PlotCurve* Series3a = nullptr;
    PlotCurve* PowerSeries = nullptr;
    PlotCurve* PhaseOrTorqueSeries = nullptr;
    PvPointCloud* PVSeries = nullptr;
    QScatterSeries* PVPhaseSeries = nullptr;

    // Design it Yourself page.
    QWidget* Panel3 = nullptr;
    QLabel* lStep1 = nullptr;
    QLabel* lStep2 = nullptr;
    QLabel* lStep3 = nullptr;
    QLabel* lStep4 = nullptr;
    QLabel* lStep5 = nullptr;
    QLabel* lStep6 = nullptr;
    QLabel* lStep7 = nullptr;
    QLabel* lStep1Results = nullptr;
    QLabel* lStep2Results = nullptr;
    QLabel* lStep3Results = nullptr;
    QLabel* lStep4Results = nullptr;
    QLabel* lStep5Results = nullptr;
    QLabel* lStep6Results = nullptr;
    QLineEdit* EditStep3PistonDiam = nullptr;
    QLabel* lDesignPistonDiamUnits = nullptr;
    QLineEdit* EditStep3PistonStroke = nullptr;
    QLabel* lDesignPistonStrokeUnits = nullptr;
    QPushButton* UsePistonDiamStrokeButton = nullptr;
    QLabel* lStep5Diam = nullptr;
    QLineEdit* EditStep5DispDiam = nullptr;
    QLabel* lDesignDispDiamUnits = nullptr;
    QLabel* lStep5Stroke = nullptr;
    QLineEdit* EditStep5DispStroke = nullptr;
    QLabel* lDesignDispStrokeUnits = nullptr;
    QPushButton* UseDispDiamStrokeButton = nullptr;
    QPushButton* UseRodDiamButton = nullptr;
    QWidget* Panel5 = nullptr;
    QLabel* Label39 = nullptr;
    QPushButton* IncreaseSchmidtPowerButton = nullptr;
    QLabel* lSuggesting = nullptr;
    QPlainTextEdit* Memo3 = nullptr;

    // Help/About page.
    QTextBrowser* RichEdit1 = nullptr;

    // On the window itself, beneath the pages until raised.
    QPlainTextEdit* BugMemo = nullptr;

    QTimer* AnimateTimer = nullptr;
    QTimer* EditChangeTimer = nullptr;

    // The input fields and unit lists in reading order (power last).
    std::vector<InputRow> InputRows() const { return {Inputs.begin(), Inputs.end()}; }
    // The field and unit list of a row of kInputs.
    const InputRow& InputOf(const DesignInput& input) const {
        return Inputs[static_cast<std::size_t>(&input - kInputs.data())];
    }
    // The field and unit list of the input read from `control`.
    const InputRow& InputOf(InputControl ControlState::*control) const {
        return InputOf(*FindInput(control));
    }
    // The output-unit lists in their panel's order, top down.
    std::vector<QComboBox*> OutputLists() const;
    // The list of a row of kOutputUnitLists.
    QComboBox* OutputListOf(const OutputUnitList& list) const {
        return OutputUnitLists[OutputListIndex(list)];
    }
};

}  // namespace velmora
