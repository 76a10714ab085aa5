#include "locale/number_settings_from_locale.h"

namespace velmora {

NumberSettings NumberSettingsFromLocale(const QLocale& locale) {
    const QByteArray decimal = locale.decimalPoint().toUtf8();
    const QByteArray group = locale.groupSeparator().toUtf8();
    return MakeNumberSettings(std::string_view(decimal.constData(), decimal.size()),
                              std::string_view(group.constData(), group.size()));
}

NumberSettings NumberSettingsFromSystemLocale() {
    return NumberSettingsFromLocale(QLocale::system());
}

}  // namespace velmora
