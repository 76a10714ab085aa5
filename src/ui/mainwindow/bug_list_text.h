#pragma once

#include <QString>

namespace velmora {

// The known limitations and to-do notes shown in BugMemo; the first line says how to hide it.
QString BugListText();

}  // namespace velmora
