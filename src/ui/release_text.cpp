#include "ui/release_text.h"

namespace velmora {

QString ReleaseTextOfExecutable() {
    return QString();
}

}  // namespace velmora
