#include "ui/widgets/fixed_pitch_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace velmora {

QFont FixedPitchFont(int pointSize) {
    QFont font = QFontDatabase::families().contains("Courier New")
                     ? QFont("Courier New")
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(pointSize);
    return font;
}

QFont DialogFont(int pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(pointSize);
    return font;
}

}  // namespace velmora
