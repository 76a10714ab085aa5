#pragma once

#include <QString>

namespace velmora {

// The release number a.b.c.d of the running executable, or an empty text.
QString ReleaseTextOfExecutable();

}  // namespace velmora
