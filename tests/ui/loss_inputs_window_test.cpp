// Tools > Losses, Gas and Load: its fields are the design's [Gas], [Losses] and [Load] keys,
// edited as one undo step each, saved and loaded with the design, refused with the command
// line's message when unusable; and the status bar builds by the brake power of a lossy design.
#include "ui/tools/loss_inputs_window.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QUndoStack>

#include "form/design_form.h"
#include "persistence/parameter_file.h"
#include "ui/mainwindow/headline_power_view.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

constexpr const char* kLossyExample = "KESTMORE with losses.RBP";

class LossInputsInWindow : public WindowTest {
  protected:
    void SetUp() override {
        CopyExample(kLossyExample, "Default.INI");
        StartAndSettle();
        window->BugMemoClick();
        TriggerAction(window.get(), "LossInputs1");
        losses = Control<LossInputsWindow>("LossInputsWindow");
        ASSERT_NE(losses, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(losses));
    }

    QLineEdit* Field(const char* key) {
        return Control<QLineEdit>((std::string("Loss") + key).c_str());
    }
    // Types `text` over the field's and ends the edit with Enter, as the user does.
    void Enter(const char* key, const QString& text) {
        QLineEdit* field = Field(key);
        field->setFocus();
        field->selectAll();
        if (text.isEmpty()) PressKey(field, Qt::Key_Delete);
        TypeKeys(field, text);
        PressKey(field, Qt::Key_Return);
    }
    // Enter, and the computation that a usable edit starts.
    void EnterAndSettle(const char* key, const QString& text) {
        const int before = Runs();
        Enter(key, text);
        SettleAfter(before);
    }
    LossInputs DesignLosses() { return ReadDesign(window->Session().Controls()).design.losses; }
    QByteArray Bytes(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    // Files > Load Parameters of a file in the test's folder, with its computation.
    void Load(const QString& name) {
        const int before = Runs();
        dialogs->LoadAnswers << Path(name);
        TriggerAction(window.get(), "Load1");
        SettleAfter(before);
    }
    void SaveAs(const QString& name) {
        dialogs->SaveAnswers << Path(name);
        TriggerAction(window.get(), "Save1");
        ASSERT_TRUE(QFile::exists(Path(name)));
    }

    LossInputsWindow* losses = nullptr;
};

TEST_F(LossInputsInWindow, ShowsEveryKeyOfTheTableOnceWithItsTypicalValue) {
    for (const LossInput& input : kLossInputs) {
        const QString name = QString("Loss") + input.key;
        EXPECT_EQ(losses->findChildren<QWidget*>(name).size(), 1) << input.key;
    }
    EXPECT_EQ(Field("AnnulusGap")->text(), "0.5");
    EXPECT_EQ(Control<QComboBox>("LossAnnulusGapUnits")->currentText(), "mm");
    EXPECT_EQ(Field("Torque")->text(), "50");
    EXPECT_EQ(Field("RodFriction")->text(), "0");
    EXPECT_EQ(Control<QComboBox>("LossName")->currentText(), "Air");
    // The typical range follows the unit chosen: 0.0003 to 0.002 m shown in millimetres.
    EXPECT_TRUE(Field("AnnulusGap")->toolTip().endsWith("small Ringbom engine: 0.3 to 2 mm"))
        << Field("AnnulusGap")->toolTip().toStdString();
    EXPECT_TRUE(Field("MechanismEffectiveness")->toolTip().endsWith(": 0.7 to 0.95"));
    EXPECT_TRUE(Control<QComboBox>("LossName")->toolTip().endsWith(": Air"));
    // An empty field is a key not given: its default shows in grey.
    EXPECT_EQ(Field("MechanismEffectiveness")->placeholderText(), "1");
}

TEST_F(LossInputsInWindow, AnEditIsAnUndoStepOfTheDesign) {
    QUndoStack* undo = window->UndoStack();
    const int steps = undo->count();
    ASSERT_DOUBLE_EQ(DesignLosses().restitution, 0.1);
    ASSERT_FALSE(window->isWindowModified());

    EnterAndSettle("Restitution", "0.25");
    EXPECT_DOUBLE_EQ(DesignLosses().restitution, 0.25);
    EXPECT_EQ(undo->count(), steps + 1);
    EXPECT_EQ(undo->undoText(), "Restitution");
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->Session().State.lossTexts.values[5], "0.25");

