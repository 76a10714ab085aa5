#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

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
QStringList LengthItems();
QStringList CurveItems();

}  // namespace velmora
