#include "ui/mainwindow/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/charts/chart_panel.h"
#include "ui/commands/compare_commands.h"
#include "ui/commands/export_commands.h"
#include "ui/mainwindow/bug_list_text.h"
#include "ui/mainwindow/control_help.h"
#include "ui/mainwindow/sheet_builders.h"
#include "ui/pages/help/user_guide.h"
#include "ui/pages/inputs/typical_ranges.h"
#include "ui/tools/design_space_window.h"
#include "ui/tools/optimize_window.h"
#include "ui/widgets/fixed_pitch_font.h"

namespace velmora {

TForm1::TForm1(QString exeFolder, std::unique_ptr<WindowDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent),
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
    ConnectEvents();
    ConnectInputSteps();
    exports_ = new ExportCommands(*this, *dialogs_);
    exports_->Install();
    ConnectChartReadouts();
    resize(776, 532 + menuBar()->sizeHint().height());
    FormCreate();
}

TForm1::~TForm1() {
    FormDestroy();
    // The undo stack is a child, cleared (and signalling) only when QWidget's destructor
    // deletes it, after this object's own members are gone.
    undo_->disconnect(this);
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
    AddDesignSpaceMenu(*this, bar);
    AddOptimizeMenu(*this, bar);
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
}

void TForm1::BuildTimers() {
    ui_.AnimateTimer = new QTimer(this);
    ui_.AnimateTimer->setObjectName("AnimateTimer");
    ui_.AnimateTimer->setInterval(50);
    ui_.EditChangeTimer = new QTimer(this);
    ui_.EditChangeTimer->setObjectName("EditChangeTimer");
    ui_.EditChangeTimer->setInterval(100);
    ui_.EditChangeTimer->setSingleShot(true);
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

    ConnectInputPage();
    ConnectGraphPage();
    ConnectDesignPage();
    c.Splitter1->installEventFilter(this);
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
        FitSecondGraphs();
    }
    if (watched == ui_.Splitter1 &&
        (event->type() == QEvent::Show || event->type() == QEvent::Resize))
        ApplyMemoWidth();
    if (LeaveUndoKeysToSteps(watched, event)) return true;
    FilterInputFieldEvent(watched, event);
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::Compute(bool forceSimulation, bool refreshSecondGraph) {
    ComputeDriver& driver = session_.Driver;
    const int before = driver.RunCount();
    driver.Compute(forceSimulation, refreshSecondGraph);
    // A call turned away (loading) or served later by the run in progress shows nothing yet.
    if (driver.ComputeBusy || driver.RunCount() == before) return;
    ShowResults();
}

}  // namespace velmora
