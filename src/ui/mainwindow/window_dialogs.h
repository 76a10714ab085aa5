#pragma once

#include <QString>
#include <optional>

class QPrinter;
class QWidget;

namespace velmora {

// The window's modal dialogs and message boxes. Tests substitute their own answers so that
// no real modal dialog blocks them.
class WindowDialogs {
  public:
    virtual ~WindowDialogs() = default;

    // Full path of an existing parameter file, or nothing when the user cancels.
    virtual std::optional<QString> ChooseFileToLoad(QWidget* parent, const QString& folder);
    // Full path to save to (proposedName preset in `folder`), or nothing on cancel.
    virtual std::optional<QString> ChooseFileToSave(QWidget* parent, const QString& folder,
                                                    const QString& proposedName);
    // Full path to export to (proposedName preset in `folder`, the name filter offered), or
    // nothing on cancel. In export_dialogs.cpp.
    virtual std::optional<QString> ChooseExportFile(QWidget* parent, const QString& caption,
                                                    const QString& folder,
                                                    const QString& proposedName,
                                                    const QString& filter);
    // Sets `printer` up by the print dialog; false on cancel.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer);
    // A modal box with a single OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text);
    // Asked before unsaved edits of the design `name` would be replaced by another file.
    enum class UnsavedChoice { Save, Discard, Cancel };
    // A yes/no question; true for yes.
    virtual bool Confirm(QWidget* parent, const QString& question);
    virtual UnsavedChoice AskAboutUnsavedChanges(QWidget* parent, const QString& name);
};

}  // namespace velmora
