#pragma once

#include "model/number_settings.h"

namespace velmora {

// The decimal and thousands separators of the system locale, read once at start-up.
NumberSettings NumberSettingsFromSystemLocale();

}  // namespace velmora