    // A unit of the list: the same 0.5, now in inches.
    int before = Runs();
    ChooseItem(Control<QComboBox>("LossAnnulusGapUnits"), 2);
    SettleAfter(before);
    EXPECT_DOUBLE_EQ(DesignLosses().annulusGap, 0.5 * 0.0254);
    // The gas as a list.
    before = Runs();
    ChooseItem(Control<QComboBox>("LossName"), Control<QComboBox>("LossName")->findText("Helium"));
    SettleAfter(before);
    EXPECT_EQ(DesignLosses().gas, GasKind::Helium);
    // An emptied field takes the key out: its default, the ideal engine's.
    EnterAndSettle("MechanismEffectiveness", "");
    EXPECT_DOUBLE_EQ(DesignLosses().mechanismEffectiveness, 1.0);
    EXPECT_FALSE(window->Session().State.lossTexts.values[6].has_value());
    EXPECT_EQ(undo->count(), steps + 4);

    for (int i = 0; i < 4; ++i) {
        before = Runs();
        TriggerAction(window.get(), "Undo1");
        SettleAfter(before);
    }
    const LossInputs back = DesignLosses();
    EXPECT_DOUBLE_EQ(back.restitution, 0.1);
    EXPECT_DOUBLE_EQ(back.annulusGap, 0.0005);
    EXPECT_DOUBLE_EQ(back.mechanismEffectiveness, 0.85);
    EXPECT_EQ(back.gas, GasKind::Air);
    EXPECT_EQ(Field("Restitution")->text(), "0.1");
    EXPECT_EQ(Field("MechanismEffectiveness")->text(), "0.85");
    EXPECT_EQ(Control<QComboBox>("LossAnnulusGapUnits")->currentText(), "mm");
    EXPECT_EQ(Control<QComboBox>("LossName")->currentText(), "Air");
    EXPECT_FALSE(window->isWindowModified());

    before = Runs();
    TriggerAction(window.get(), "Redo1");
    SettleAfter(before);
    EXPECT_DOUBLE_EQ(DesignLosses().restitution, 0.25);
    EXPECT_EQ(Field("Restitution")->text(), "0.25");
}

TEST_F(LossInputsInWindow, SaveAndLoadKeepEveryKey) {
    // A new value for every key, each with its SI value worked out by hand.
    const struct {
        const char* key;
        const char* text;
        double si;
    } edits[] = {
        {"AnnulusGap", "0.8", 0.0008},  // mm, as the example's units key says
        {"DisplacerLength", "95", 0.095},
        {"RodFriction", "0.02", 0.02},
        {"RodDamping", "0.3", 0.3},
        {"Restitution", "0.2", 0.2},
        {"MechanismEffectiveness", "0.9", 0.9},
        {"HeaterConductance", "120", 120},
        {"CoolerConductance", "130", 130},
        {"StaticConductance", "0.4", 0.4},
        {"RegeneratorEffectiveness", "0.9", 0.9},
        {"Torque", "40", 40},
    };
    for (const auto& edit : edits) EnterAndSettle(edit.key, edit.text);
    const int before = Runs();
    auto* gas = Control<QComboBox>("LossName");
    ChooseItem(gas, gas->findText("Nitrogen"));
    SettleAfter(before);
    SaveAs("round.RBP");
    EXPECT_FALSE(window->isWindowModified());

    // The file read on its own, as the command line reads it.
    ControlState read;
    ASSERT_EQ(LoadParameterFile(Path("round.RBP").toStdString(), read), FileReadStatus::Read);
    const LossReading reading = ReadLossInputs(read.lossTexts);
    ASSERT_EQ(reading.problem, "");
    EXPECT_EQ(reading.inputs.gas, GasKind::Nitrogen);
    for (const auto& edit : edits) {
        const auto* row =
            std::find_if(kLossInputs.begin(), kLossInputs.end(),
                         [&](const LossInput& in) { return edit.key == std::string(in.key); });
        ASSERT_NE(row, kLossInputs.end());
        EXPECT_DOUBLE_EQ(reading.inputs.*row->field, edit.si) << edit.key;
    }

    // Another design without the sections empties the fields; loading the file brings all back.
    CopyExample("KESTMORE.RBP");
    Load("KESTMORE.RBP");
    EXPECT_FALSE(DesignLosses().given);
    for (const auto& edit : edits) EXPECT_EQ(Field(edit.key)->text(), "") << edit.key;
    EXPECT_EQ(gas->currentIndex(), 0);
    Load("round.RBP");
    for (const auto& edit : edits) EXPECT_EQ(Field(edit.key)->text(), edit.text) << edit.key;
    EXPECT_EQ(gas->currentText(), "Nitrogen");
    EXPECT_EQ(window->Session().State.lossTexts.values, read.lossTexts.values);
    EXPECT_EQ(window->Session().State.lossTexts.units, read.lossTexts.units);

    // Quick save writes an edit to the same file.
    EnterAndSettle("Torque", "45");
    TriggerAction(window.get(), "QuickSave1");
    ControlState again;
    ASSERT_EQ(LoadParameterFile(Path("round.RBP").toStdString(), again), FileReadStatus::Read);
    EXPECT_DOUBLE_EQ(ReadLossInputs(again.lossTexts).inputs.loadTorque, 45);
}

