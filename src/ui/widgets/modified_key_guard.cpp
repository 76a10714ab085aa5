#include "ui/widgets/modified_key_guard.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace velmora {

namespace {

// The keys a line edit binds to editing with a modifier; they stay the field's own.
constexpr QKeySequence::StandardKey kEditingKeys[] = {
    QKeySequence::Paste,
    QKeySequence::Cut,
    QKeySequence::Copy,
    QKeySequence::SelectAll,
    QKeySequence::DeleteEndOfWord,
    QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfLine,
    QKeySequence::DeleteCompleteLine,
    QKeySequence::Undo,
    QKeySequence::Redo,
};

bool IsEditingKey(const QKeyEvent& key) {
    for (QKeySequence::StandardKey editing : kEditingKeys)
        if (key.matches(editing)) return true;
    return false;
}

// Keys with which a closed list steps to another item.
bool StepsList(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End;
}

}  // namespace

void ModifiedKeyGuard::GuardFieldsUnder(QWidget* root) {
    for (QLineEdit* field : root->findChildren<QLineEdit*>()) field->installEventFilter(this);
    for (QComboBox* list : root->findChildren<QComboBox*>()) list->installEventFilter(this);
}

void ModifiedKeyGuard::GuardWindow(QWidget* window) {
    window_ = window;
    qApp->installEventFilter(this);
}

bool ModifiedKeyGuard::WouldChangeValue(const QObject* field, const QKeyEvent& key) {
    const Qt::KeyboardModifiers held =
        key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (held == Qt::NoModifier || IsEditingKey(key)) return false;
    const QString text = key.text();
    if (!text.isEmpty() && text.front().isPrint()) return true;
    // Alt+Up and Alt+Down open a list's popup; the other modified steps would pick an item.
    const bool opensPopup =
        held == Qt::AltModifier && (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down);
    return qobject_cast<const QComboBox*>(field) != nullptr && StepsList(key.key()) && !opensPopup;
}

bool ModifiedKeyGuard::eventFilter(QObject* watched, QEvent* event) {
    if (window_ != nullptr && event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool field = qobject_cast<QLineEdit*>(watched) || qobject_cast<QComboBox*>(watched) ||
                           qobject_cast<QAbstractSpinBox*>(watched) ||
                           qobject_cast<QAbstractItemView*>(watched);
        if (widget == nullptr || !field || widget->window() != window_)
            return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress &&
        WouldChangeValue(watched, *static_cast<QKeyEvent*>(event))) {
        event->accept();  // taken: neither the field nor its parents see it
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velmora
