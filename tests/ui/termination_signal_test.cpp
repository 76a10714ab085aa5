// SIGTERM while a modal message box is open (as at start-up with a damaged Default.INI): the
// box is closed and the window's close runs once the box's own event loop has ended.
#include "termination_signal.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <csignal>

namespace velmora {
namespace {

TEST(TerminationSignal, ClosesAnOpenMessageBoxThenTheWindow) {
    QWidget window;
    int closes = 0;
    bool boxOpenAtClose = true;
    CloseOnTerminationSignal(&window, [&] {
        ++closes;
        boxOpenAtClose = QApplication::activeModalWidget() != nullptr;
        window.close();
    });
    window.show();
    // The signal arrives while the box waits for a click.
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });
    // Should the box stay open, this ends the test instead of hanging it.
    bool gaveUp = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        gaveUp = true;
        if (QWidget* box = QApplication::activeModalWidget()) box->hide();
    });
    watchdog.start(20000);
    QMessageBox::information(&window, "Velmora", "Unable to read Default.INI", QMessageBox::Ok);
    EXPECT_FALSE(gaveUp);
    // The window's close follows on the next turn of the main loop.
    for (int turn = 0; turn < 100 && closes == 0; ++turn) QApplication::processEvents();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(boxOpenAtClose);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace velmora
