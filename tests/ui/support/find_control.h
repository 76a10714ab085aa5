#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "ui/mainwindow/window_dialogs.h"

namespace velmora::testing {

// The control named `name` below `root`; fails the test when there is none.
template <class T>
T* FindControl(QObject* root, const char* name) {
    T* control = root->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << "no control named " << name;
    return control;
}

// Handles the events already posted (layout requests, resizes, repaints) without waiting for
// time to pass: what a layout needs before its geometry can be read.
void HandlePostedEvents();

// Sends one key press and release per character, as typing does.
void TypeKeys(QWidget* widget, const QString& text);
void PressKey(QWidget* widget, int key);

// Chooses a list item as the user does: sets it and raises the list's "activated" event.
void ChooseItem(QComboBox* list, int index);

// Triggers the menu command named `name` of the window.
void TriggerAction(QWidget* window, const char* name);

// Dialog answers queued by the test, and the messages the window showed.
class ScriptedDialogs : public WindowDialogs {
  public:
    std::optional<QString> ChooseFileToLoad(QWidget*, const QString& folder) override;
    std::optional<QString> ChooseFileToSave(QWidget*, const QString& folder,
                                            const QString& proposedName) override;
    void ShowMessage(QWidget*, const QString& text) override;
    UnsavedChoice AskAboutUnsavedChanges(QWidget*, const QString& name) override;
    bool Confirm(QWidget*, const QString& question) override;

    // One answer per dialog shown, in order; an empty text (or no answer left) cancels.
    QStringList LoadAnswers;
    QStringList SaveAnswers;
    QStringList Messages;
    QString LastProposedName;
    QString LastFolder;
    // Answers to the unsaved-changes question, in order; none left discards. The names asked
    // about are noted.
    QList<UnsavedChoice> UnsavedAnswers;
    QStringList UnsavedQuestions;
    // Answers to yes/no questions, in order; none left says yes. The questions are noted.
    QList<bool> ConfirmAnswers;
    QStringList Questions;
};

}  // namespace velmora::testing
