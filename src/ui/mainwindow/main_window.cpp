#include "ui/mainwindow/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/charts/chart_panel.h"
#include "ui/commands/compare_commands.h"
#include "ui/commands/export_commands.h"
#include "ui/mainwindow/bug_list_text.h"
#include "ui/mainwindow/compute_copy.h"
#include "ui/mainwindow/control_help.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/headline_power_view.h"
#include "ui/mainwindow/menu_access_keys.h"
#include "ui/mainwindow/sheet_builders.h"
#include "ui/pages/design/design_steps_page.h"
#include "ui/pages/graphs/graphs_page.h"
#include "ui/pages/help/help_page.h"
#include "ui/pages/help/user_guide.h"
#include "ui/pages/inputs/inputs_page.h"
#include "ui/pages/inputs/typical_ranges.h"
#include "ui/pages/report/report_page.h"
#include "ui/tools/background_task.h"
#include "ui/tools/design_space_window.h"
#include "ui/tools/energy_window.h"
#include "ui/tools/loss_inputs_window.h"
#include "ui/tools/optimize_window.h"
#include "ui/widgets/fixed_pitch_font.h"
#include "ui/widgets/modified_key_guard.h"

namespace velmora {

TForm1::TForm1(QString exeFolder, std::unique_ptr<WindowDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent),
      inputsPage_(new InputsPage(ui_, *this, this)),
      reportPage_(new ReportPage(ui_, this)),
      graphsPage_(new GraphsPage(ui_, *this, this)),
      designPage_(new DesignStepsPage(ui_, *this, this)),
      helpPage_(new HelpPage(ui_, *this, this)),
      Design(designPage_->Design),
      PistonDesignGuard(designPage_->PistonDesignGuard),
      DispDesignGuard(designPage_->DispDesignGuard),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<WindowDialogs>()),
      exeFolderOverride_(std::move(exeFolder)) {
    setObjectName("TForm1");
    SetCaption("Velmora");
    setFont(DialogFont(8));
    BuildMenu();
    BuildEditMenu();
    BuildRecentFilesMenu();
    BuildPages();
    ApplyControlHelp(this);
    ConnectTypicalRanges(ui_);
    BuildBugMemo();
    BuildTimers();
    BuildComputeTask();
    ConnectEvents();
    ConnectInputSteps();
    exports_ = new ExportCommands(*this, *dialogs_);
    exports_->Install();
    AssignMenuAccessKeys(this);
    // Last, so it sees a key before the pages' and the undo steps' filters do.
    (new ModifiedKeyGuard(this))->GuardFieldsUnder(centralWidget());
    ConnectChartReadouts();
    new HeadlinePowerView(*this);
    resize(776, 532 + menuBar()->sizeHint().height());
    FormCreate();
}

TForm1::~TForm1() {
    FormDestroy();
    // The undo stack is a child, cleared (and signalling) only when QWidget's destructor
    // deletes it, after this object's own members are gone: nobody (this window nor the tool
    // windows that follow the design) may hear it then.
    undo_->disconnect();
    // QWidget's destructor then hides the window, and the field with the focus loses it: its
    // editingFinished would reach the pages after this window's session is gone.
    for (QWidget* child : findChildren<QWidget*>()) child->blockSignals(true);
}

