#include "ui/tools/loss_inputs_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include "ui/mainwindow/main_window.h"
#include "ui/mainwindow/window_session.h"
#include "ui/pages/help/user_guide.h"
#include "ui/widgets/tools_menu.h"

namespace velmora {

namespace {

// The list item of a gas the design does not name: its default.
constexpr int kGasNotGiven = 0;

// A name the table does not know stays in the gas list, marked, until another is chosen.
void DropUnknownGas(QComboBox* list) {
    const int known = 1 + static_cast<int>(kGases.size());
    if (list->currentIndex() >= known) return;
    while (list->count() > known) list->removeItem(list->count() - 1);
}

QString Number(double value) {
    return QString::number(value, 'g', 6);
}

QString UnitName(const LossInput& input, int index) {
    return index >= 0 && index < input.unitCount
               ? QString::fromLatin1(input.units[static_cast<std::size_t>(index)].name)
               : QString();
}

// "0.3 to 2 mm" in the unit shown; the table keeps the range in SI.
QString TypicalText(const LossInput& input, int unitIndex) {
    if (input.field == nullptr) return PropertiesOf(LossInputs{}.gas).name;
    const double toSI = input.unitCount > 1 && unitIndex >= 0 && unitIndex < input.unitCount
                            ? input.units[static_cast<std::size_t>(unitIndex)].toSI
                            : 1.0;
    QString text = Number(input.typicalLow / toSI);
    if (input.typicalHigh != input.typicalLow) text += " to " + Number(input.typicalHigh / toSI);
    const QString unit = UnitName(input, input.unitCount > 1 ? unitIndex : 0);
    return unit.isEmpty() ? text : text + " " + unit;
}

std::optional<std::string> Given(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    return trimmed.toStdString();
}

}  // namespace

LossInputsWindow::LossInputsWindow(TForm1& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form) {
    setObjectName("LossInputsWindow");
    setWindowTitle("Losses, Gas and Load");
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(
        "The accurate model's losses, working gas and load. An empty field is not given: the "
        "ideal engine's value in grey applies. Each change is an undo step of the design.",
        this);
    note->setObjectName("LossInputsNote");
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* grid = new QGridLayout;
    // Fields of one width beside their units and typical values; the room left stays right.
    grid->setColumnStretch(3, 1);
    grid->setHorizontalSpacing(10);
    layout->addLayout(grid);
    layout->addStretch(1);
    rows_.resize(kLossInputs.size());
    int r = 0;
    for (std::size_t i = 0; i < kLossInputs.size(); ++i, ++r) {
        BuildRow(i);
        const Row& row = rows_[i];
        // A heading where the file's section changes: [Gas], [Losses], [Load].
        if (i == 0 || QString(kLossInputs[i].section) != kLossInputs[i - 1].section) {
            auto* heading = new QLabel(QString("<b>[%1]</b>").arg(kLossInputs[i].section), this);
            heading->setObjectName(QString("LossSection") + kLossInputs[i].section);
            grid->addWidget(heading, r++, 0, 1, 4);
        }
        grid->addWidget(row.caption, r, 0);
        grid->addWidget(row.field != nullptr ? static_cast<QWidget*>(row.field) : row.gas, r, 1);
        if (row.units != nullptr) {
            grid->addWidget(row.units, r, 2);
        } else {
            auto* unit = new QLabel(UnitName(kLossInputs[i], 0), this);
            unit->setObjectName(QString("LossUnit") + kLossInputs[i].key);
            grid->addWidget(unit, r, 2);
        }
        grid->addWidget(row.typical, r, 3);
    }
    ShowDesignTexts(true);
    // Every change of the design is an undo step (a load clears the steps).
    QUndoStack* undo = form_.UndoStack();
    connect(undo, &QUndoStack::indexChanged, this, [this] { ShowDesignTexts(false); });
    connect(undo, &QUndoStack::cleanChanged, this, [this] { ShowDesignTexts(false); });
    AddUserGuideKey(form_, this, "losses-window");
    resize(sizeHint());
}

QString LossInputsWindow::CaptionOf(const LossInput& input) {
    const QString key = input.key;
    if (key == "Name") return QString("Working ") + QString(input.section).toLower();
    if (QString(input.section) != "Losses") return QString(input.section) + " " + key.toLower();
    // "AnnulusGap" -> "Annulus gap"
    QString caption;
    for (const QChar c : key) {
        if (c.isUpper() && !caption.isEmpty())
            caption += ' ' + c.toLower();
        else
            caption += c;
    }
    return caption;
}

void LossInputsWindow::BuildRow(std::size_t index) {
    const LossInput& input = kLossInputs[index];
    Row& row = rows_[index];
    row.caption = new QLabel(CaptionOf(input) + ":", this);
    QWidget* field = nullptr;
    if (input.field == nullptr) {
        row.gas = new QComboBox(this);
        row.gas->addItem(QString(PropertiesOf(LossInputs{}.gas).name) + " (not given)");
        for (const GasProperties& gas : kGases) row.gas->addItem(gas.name);
        connect(row.gas, &QComboBox::activated, this, [this, index] { RowEdited(index); });
        field = row.gas;
    } else {
        row.field = new QLineEdit(this);
        row.field->setPlaceholderText(Number(LossInputs{}.*input.field));
        connect(row.field, &QLineEdit::editingFinished, this, [this, index] { RowEdited(index); });
        field = row.field;
    }
    field->setObjectName(QString("Loss") + input.key);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance("Nitrogen (not given)") + 40);
    row.caption->setBuddy(field);
    if (input.unitCount > 1) {
        row.units = new QComboBox(this);
        row.units->setObjectName(QString("Loss") + input.key + "Units");
        for (int u = 0; u < input.unitCount; ++u) row.units->addItem(UnitName(input, u));
        connect(row.units, &QComboBox::activated, this, [this, index] { RowEdited(index); });
    }
    row.typical = new QLabel(this);
    row.typical->setObjectName(QString("LossTypical") + input.key);
    row.typical->setStyleSheet("color: gray");
}

