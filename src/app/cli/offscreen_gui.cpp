#include "offscreen_gui.h"

#include <cstdio>

namespace velmora::cli {
namespace {

// Qt's notes about the environment (no XDG_RUNTIME_DIR, say) are no concern of a command's
// user, whose standard error carries only the command's own error lines.
void QuietMessages(QtMsgType type, const QMessageLogContext& /*context*/, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
}

int& OffscreenFirst(int& argc) {
    // Runs before the application object is built, which reads the platform then.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    return argc;
}

}  // namespace

OffscreenGui::OffscreenGui() : app_(OffscreenFirst(argc_), argv_) {}

}  // namespace velmora::cli
