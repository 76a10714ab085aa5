#include "ui/commands/compare_commands.h"

#include <QAction>
#include <QDateTime>
#include <QMenu>
#include <QMenuBar>

#include "ui/charts/chart_panel.h"
#include "ui/commands/export_commands.h"
#include "ui/mainwindow/main_window.h"
#include "ui/widgets/tools_menu.h"

namespace velmora {

CompareCommands::CompareCommands(TForm1& form, QAction* hold, QAction* release)
    : QObject(&form), form_(form), hold_(hold), release_(release) {
    setObjectName("CompareCommands");
    release_->setEnabled(false);
    connect(hold_, &QAction::triggered, this, &CompareCommands::Hold);
    connect(release_, &QAction::triggered, this, &CompareCommands::Release);
    // The legend names the live design by the window's file name.
    connect(&form_, &QWidget::windowTitleChanged, this, [this] {
        if (held_) Show();
    });
}

std::string CompareCommands::LiveName() const {
    return form_.Exports().BaseName().toStdString();
}

void CompareCommands::Hold() {
    // A held design is the user's reference: replacing it is asked first.
    if (held_ && !form_.Dialogs().Confirm(
                     &form_, QString("Replace the held design %1 with the design now shown?")
                                 .arg(QString::fromStdString(held_->name))))
        return;
    // Two runs of one file are told apart by the time the first was held.
    const QString name = QString("%1 (%2)").arg(form_.Exports().BaseName(),
                                                QDateTime::currentDateTime().toString("HH:mm:ss"));
    held_ = HoldDesign(form_.Session(), name.toStdString());
    held_->controls = form_.Session().Controls();
    release_->setEnabled(true);
    Show();
    emit HeldChanged();
}

void CompareCommands::Release() {
    held_.reset();
    release_->setEnabled(false);
    Show();
    emit HeldChanged();
}

ChartData CompareCommands::Exported(ChartData live, ChartKind kind) const {
    if (!held_) return live;
    return WithHeldCurves(live, LiveName(), held_->Of(kind), held_->name);
}

void CompareCommands::Show() {
    WindowControls& c = form_.Ui();
    const struct {
        ChartPanel* chart;
        ChartKind kind;
    } charts[] = {{c.MainChart, ChartKind::Main},
                  {c.MainChartA, ChartKind::Main},
                  {c.PVChart, ChartKind::PressureVolume},
                  {c.Chart3, ChartKind::Power}};
    for (const auto& [chart, kind] : charts) {
        if (!held_) {
            chart->SetHeld({}, {});
            continue;
        }
        const ChartData& held = held_->Of(kind);
        const std::uint32_t rgb = held.curves.empty() ? 0 : held.curves.front().rgb;
        chart->SetHeld(held.curves,
                       {{"live: " + LiveName(), rgb, false}, {"held: " + held_->name, rgb, true}});
    }
    // The charts take their scales again, now with (or without) the held curves.
    form_.ShowResults();
}

void AddCompareMenu(TForm1& form, QMenuBar* bar) {
    QMenu* tools = ToolsMenu(bar);
    tools->addSeparator();
    QAction* hold = tools->addAction("&Hold for Comparison");
    hold->setObjectName("HoldComparison1");
    QAction* release = tools->addAction("&Release Comparison");
    release->setObjectName("ReleaseComparison1");
    new CompareCommands(form, hold, release);
}

}  // namespace velmora
