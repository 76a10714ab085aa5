// The tool windows treat Ctrl, Alt and Meta combinations as the main window does: no field,
// list or table of theirs takes one as typing; and each window's controls have access keys
// that do not clash.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <set>

#include "ui/support/window_fixture.h"
#include "ui/widgets/access_keys.h"

namespace velmora::testing {
namespace {

class ToolWindowKeys : public WindowTest {
  protected:
    void SetUp() override { StartWithEngine(); }

    QWidget* Open(const char* action, const char* name) {
        TriggerAction(window.get(), action);
        auto* tool = Control<QWidget>(name);
        EXPECT_NE(tool, nullptr) << name;
        return tool;
    }

    // Every caption of a tool window that can carry an access key.
    static QStringList Captions(QWidget* tool) {
        QStringList captions;
        for (QAbstractButton* button : tool->findChildren<QAbstractButton*>())
            if (!button->text().isEmpty()) captions << button->text();
        for (QLabel* label : tool->findChildren<QLabel*>())
            if (label->buddy() != nullptr) captions << label->text();
        for (QTabWidget* tabs : tool->findChildren<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
        return captions;
    }

    // Every field's text, list's choice and table cell of the window.
    static QString Values(QWidget* tool) {
        QStringList values;
        for (QLineEdit* field : tool->findChildren<QLineEdit*>()) values << field->text();
        for (QComboBox* list : tool->findChildren<QComboBox*>())
            values << QString::number(list->currentIndex());
        for (QTableWidget* table : tool->findChildren<QTableWidget*>())
            for (int r = 0; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c)
                    if (table->item(r, c)) values << table->item(r, c)->text();
        return values.join('|');
    }

    static constexpr struct {
        const char* action;
        const char* window;
    } kTools[] = {{"Optimize1", "OptimizeWindow"},
                  {"DesignSpace1", "DesignSpaceWindow"},
                  {"EnergyAndPower1", "EnergyWindow"},
                  {"LossInputs1", "LossInputsWindow"}};
};

TEST_F(ToolWindowKeys, EveryCaptionHasItsOwnAccessKey) {
    for (const auto& tool : kTools) {
        QWidget* w = Open(tool.action, tool.window);
        ASSERT_NE(w, nullptr);
        std::set<QChar> seen;
        for (const QString& caption : Captions(w)) {
            const QChar key = AccessKeyOf(caption);
            EXPECT_FALSE(key.isNull()) << tool.window << ": " << caption.toStdString();
            if (!key.isNull())
                EXPECT_TRUE(seen.insert(key).second)
                    << tool.window << ": clash on " << caption.toStdString();
        }
        w->close();
    }
    EXPECT_EQ(AccessKeyOf(Control<QAction>("EnergyAndPower1")->text()), QChar('E'));
}

TEST_F(ToolWindowKeys, ModifiedLettersChangeNoFieldListOrCell) {
    for (const auto& tool : kTools) {
        QWidget* w = Open(tool.action, tool.window);
        ASSERT_NE(w, nullptr);
        std::set<QChar> keys;
        for (const QString& caption : Captions(w)) keys.insert(AccessKeyOf(caption));
        const QString before = Values(w);
        QList<QWidget*> targets;
        for (QLineEdit* field : w->findChildren<QLineEdit*>()) targets << field;
        for (QComboBox* list : w->findChildren<QComboBox*>()) targets << list;
        for (QAbstractItemView* view : w->findChildren<QAbstractItemView*>()) targets << view;
        for (QWidget* target : targets) {
            if (!target->isVisible() || !target->isEnabled()) continue;
            target->setFocus();
            for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
                if (keys.count(QChar(key)) != 0) continue;  // its access key: not typing
                QTest::keyClick(target, static_cast<Qt::Key>(key), Qt::AltModifier);
                QTest::keyClick(target, static_cast<Qt::Key>(key), Qt::MetaModifier);
            }
            EXPECT_EQ(Values(w), before) << tool.window << " after modified letters in "
                                         << target->objectName().toStdString() << " ("
                                         << target->metaObject()->className() << ")";
        }
        w->close();
    }
}

}  // namespace
}  // namespace velmora::testing
