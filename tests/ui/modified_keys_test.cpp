// Ctrl, Alt and Meta combinations that are no shortcut never change an input field, and the
// menus' access keys do not clash.
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <set>

#include "ui/support/window_fixture.h"
#include "ui/widgets/modified_key_guard.h"

namespace velmora::testing {
namespace {

class ModifiedKeys : public WindowTest {
  protected:
    void StartAndWaitForFirstRun() {
        Start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Runs() > 0; }, 10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !EditChangeTimer()->isActive(); }, 10000));
    }

    QTimer* EditChangeTimer() { return window->Ui().EditChangeTimer; }

    // Every field's text and every list's choice of the window, by name.
    std::string Values() {
        QStringList values;
        for (QLineEdit* field : window->centralWidget()->findChildren<QLineEdit*>())
            values << field->objectName() + "=" + field->text();
        for (QComboBox* list : window->centralWidget()->findChildren<QComboBox*>())
            values << list->objectName() + "=" + QString::number(list->currentIndex());
        values.sort();  // a page brought forward reorders its widgets among their siblings
        return values.join("\n").toStdString();
    }
};

// The letter of a caption's access key ('&' before it), or 0.
QChar AccessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1].toUpper();
        ++i;  // "&&" is a plain '&'
    }
    return QChar();
}

TEST_F(ModifiedKeys, AltLettersChangeNoFieldOfAnyKindAndComputeNothing) {
    StartAndWaitForFirstRun();
    // The menu bar's own access keys open their menus; every other letter is no shortcut.
    std::set<QChar> menuKeys;
    for (QAction* menu : window->menuBar()->actions()) menuKeys.insert(AccessKey(menu->text()));
    const struct {
        const char* page;
        const char* field;
    } fields[] = {
        {"InputSheet", "EditDispDiameter"},      {"InputSheet", "DispDiameterUnits"},
        {"InputSheet", "LengthOutputFormatRG"},  {"GraphSheet", "EditXAxisOffset"},
        {"GraphSheet", "ComputeCycleCountEdit"}, {"GraphSheet", "RedGraphRG"},
        {"DesignSheet", "EditStep3PistonDiam"},  {"DesignSheet", "EditStep5DispStroke"},
    };
    const std::string before = Values();
    const int runs = Runs();
    const int steps = window->UndoStack()->count();
    for (const auto& [page, name] : fields) {
        window->Ui().PageControl1->setCurrentWidget(Control<QWidget>(page));
        auto* field = Control<QWidget>(name);
        ASSERT_NE(field, nullptr);
        field->setFocus();
        for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
            if (menuKeys.count(QChar(key)) != 0) continue;
            QTest::keyClick(field, static_cast<Qt::Key>(key), Qt::AltModifier);
            QTest::keyClick(field, static_cast<Qt::Key>(key), Qt::AltModifier | Qt::ShiftModifier);
            QTest::keyClick(field, static_cast<Qt::Key>(key), Qt::MetaModifier);
        }
        EXPECT_EQ(Values(), before) << "after Alt+letters in " << name;
        EXPECT_FALSE(EditChangeTimer()->isActive()) << name;
    }
    // Nothing waits to run either: a typed letter would have restarted the change timer.
    EXPECT_FALSE(window->ComputeRunning());
    EXPECT_EQ(Runs(), runs);
    EXPECT_EQ(window->UndoStack()->count(), steps);
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(ModifiedKeys, PlainTypingAndEditingKeysStillWork) {
    StartAndWaitForFirstRun();
    window->Ui().PageControl1->setCurrentWidget(Control<QWidget>("InputSheet"));
    auto* field = Control<QLineEdit>("EditDispDiameter");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "130");
    EXPECT_EQ(field->text(), "130");
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);  // select all stays the field's
    EXPECT_EQ(field->selectedText(), "130");
    ASSERT_TRUE(QTest::qWaitFor([&] { return EditChangeTimer()->isActive(); }, 1000));
}

