#include "ui/pages/help/release_text.h"

#include <QCoreApplication>

#include "persistence/version_info.h"

namespace velmora {

QString ReleaseTextOfExecutable() {
    return QString::fromStdString(
        ReadReleaseText(QCoreApplication::applicationFilePath().toStdString()));
}

}  // namespace velmora
