#include "ui/pages/report/report_page.h"

#include <QEvent>
#include <QStringList>
#include <algorithm>

#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/window_controls.h"

namespace velmora {

namespace {

void ShowLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
    QStringList text;
    text.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) text.append(ToQString(line));
    memo->setPlainText(text.join('\n'));
}

}  // namespace

ReportPage::ReportPage(WindowControls& controls, QObject* parent) : QObject(parent), c_(controls) {
    setObjectName("ReportPage");
}

void ReportPage::Connect() {
    c_.Splitter1->installEventFilter(this);
}

void ReportPage::ShowReports(const std::vector<std::string>& memo1,
                             const std::vector<std::string>& memo2) {
    ShowLines(c_.Memo1, memo1);
    ShowLines(c_.Memo2, memo2);
}

void ReportPage::SetMemoWidth(int width) {
    pendingMemoWidth_ = width;
    ApplyMemoWidth();
}

// The report pane width applies once the splitter has its real size; until then it waits.
void ReportPage::ApplyMemoWidth() {
    if (pendingMemoWidth_ < 0 || !c_.Splitter1->isVisible()) return;
    const int total = c_.Splitter1->width() - c_.Splitter1->handleWidth();
    const int memo1 = std::clamp(pendingMemoWidth_, 0, std::max(0, total));
    pendingMemoWidth_ = -1;
    c_.Splitter1->setSizes({memo1, std::max(0, total - memo1)});
}

int ReportPage::MemoWidth() const {
    if (pendingMemoWidth_ >= 0) return pendingMemoWidth_;
    const QList<int> sizes = c_.Splitter1->sizes();
    return sizes.isEmpty() ? c_.Memo1->width() : sizes.front();
}

bool ReportPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.Splitter1 &&
        (event->type() == QEvent::Show || event->type() == QEvent::Resize))
        ApplyMemoWidth();
    return QObject::eventFilter(watched, event);
}

}  // namespace velmora