QString LossInputsWindow::TipOf(std::size_t index) const {
    const LossInput& input = kLossInputs[index];
    const Row& row = rows_[index];
    const int unit = row.units != nullptr ? row.units->currentIndex() : 0;
    return QString("%1 %2\nTypical for a small Ringbom engine: %3")
        .arg(QString::fromStdString(LossKeyName(input)), QString::fromUtf8(input.tip),
             TypicalText(input, unit));
}

void LossInputsWindow::ShowDesignTexts(bool all) {
    const LossTexts& texts = form_.Session().State.lossTexts;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (all || texts.values[i] != shown_.values[i] || texts.units[i] != shown_.units[i])
            ShowRow(i, texts);
    shown_ = texts;
}

void LossInputsWindow::ShowRow(std::size_t index, const LossTexts& texts) {
    Row& row = rows_[index];
    const std::optional<std::string>& value = texts.values[index];
    const QString text = value ? QString::fromStdString(*value) : QString();
    if (row.gas != nullptr) {
        DropUnknownGas(row.gas);
        int item = value ? row.gas->findText(text, Qt::MatchExactly) : kGasNotGiven;
        if (item < 1 && value) {
            row.gas->addItem(text);
            item = row.gas->count() - 1;
        }
        row.gas->setCurrentIndex(item);
    } else {
        row.field->setText(text);
        row.field->setCursorPosition(0);
    }
    if (row.units != nullptr) {
        int unit = 0;
        if (texts.units[index]) {
            bool ok = false;
            unit = QString::fromStdString(*texts.units[index]).trimmed().toInt(&ok);
            if (!ok || unit < 0 || unit >= row.units->count()) unit = 0;
        }
        row.units->setCurrentIndex(unit);
    }
    LossTexts only;
    only.values[index] = texts.values[index];
    only.units[index] = texts.units[index];
    Mark(index, QString::fromStdString(ReadLossInputs(only).problem));
}

void LossInputsWindow::ReadRow(std::size_t index, LossTexts& texts) const {
    const Row& row = rows_[index];
    if (row.gas != nullptr)
        texts.values[index] =
            row.gas->currentIndex() == kGasNotGiven ? std::nullopt : Given(row.gas->currentText());
    else
        texts.values[index] = Given(row.field->text());
    if (row.units != nullptr) {
        const int unit = row.units->currentIndex();
        // The first unit is SI: a design without the units key keeps none.
        texts.units[index] = unit == 0 && !texts.units[index]
                                 ? std::nullopt
                                 : std::optional<std::string>(std::to_string(unit));
    }
}

void LossInputsWindow::RowEdited(std::size_t index) {
    const ControlState& state = form_.Session().State;
    LossTexts texts = state.lossTexts;
    ReadRow(index, texts);
    LossTexts only;
    only.values[index] = texts.values[index];
    only.units[index] = texts.units[index];
    const QString problem = QString::fromStdString(ReadLossInputs(only).problem);
    Mark(index, problem);
    if (rows_[index].gas != nullptr) DropUnknownGas(rows_[index].gas);
    if (problem.isEmpty() &&
        (texts.values != state.lossTexts.values || texts.units != state.lossTexts.units)) {
        ControlState inputs = form_.Session().Controls();
        inputs.lossTexts = texts;
        shown_ = texts;  // already in the rows
        form_.ApplyInputsAsOneStep(inputs, CaptionOf(kLossInputs[index]));
    }
    emit EditTaken();
}

void LossInputsWindow::Mark(std::size_t index, const QString& problem) {
    Row& row = rows_[index];
    row.problem = problem;
    QWidget* field = row.field != nullptr ? static_cast<QWidget*>(row.field) : row.gas;
    const bool mark = !problem.isEmpty();
    if (field->property("badValue").toBool() != mark) {
        field->setProperty("badValue", mark);
        field->setStyleSheet(
            mark ? QString("%1 { border: 2px solid red; }").arg(field->metaObject()->className())
                 : QString());
    }
    field->setToolTip(mark ? "*** " + problem : TipOf(index));
    row.caption->setToolTip(TipOf(index));
    row.typical->setText(
        "typical " + TypicalText(kLossInputs[index], row.units ? row.units->currentIndex() : 0));
}

QString LossInputsWindow::Problem() const {
    for (const Row& row : rows_)
        if (!row.problem.isEmpty()) return row.problem;
    return {};
}

void LossInputsWindow::hideEvent(QHideEvent* event) {
    // A refused text was never the design's: the closed window forgets it, and a save then
    // writes what the design holds. Only the window's own copy of the design's texts is read:
    // the main window hides this one also while it is destroyed.
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (!rows_[i].problem.isEmpty()) ShowRow(i, shown_);
    QWidget::hideEvent(event);
}

void AddLossInputsMenu(TForm1& form, QMenuBar* bar) {
    AddToolWindowAction<LossInputsWindow>(form, bar, "Losses, Gas and Load...", "LossInputs1",
                                          "LossInputsWindow", [](LossInputsWindow&) {});
}

}  // namespace velmora
