#include "ui/pages/inputs/typical_ranges.h"

#include <QComboBox>
#include <QLineEdit>

#include "designspace/rounded_text.h"
#include "ui/mainwindow/window_controls.h"

namespace velmora {

namespace {

constexpr QLatin1String kTypical("; typical ");

// An SI value in the unit of a list choice; the units are affine (temperatures have offsets).
double InUnit(InputUnitKind kind, int choice, double si) {
    const double zero = InputToSI(kind, choice, 0);
    const double one = InputToSI(kind, choice, 1) - zero;
    return one != 0 ? (si - zero) / one : si;
}

// "2,000 N/m (large engine)": rounded to `digits` significant digits, grouped as the window
// writes large numbers; the unit and the note when there are any.
QString EndText(InputUnitKind kind, int choice, double si, const QString& unit, const char* note,
                int digits = 3) {
    QString text = QString::fromStdString(RoundedText(InUnit(kind, choice, si), digits));
    const qsizetype dot = text.indexOf('.');
    for (qsizetype at = (dot < 0 ? text.size() : dot) - 3; at > (text.startsWith('-') ? 1 : 0);
         at -= 3)
        text.insert(at, ',');
    if (!unit.isEmpty()) text += " " + unit;
    if (note[0] != '\0') text += QString(" ") + note;
    return text;
}

// The tooltip before its range: a range the table words itself is cut off.
QString Meaning(const DesignInput& input) {
    const QString tip = input.tip;
    const qsizetype typical = tip.indexOf(kTypical);
    return input.typical->quotedInTip && typical >= 0 ? tip.left(typical) : tip;
}

}  // namespace

QString InputTip(const DesignInput& input) {
    if (!input.typical || input.typical->quotedInTip) return input.tip;
    const TypicalRange& range = *input.typical;
    const UnitFamilyInfo& family = UnitFamilyOf(InputUnitFamily(input.kind));
    auto end = [&](double si, RangeQuote quote, const char* note) {
        const QString unit = quote.named ? family.items[quote.item].name : "";
        return EndText(input.kind, quote.item, si, unit, note, quote.digits);
    };
    return QString(input.tip) + kTypical + end(range.low, range.lowQuote, range.lowNote) + " to " +
           end(range.high, range.highQuote, range.highNote);
}

QString TipInUnit(const DesignInput& input, int choice, const QString& unit) {
    if (!input.typical || !InputUnitDefined(input.kind, choice)) return InputTip(input);
    const TypicalRange& range = *input.typical;
    return Meaning(input) + kTypical + EndText(input.kind, choice, range.low, unit, range.lowNote) +
           " to " + EndText(input.kind, choice, range.high, unit, range.highNote);
}

void ConnectTypicalRanges(WindowControls& controls) {
    for (const DesignInput& input : kDesignInputs) {
        if (!input.typical) continue;
        const InputRow& row = controls.InputOf(input);
        if (row.edit == nullptr || row.units == nullptr) continue;
        auto update = [&input, row] {
            row.edit->setToolTip(
                TipInUnit(input, row.units->currentIndex(), row.units->currentText()));
        };
        update();
        QObject::connect(row.units, &QComboBox::currentIndexChanged, row.edit, update);
    }
}

}  // namespace velmora