void TForm1::BuildMenu() {
    QMenuBar* bar = menuBar();
    ui_.Files1 = bar->addMenu("Files");
    ui_.Files1->setObjectName("Files1");
    ui_.Load1 = ui_.Files1->addAction("&Load Parameters");
    ui_.Load1->setObjectName("Load1");
    ui_.Save1 = ui_.Files1->addAction("&Save Parameters");
    ui_.Save1->setObjectName("Save1");
    ui_.ClearParameters1 = ui_.Files1->addAction("Clear Parameters");
    ui_.ClearParameters1->setObjectName("ClearParameters1");
    BuildQuickSave();
    AddDesignSpaceMenu(*this, bar);
    AddOptimizeMenu(*this, bar);
    AddEnergyMenu(*this, bar);
    AddLossInputsMenu(*this, bar);
    AddCompareMenu(*this, bar);
    AddUserGuideMenu(*this, bar);
    ui_.BugList1 = bar->addAction("Bug List");
    ui_.BugList1->setObjectName("BugList1");
    ui_.Help1 = bar->addAction("Help");
    ui_.Help1->setObjectName("Help1");
    ui_.Quit1 = bar->addAction("&Quit");
    ui_.Quit1->setObjectName("Quit1");
}

void TForm1::BuildPages() {
    auto* central = new QWidget(this);
    central->setObjectName("ClientArea");
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    ui_.PageControl1 = new QTabWidget(central);
    ui_.PageControl1->setObjectName("PageControl1");
    // The pages in tab order; each page folder builds its sheet and wires its handlers.
    const struct {
        QWidget* WindowControls::*sheet;
        QWidget* (*build)(WindowControls&);
        const char* caption;
    } pages[] = {{&WindowControls::InputSheet, BuildInputSheet, "Design Parameters"},
                 {&WindowControls::MemoSheet, BuildMemoSheet, "Computed Values"},
                 {&WindowControls::GraphSheet, BuildGraphSheet, "Graphs"},
                 {&WindowControls::DesignSheet, BuildDesignSheet, "Design it Yourself"},
                 {&WindowControls::HelpSheet, BuildHelpSheet, "Help/About"}};
    for (const auto& page : pages) ui_.*page.sheet = page.build(ui_);
    for (const auto& page : pages) ui_.PageControl1->addTab(ui_.*page.sheet, page.caption);
    ui_.PageControl1->setCurrentWidget(ui_.GraphSheet);
    layout->addWidget(ui_.PageControl1);
    setCentralWidget(central);
}

void TForm1::BuildBugMemo() {
    ui_.BugMemo = new QPlainTextEdit(centralWidget());
    ui_.BugMemo->setObjectName("BugMemo");
    ui_.BugMemo->setReadOnly(true);
    ui_.BugMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui_.BugMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui_.BugMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui_.BugMemo->setPlainText(BugListText());
    ui_.BugMemo->setGeometry(144, 32, 473, 489);
    ui_.BugMemo->setProperty("placedByHand", true);
    ui_.BugMemo->viewport()->installEventFilter(this);
    ui_.BugMemo->hide();
    // Escape closes the list as a click does; only while it shows, so Escape stays free else.
    bugMemoEscape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    bugMemoEscape_->setObjectName("BugMemoEscape");
    bugMemoEscape_->setEnabled(false);
    connect(bugMemoEscape_, &QShortcut::activated, this, [this] { BugMemoClick(); });
}

void TForm1::BuildTimers() {
    ui_.AnimateTimer = new QTimer(this);
    ui_.AnimateTimer->setObjectName("AnimateTimer");
    ui_.AnimateTimer->setInterval(50);
    ui_.EditChangeTimer = new QTimer(this);
    ui_.EditChangeTimer->setObjectName("EditChangeTimer");
    ui_.EditChangeTimer->setInterval(100);
    ui_.EditChangeTimer->setSingleShot(true);
    // A coarse timer may fire up to 5% early; the 500 ms after the last key is a promise.
    ui_.EditChangeTimer->setTimerType(Qt::PreciseTimer);
}

