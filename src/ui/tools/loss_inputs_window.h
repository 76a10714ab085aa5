#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "engine/loss_inputs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;

namespace velmora {

class TForm1;

// Tools > Losses, Gas and Load...: one row per key of the loss table ([Gas], [Losses], [Load]),
// each a caption, its field (the gas as a list) and its unit. The fields show the texts the
// design holds: an empty field is a key the design does not give (its default). A usable edit
// is a change of the main window's design like any other (an undo step, a recomputation, the
// unsaved mark); an unusable one is marked in its field with the message the command line
// gives and changes nothing.
class LossInputsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit LossInputsWindow(TForm1& form, QWidget* parent = nullptr);

    // The first problem of a marked field ("[Losses] Restitution must be ..."), empty when
    // every field is usable.
    QString Problem() const;
    // The caption of a row of the loss table ("Annulus gap").
    static QString CaptionOf(const LossInput& input);

  signals:
    // A field's text was taken into the design, or refused and marked.
    void EditTaken();

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    struct Row {
        QLabel* caption = nullptr;
        QLineEdit* field = nullptr;  // null for the gas
        QComboBox* gas = nullptr;
        QComboBox* units = nullptr;  // null for a single unit
        QLabel* typical = nullptr;   // the typical value in the unit shown
        QString problem;
    };
    void BuildRow(std::size_t index);
    // Puts the design's texts into the rows whose text the design changed since last shown.
    void ShowDesignTexts(bool all);
    void ShowRow(std::size_t index, const LossTexts& texts);
    // The row's text and unit as the file would hold them (no text: the key is not given).
    void ReadRow(std::size_t index, LossTexts& texts) const;
    void RowEdited(std::size_t index);
    void Mark(std::size_t index, const QString& problem);
    QString TipOf(std::size_t index) const;

    TForm1& form_;
    std::vector<Row> rows_;
    LossTexts shown_;  // the design's texts as last put into the rows
};

// Adds Tools > Losses, Gas and Load... to the main window's menu bar.
void AddLossInputsMenu(TForm1& form, QMenuBar* bar);

}  // namespace velmora
