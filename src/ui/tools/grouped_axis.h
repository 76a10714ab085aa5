#pragma once

#include <QString>

#include "model/number_settings.h"

class QCategoryAxis;

namespace velmora {

// A value axis over [low, high] widened to whole steps of 1, 2 or 5 times a power of ten
// (about `steps` of them), its labels grouped as the user's locale writes numbers ("20,000"),
// which a printf label format cannot do.
QCategoryAxis* GroupedValueAxis(double low, double high, int steps, const NumberSettings& numbers,
                                const QString& title);

}  // namespace velmora