void TForm1::ConnectEvents() {
    WindowControls& c = ui_;
    connect(c.Load1, &QAction::triggered, this, [this] { LoadButtonClick(); });
    connect(c.Save1, &QAction::triggered, this, [this] { SaveButtonClick(); });
    connect(c.ClearParameters1, &QAction::triggered, this, [this] { ClearParameters1Click(); });
    connect(c.BugList1, &QAction::triggered, this, [this] { BugList1Click(); });
    connect(c.Help1, &QAction::triggered, this, [this] { Help1Click(); });
    connect(c.Quit1, &QAction::triggered, this, [this] { QuitButtonClick(); });

    connect(c.PageControl1, &QTabWidget::currentChanged, this, [this](int) {
        QWidget* page = ui_.PageControl1->currentWidget();
        if (page == ui_.DesignSheet) DesignSheetEnter();
        if (page == ui_.HelpSheet) HelpSheetShow();
    });
    c.PageControl1->installEventFilter(this);

    inputsPage_->Connect();
    graphsPage_->Connect();
    designPage_->Connect();
    connect(c.IncreaseSchmidtPowerButton, &QPushButton::clicked, this,
            [this] { IncreaseSchmidtPowerButtonClick(); });
    reportPage_->Connect();
    connect(inputsPage_, &InputsPage::InputsReplaced, this, [this] {
        AfterNextCompute([this] {
            if (ui_.PageControl1->currentWidget() == ui_.DesignSheet) DesignSheetEnter();
        });
    });
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous() || shown_) return;
    shown_ = true;
    FormShow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormDestroy();
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.BugMemo->viewport() && event->type() == QEvent::MouseButtonPress) {
        BugMemoClick();
        return true;
    }
    if (watched == ui_.PageControl1 && event->type() == QEvent::Resize) {
        PageControl1Resize();
        graphsPage_->FitSecondGraphs();
    }
    if (LeaveUndoKeysToSteps(watched, event)) return true;
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::HelpSheetShow() {
    helpPage_->HelpSheetShow(ToQString(Locations.dataFolder));
}

void TForm1::Help1Click() {
    ui_.PageControl1->setCurrentWidget(ui_.HelpSheet);
}

// The help view fills its page through the page's layout; nothing to size by hand.
void TForm1::PageControl1Resize() {}

void TForm1::BugList1Click() {
    ui_.BugMemo->show();
    ui_.BugMemo->raise();
    bugMemoEscape_->setEnabled(true);
}

void TForm1::BugMemoClick() {
    ui_.BugMemo->lower();
    ui_.BugMemo
        ->hide();  // pages do not paint their whole background, so lowering alone shows through
    bugMemoEscape_->setEnabled(false);
}

void TForm1::ShowMessage(const QString& text) {
    dialogs_->ShowMessage(this, text);
}

int TForm1::FrameWidth() const {
    return frameGeometry().width();
}

void TForm1::SetEditDelay(int milliseconds) {
    inputsPage_->SetEditDelay(milliseconds);
    stepTimer_->setInterval(milliseconds);  // a burst of edits ends when its computation starts
}

void TForm1::EditChangeTimerTimer() {
    inputsPage_->EditChangeTimerTimer();
}

void TForm1::ClearParameters1Click() {
    inputsPage_->ClearParameters1Click();
}

void TForm1::RedGraphRGClick() {
    graphsPage_->RedGraphRGClick();
}

void TForm1::ShowGraph2RGClick() {
    graphsPage_->ShowGraph2RGClick();
}

void TForm1::AnimateButtonClick() {
    graphsPage_->AnimateButtonClick();
}

void TForm1::AnimateTimerTimer() {
    graphsPage_->AnimateTimerTimer();
}

void TForm1::DrawEngine(int position) {
    graphsPage_->DrawEngine(position);
}

void TForm1::DesignSheetEnter() {
    designPage_->DesignSheetEnter();
}

void TForm1::UsePistonDiamStrokeButtonClick() {
    designPage_->UsePistonDiamStrokeButtonClick();
}

void TForm1::UseDispDiamStrokeButtonClick() {
    designPage_->UseDispDiamStrokeButtonClick();
}

void TForm1::UseRodDiamButtonClick() {
    designPage_->UseRodDiamButtonClick();
}

}  // namespace velmora
