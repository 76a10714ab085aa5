// The width of the left report pane (Memo1): kept in "Default.INI" and applied once the
// Computed Values page has its real size.
#include <algorithm>

#include "ui/mainwindow/main_window.h"

namespace velmora {

// The report pane width applies once the splitter has its real size; until then it waits.
void TForm1::ApplyMemoWidth() {
    if (pendingMemoWidth_ < 0 || !ui_.Splitter1->isVisible()) return;
    const int total = ui_.Splitter1->width() - ui_.Splitter1->handleWidth();
    const int memo1 = std::clamp(pendingMemoWidth_, 0, std::max(0, total));
    pendingMemoWidth_ = -1;
    ui_.Splitter1->setSizes({memo1, std::max(0, total - memo1)});
}

int TForm1::MemoWidth() const {
    if (pendingMemoWidth_ >= 0) return pendingMemoWidth_;
    const QList<int> sizes = ui_.Splitter1->sizes();
    return sizes.isEmpty() ? ui_.Memo1->width() : sizes.front();
}

}  // namespace velmora