TEST_F(LossInputsInWindow, AnUnusableValueIsMarkedAndChangesNothing) {
    SaveAs("kept.RBP");
    const QByteArray saved = Bytes(Path("kept.RBP"));
    const LossInputs design = DesignLosses();
    const int steps = window->UndoStack()->count();
    const struct {
        const char* key;
        const char* text;
        const char* message;  // as the command line gives it after "velmora-cli: 'FILE': "
    } bad[] = {
        {"AnnulusGap", "-0.1", "[Losses] AnnulusGap must be 0 or more, not -0.0001"},
        {"MechanismEffectiveness", "0",
         "[Losses] MechanismEffectiveness must be above 0 and at most 1, not 0"},
        {"MechanismEffectiveness", "1.5",
         "[Losses] MechanismEffectiveness must be above 0 and at most 1, not 1.5"},
        {"Restitution", "1", "[Losses] Restitution must be from 0 to below 1, not 1"},
        {"RegeneratorEffectiveness", "-0.2",
         "[Losses] RegeneratorEffectiveness must be from 0 to 1, not -0.2"},
        {"RegeneratorEffectiveness", "1.01",
         "[Losses] RegeneratorEffectiveness must be from 0 to 1, not 1.01"},
        {"RodFriction", "x2", "[Losses] RodFriction is not a number ('x2')"},
    };
    for (const auto& value : bad) {
        QSignalSpy taken(losses, &LossInputsWindow::EditTaken);
        const QString original = Field(value.key)->text();
        Enter(value.key, value.text);
        ASSERT_TRUE(taken.count() > 0 || taken.wait(kComputeTimeoutMs)) << value.key;
        QLineEdit* field = Field(value.key);
        EXPECT_TRUE(field->property("badValue").toBool()) << value.key;
        EXPECT_TRUE(field->styleSheet().contains("red")) << value.key;
        EXPECT_EQ(field->toolTip(), QString("*** ") + value.message);
        EXPECT_EQ(losses->Problem(), value.message);
        EXPECT_EQ(field->text(), value.text);  // kept for the user to mend
        // Never the design's, never a default in its place.
        EXPECT_EQ(window->UndoStack()->count(), steps) << value.key;
        const LossInputs now = DesignLosses();
        EXPECT_DOUBLE_EQ(now.annulusGap, design.annulusGap);
        EXPECT_DOUBLE_EQ(now.mechanismEffectiveness, design.mechanismEffectiveness);
        EXPECT_DOUBLE_EQ(now.restitution, design.restitution);
        EXPECT_DOUBLE_EQ(now.regeneratorEffectiveness, design.regeneratorEffectiveness);
        // The file keeps what it held, and the user learns why.
        dialogs->Messages.clear();
        TriggerAction(window.get(), "QuickSave1");
        ASSERT_EQ(dialogs->Messages.size(), 1);
        EXPECT_TRUE(dialogs->Messages[0].contains(value.message))
            << dialogs->Messages[0].toStdString();
        EXPECT_EQ(Bytes(Path("kept.RBP")), saved);
        // Mended, the field is plain again.
        Enter(value.key, original);
        EXPECT_FALSE(field->property("badValue").toBool()) << value.key;
        EXPECT_EQ(losses->Problem(), "");
    }
    // Closed, the window forgets a refused text; saving then writes the design as it is.
    Enter("Restitution", "1");
    ASSERT_EQ(losses->Problem(), "[Losses] Restitution must be from 0 to below 1, not 1");
    losses->close();
    EXPECT_EQ(losses->Problem(), "");
    EXPECT_EQ(Field("Restitution")->text(), "0.1");
    dialogs->Messages.clear();
    TriggerAction(window.get(), "QuickSave1");
    EXPECT_TRUE(dialogs->Messages.isEmpty());
    EXPECT_EQ(Bytes(Path("kept.RBP")), saved);
}

