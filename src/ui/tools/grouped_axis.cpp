#include "ui/tools/grouped_axis.h"

#include <QCategoryAxis>
#include <cmath>

#include "presentation/loss_waterfall.h"

namespace velmora {

namespace {

double NiceStep(double range, int count) {
    const double rough = range / count;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough) return factor * power;
    return 10 * power;
}

}  // namespace

QCategoryAxis* GroupedValueAxis(double low, double high, int steps, const NumberSettings& numbers,
                                const QString& title, bool widen) {
    auto* axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    if (!std::isfinite(low) || !std::isfinite(high)) low = 0, high = 1;
    if (!(high > low)) high = low + std::max(1.0, std::abs(low));
    const double step = NiceStep(high - low, std::max(steps, 1));
    const double first = widen ? std::floor(low / step) * step : std::ceil(low / step) * step;
    const double last = widen ? std::ceil(high / step) * step : std::floor(high / step) * step;
    axis->setRange(widen ? first : low, widen ? last : high);
    // Each label marks the end of a category; the first one ends at the axis' start.
    axis->setStartValue(first - step);
    const int count = static_cast<int>(std::lround((last - first) / step));
    for (int i = 0; i <= count; ++i) {
        const double value = first + i * step;
        // Labels must differ: a tiny step below 10 shows its tenths.
        axis->append(
            QString::fromStdString(ChartNumber(std::abs(value) < 1e-9 * step ? 0 : value, numbers)),
            value);
    }
    return axis;
}

}  // namespace velmora
