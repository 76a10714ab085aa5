#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include "report/unit_text.h"
#include "ui/mainwindow/window_controls.h"

namespace velmora {

// Each builder creates one page of PageControl1 with all its controls, stores the pointers
// in `c` and returns the page.
QWidget* BuildInputSheet(WindowControls& c);
QWidget* BuildMemoSheet(WindowControls& c);
QWidget* BuildGraphSheet(WindowControls& c);
QWidget* BuildDesignSheet(WindowControls& c);
QWidget* BuildHelpSheet(WindowControls& c);

// Small factories shared by the builders.
QLineEdit* MakeEdit(const char* name, const QString& text, int width, QWidget* parent);
QComboBox* MakeList(const char* name, const QStringList& items, QWidget* parent);
QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent);

// Item lists of the unit and choice lists.
// The items of a unit list, from the unit-family table.
QStringList UnitListItems(UnitFamily family);
QStringList LengthItems();
// The unit list of an input of this kind (an output list of the same kind shows the same items).
QStringList UnitItems(InputUnitKind kind);
QStringList CurveItems();

}  // namespace velmora