TEST_F(LossInputsInWindow, AFileWithAnUnknownGasIsMarkedAndSaid) {
    QFile source(Path("Default.INI"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray text = source.readAll();
    text.replace("Name=Air", "Name=Argon");
    QFile argon(Path("argon.RBP"));
    ASSERT_TRUE(argon.open(QIODevice::WriteOnly));
    argon.write(text);
    argon.close();
    dialogs->Messages.clear();
    Load("argon.RBP");
    const QString message =
        "[Gas] Name names no known gas ('Argon'; Air, Helium, Hydrogen or Nitrogen)";
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_TRUE(dialogs->Messages[0].contains(message)) << dialogs->Messages[0].toStdString();
    auto* gas = Control<QComboBox>("LossName");
    EXPECT_EQ(gas->currentText(), "Argon");
    EXPECT_TRUE(gas->property("badValue").toBool());
    EXPECT_EQ(gas->toolTip(), "*** " + message);
    // Choosing a known gas mends it.
    const int before = Runs();
    ChooseItem(gas, gas->findText("Helium"));
    SettleAfter(before);
    EXPECT_FALSE(gas->property("badValue").toBool());
    EXPECT_EQ(DesignLosses().gas, GasKind::Helium);
    EXPECT_EQ(gas->findText("Argon"), -1);
}

TEST_F(LossInputsInWindow, FitsAt800x550AndLarger) {
    for (const QSize size : {QSize(800, 550), QSize(1200, 800)}) {
        losses->resize(size);
        HandlePostedEvents();
        for (QWidget* child : losses->findChildren<QWidget*>()) {
            if (!child->isVisible()) continue;
            const QRect inWindow(child->mapTo(losses, QPoint(0, 0)), child->size());
            EXPECT_TRUE(losses->rect().contains(inWindow))
                << child->objectName().toStdString() << " at " << size.width();
        }
        for (QLabel* label : losses->findChildren<QLabel*>()) {
            if (label->buddy() == nullptr) continue;
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
        losses->grab().save(QString("/tmp/velmora_loss_inputs_%1.png").arg(size.width()));
    }
    // Its smallest size fits the smallest main window.
    EXPECT_LE(losses->minimumSizeHint().height(), 550);
    EXPECT_LE(losses->minimumSizeHint().width(), 800);
}

// The power to build by of a design with losses is its brake power; without, the shaft power.
TEST_F(LossInputsInWindow, TheHeadlineSaysTheBrakePowerOfALossyDesign) {
    auto* view = window->findChild<HeadlinePowerView*>("HeadlinePowerView");
    ASSERT_NE(view, nullptr);
    auto* headline = Control<QLabel>("HeadlinePower");
    // The example's brake power at engine speed is 5,067.9 W (velmora-cli energy).
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return headline->text().startsWith("Brake"); }, kComputeTimeoutMs));
    EXPECT_EQ(headline->text(), "Brake power (accurate model with losses): 5,068 W");
    // The longer headline fits the foot of the smallest window.
    losses->close();
    window->resize(800, 550);
    HandlePostedEvents();
    EXPECT_GE(headline->width(), headline->sizeHint().width());
    window->grab().save("/tmp/velmora_brake_headline_800.png");
    QSignalSpy shown(view, &HeadlinePowerView::Shown);
    CopyExample("KESTMORE.RBP");
    Load("KESTMORE.RBP");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return headline->text().startsWith("Shaft") && !window->ComputeRunning(); },
        kComputeTimeoutMs));
    EXPECT_EQ(headline->text(), "Shaft power (accurate model): 15,975 W");
}

}  // namespace
}  // namespace velmora::testing
