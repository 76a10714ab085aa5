#pragma once

#include <QBrush>
#include <QColor>
#include <QLineEdit>
#include <QString>
#include <QTableWidgetItem>
#include <optional>

#include "designspace/sweep_axis.h"
#include "report/number_text.h"
#include "ui/widgets/shown_numbers.h"

// The Optimize window's fields, shared by its layout and its reading of the problem.
namespace velmora::optimize_fields {

enum InputColumn { kVaryColumn, kFromColumn, kToColumn };

// A number field as typed: '.' or the user's ',' as the decimal separator.
inline std::optional<double> FieldNumber(const QString& text) {
    QString plain = text.trimmed();
    plain.replace(',', '.');
    return ParseRangeNumber(plain.toStdString());
}

inline void Mark(QLineEdit* field, const QString& problem) {
    field->setStyleSheet(problem.isEmpty() ? QString() : "background: #ffd0d0");
    field->setToolTip(problem);
}

inline void Mark(QTableWidgetItem* item, const QString& problem) {
    item->setBackground(problem.isEmpty() ? QBrush() : QBrush(QColor("#ffd0d0")));
    item->setToolTip(problem);
}

inline QString BoundText(double value) {
    return ToQString(TrialText(value, NumberSettings{}));
}

}  // namespace velmora::optimize_fields
