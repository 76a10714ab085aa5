#include "ui/widgets/shown_numbers.h"

#include <cctype>
#include <cmath>

#include "designspace/rounded_text.h"

namespace velmora {

namespace {

// Below this a power is the rounding of a design that does not run.
constexpr double kRunningPowerW = 1e-3;

}  // namespace

QString GroupedNumber(const std::string& plain, const NumberSettings& numbers) {
    std::size_t start = plain.empty() || (plain[0] != '-' && plain[0] != '+') ? 0 : 1;
    std::size_t point = plain.size();
    for (std::size_t i = start; i < plain.size(); ++i) {
        const char c = plain[i];
        if (c == '.' && point == plain.size()) {
            point = i;
        } else if (!std::isdigit(static_cast<unsigned char>(c))) {
            return QString::fromStdString(plain);  // an exponent, or a word
        }
    }
    if (start == plain.size()) return QString::fromStdString(plain);
    std::string shown = plain.substr(0, start);
    for (std::size_t i = start; i < point; ++i) {
        shown += plain[i];
        const std::size_t left = point - i - 1;
        if (left > 0 && left % 3 == 0) shown += numbers.thousandsSeparator;
    }
    if (point < plain.size()) shown += numbers.decimalSeparator + plain.substr(point + 1);
    return QString::fromStdString(shown);
}

QString ReadoutNumber(double value, const NumberSettings& numbers) {
    if (!std::isfinite(value)) return "-";
    return GroupedNumber(RoundedText(value, 4), numbers);
}

QString PowerOrNotRunning(const std::string& plain, double watts, const NumberSettings& numbers) {
    if (!std::isfinite(watts) || std::fabs(watts) < kRunningPowerW) return "- (not running)";
    return GroupedNumber(plain, numbers);
}

}  // namespace velmora
