#include "ui/number_settings_from_locale.h"

#include <QLocale>

namespace velmora {

NumberSettings NumberSettingsFromSystemLocale() {
    const QLocale locale = QLocale::system();
    NumberSettings numbers;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    // Our texts are single-byte; keep the defaults for separators that are not.
    if (decimal.size() == 1 && decimal[0].unicode() < 128)
        numbers.decimalSeparator = decimal[0].toLatin1();
    if (group.size() == 1 && group[0].unicode() < 128)
        numbers.thousandsSeparator = group[0].toLatin1();
    if (numbers.thousandsSeparator == numbers.decimalSeparator) numbers.thousandsSeparator = ',';
    return numbers;
}

}  // namespace velmora
