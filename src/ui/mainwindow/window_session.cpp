#include "ui/mainwindow/window_session.h"

#include <QApplication>

#include "ui/charts/chart_panel.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

const ControlState& WindowSession::Controls() {
    ReadControls(form_.ui_, State);
    return State;
}

bool WindowSession::IsAnimating() const {
    return form_.ui_.AnimateButton->text() != "&Animate";
}

void WindowSession::StopAnimation() {
    form_.AnimateButtonClick();
}

void WindowSession::RefreshSecondGraph() {
    form_.ShowGraph2RGClick();
}

bool WindowSession::IsPowerCurveShown() const {
    return !form_.ui_.Chart3->isHidden();  // shown on its page, whichever page is current
}

void WindowSession::SetBusyCursor(bool busy) {
    if (busy == busyCursor_) return;
    busyCursor_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace velmora
