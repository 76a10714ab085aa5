#pragma once

#include <QComboBox>
#include <QString>
#include <string>

#include "engine/design_inputs.h"
#include "form/control_state.h"
#include "form/form_controls.h"
#include "ui/mainwindow/window_controls.h"

namespace velmora {

// Copies the page controls into `state`: texts, unit and choice lists, check boxes and the
// design fields. Window bounds, page, report pane width and number settings are left alone.
void ReadControls(const WindowControls& c, ControlState& state);

// Puts one input's text and unit choice of `state` into its field and list.
void PutInput(const WindowControls& c, const ControlState& state, const DesignInput& input);
// Puts every input's text and unit choice of `state` into its field and list (kInputs order).
void PutInputs(const WindowControls& c, const ControlState& state);
// Selects the seven output-unit lists' items.
void PutOutputUnits(const WindowControls& c, const OutputUnits& out);

// The widget of a row of kFormControls, nullptr for one without (the window's bounds).
QWidget* FormWidget(const WindowControls& c, const FormControl& row);
// Puts the values of kFormControls' rows into their widgets, except the rows their page puts.
void PutFormControls(const WindowControls& c, const ControlState& state);

// Selects item `index`, or nothing when the index names no item.
void SetListChoice(QComboBox* list, int index);

inline QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string ToStdString(const QString& text) {
    return text.toStdString();
}

}  // namespace velmora
