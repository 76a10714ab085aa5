#pragma once

#include <QLocale>

#include "report/number_settings.h"

namespace velmora {

// The decimal and group separators of `locale`, as UTF-8 (U+202F and U+00A0 included).
NumberSettings NumberSettingsFromLocale(const QLocale& locale);

// The same for the environment's locale (LC_ALL, LC_NUMERIC, LANG), read once at start-up by
// the window and by velmora-cli report, so that both write the same report.
NumberSettings NumberSettingsFromSystemLocale();

}  // namespace velmora
