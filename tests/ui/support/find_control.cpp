#include "ui/support/find_control.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace velmora::testing {

void HandlePostedEvents() {
    // Twice: handling a layout request or a resize posts the events that follow from it.
    for (int round = 0; round < 2; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void PressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

void TypeKeys(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(widget, &release);
    }
}

void ChooseItem(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void TriggerAction(QWidget* window, const char* name) {
    QAction* action = FindControl<QAction>(window, name);
    if (action != nullptr) action->trigger();
}

std::optional<QString> ScriptedDialogs::ChooseFileToLoad(QWidget*, const QString& folder) {
    LastFolder = folder;
    if (LoadAnswers.isEmpty()) return std::nullopt;
    const QString answer = LoadAnswers.takeFirst();
    if (answer.isEmpty()) return std::nullopt;
    return answer;
}

std::optional<QString> ScriptedDialogs::ChooseFileToSave(QWidget*, const QString& folder,
                                                         const QString& proposedName) {
    LastFolder = folder;
    LastProposedName = proposedName;
    if (SaveAnswers.isEmpty()) return std::nullopt;
    const QString answer = SaveAnswers.takeFirst();
    if (answer.isEmpty()) return std::nullopt;
    return answer;
}

void ScriptedDialogs::ShowMessage(QWidget*, const QString& text) {
    Messages.append(text);
}

bool ScriptedDialogs::Confirm(QWidget*, const QString& question) {
    Questions.append(question);
    return ConfirmAnswers.isEmpty() || ConfirmAnswers.takeFirst();
}

WindowDialogs::UnsavedChoice ScriptedDialogs::AskAboutUnsavedChanges(QWidget*,
                                                                     const QString& name) {
    UnsavedQuestions.append(name);
    return UnsavedAnswers.isEmpty() ? UnsavedChoice::Discard : UnsavedAnswers.takeFirst();
}

}  // namespace velmora::testing
