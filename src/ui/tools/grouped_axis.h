#pragma once

#include <QString>

#include "report/number_settings.h"

class QCategoryAxis;

namespace velmora {

// A value axis with labels at whole steps of 1, 2 or 5 times a power of ten (about `steps` of
// them), grouped as the user's locale writes numbers ("20,000"), which a printf label format
// cannot do. Its range is [low, high] widened to whole steps, or, without `widen`, [low, high]
// itself (two axes whose zeros must meet).
QCategoryAxis* GroupedValueAxis(double low, double high, int steps, const NumberSettings& numbers,
                                const QString& title, bool widen = true);

}  // namespace velmora