TEST(ModifiedKeyGuardRule, TakesPrintableModifiedKeysAndListStepsOnly) {
    QLineEdit field;
    QComboBox list;
    auto press = [](int key, Qt::KeyboardModifiers held, const QString& text = {}) {
        return QKeyEvent(QEvent::KeyPress, key, held, text);
    };
    EXPECT_TRUE(ModifiedKeyGuard::WouldChangeValue(&field, press(Qt::Key_F, Qt::AltModifier, "f")));
    EXPECT_TRUE(ModifiedKeyGuard::WouldChangeValue(
        &field, press(Qt::Key_1, Qt::ControlModifier | Qt::AltModifier, "1")));
    EXPECT_TRUE(ModifiedKeyGuard::WouldChangeValue(&list, press(Qt::Key_T, Qt::MetaModifier, "t")));
    EXPECT_TRUE(ModifiedKeyGuard::WouldChangeValue(&list, press(Qt::Key_End, Qt::AltModifier)));
    // Plain typing, the popup key, page switching and the field's editing keys pass.
    EXPECT_FALSE(ModifiedKeyGuard::WouldChangeValue(&field, press(Qt::Key_F, Qt::NoModifier, "f")));
    EXPECT_FALSE(ModifiedKeyGuard::WouldChangeValue(&list, press(Qt::Key_Down, Qt::AltModifier)));
    EXPECT_FALSE(
        ModifiedKeyGuard::WouldChangeValue(&field, press(Qt::Key_Tab, Qt::ControlModifier)));
    EXPECT_FALSE(
        ModifiedKeyGuard::WouldChangeValue(&field, press(Qt::Key_Home, Qt::ControlModifier)));
    EXPECT_FALSE(
        ModifiedKeyGuard::WouldChangeValue(&field, press(Qt::Key_V, Qt::ControlModifier, "v")));
}

// Access keys of each menu are distinct; Files, Bug List and Help have none, Quit has Q.
TEST_F(ModifiedKeys, MenuAccessKeysDoNotClash) {
    StartAndWaitForFirstRun();
    QMenuBar* bar = window->menuBar();
    std::map<QString, QChar> barKeys;
    for (QAction* menu : bar->actions())
        barKeys[QString(menu->text()).remove('&')] = AccessKey(menu->text());
    EXPECT_TRUE(barKeys.at("Files").isNull());
    EXPECT_TRUE(barKeys.at("Bug List").isNull());
    EXPECT_TRUE(barKeys.at("Help").isNull());
    EXPECT_EQ(barKeys.at("Quit"), QChar('Q'));
    EXPECT_EQ(barKeys.at("Edit"), QChar('E'));
    EXPECT_EQ(barKeys.at("Tools"), QChar('T'));
    std::vector<QList<QAction*>> menus{bar->actions()};
    for (QMenu* menu : bar->findChildren<QMenu*>()) menus.push_back(menu->actions());
    for (QMenu* menu : window->findChildren<QMenu*>()) menus.push_back(menu->actions());
    for (const QList<QAction*>& items : menus) {
        std::set<QChar> seen;
        for (QAction* item : items) {
            if (item->isSeparator()) continue;
            const QChar key = AccessKey(item->text());
            if (key.isNull() || key.isDigit()) continue;  // recent files are numbered
            EXPECT_TRUE(seen.insert(key).second) << "clash on " << item->text().toStdString();
        }
    }
    // Every item added beyond the three of old has one.
    for (const char* name : {"Undo1", "Redo1", "DesignSpace1", "Optimize1", "PrintReport1",
                             "QuickSave1", "LossInputs1"})
        EXPECT_FALSE(AccessKey(Control<QAction>(name)->text()).isNull()) << name;
    for (const char* name : {"RecentFiles1", "Export1", "Edit1", "Tools1"})
        EXPECT_FALSE(AccessKey(Control<QMenu>(name)->title()).isNull()) << name;
}

}  // namespace
}  // namespace velmora::testing
