#include "report/unit_text.h"
#include "presentation/curve_quantities.h"
#include "ui/mainwindow/sheet_builders.h"

namespace velmora {

QLineEdit* MakeEdit(const char* name, const QString& text, int width, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    if (width > 0) edit->setFixedWidth(width);
    return edit;
}

QComboBox* MakeList(const char* name, const QStringList& items, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setMaxVisibleItems(items.size());
    return list;
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (name != nullptr) label->setObjectName(name);
    return label;
}

QStringList UnitListItems(UnitFamily family) {
    const UnitFamilyInfo& info = UnitFamilyOf(family);
    QStringList items;
    for (int i = 0; i < info.count; ++i) items << QString::fromUtf8(info.items[i].listItem);
    return items;
}

QStringList LengthItems() {
    return UnitListItems(UnitFamily::Length);
}

QStringList CurveItems() {
    QStringList items;
    for (const CurveQuantityRow& quantity : kCurveQuantities) items << quantity.item;
    return items;
}

QStringList UnitItems(InputUnitKind kind) {
    return UnitListItems(InputUnitFamily(kind));
}

std::vector<QComboBox*> WindowControls::OutputLists() const {
    std::vector<QComboBox*> lists(OutputUnitLists.size());
    for (const OutputUnitList& list : kOutputUnitLists)
        lists.at(static_cast<std::size_t>(list.panelRow)) = OutputListOf(list);
    return lists;
}

}  // namespace velmora
