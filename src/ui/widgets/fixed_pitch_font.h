#pragma once

#include <QFont>

namespace velmora {

// "Courier New" at the given size where it is installed, else the system's fixed-pitch font:
// the report lines align their values by character count.
QFont FixedPitchFont(int pointSize);

// The system's proportional dialog font at the given size.
QFont DialogFont(int pointSize);

}  // namespace velmora
