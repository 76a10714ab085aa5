#include <unistd.h>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <map>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class ParameterFiles : public WindowTest {};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// section/key -> value of every key of an INI text.
std::map<std::string, std::string> Keys(const QByteArray& text) {
    std::map<std::string, std::string> keys;
    std::string section;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.startsWith('[')) section = line.mid(1, line.size() - 2).toStdString();
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            keys[section + "/" + line.left(eq).toStdString()] = line.mid(eq + 1).toStdString();
    }
    return keys;
}

TEST_F(ParameterFiles, LoadComputesAtOnceAndSaveWritesTheSameKeys) {
    CopyExample("KESTMORE.RBP");
    StartAndSettle();
    const int before = Runs();
    dialogs->LoadAnswers << Path("KESTMORE.RBP");
    TriggerAction(window.get(), "Load1");
    EXPECT_TRUE(window->ComputeRunning());  // at once, not after the typing delay
    SettleAfter(before);
    EXPECT_EQ(Runs(), before + 1);
    EXPECT_EQ(window->Caption(), "Velmora -- KESTMORE");
    EXPECT_EQ(Control<QLineEdit>("EditDispDiameter")->text(), "127.2");
    EXPECT_EQ(Control<QComboBox>("DispMassUnits")->currentText(), "kilo-grams");
    EXPECT_FALSE(Control<QCheckBox>("LeakCB")->isChecked());
    // Loaded through the menu, the reference engine is checked line by line.
    EXPECT_TRUE(Control<QPlainTextEdit>("Memo2")->toPlainText().contains("[Checked]"));
    EXPECT_TRUE(dialogs->Messages.isEmpty());

    dialogs->SaveAnswers << Path("Copy.RBP");
    TriggerAction(window.get(), "Save1");
    EXPECT_EQ(dialogs->LastProposedName, "KESTMORE.RBP");
    EXPECT_EQ(window->Caption(), "Velmora -- Copy");
    std::map<std::string, std::string> saved = Keys(ReadAll(Path("Copy.RBP")));
    std::map<std::string, std::string> original = Keys(ReadAll(Path("KESTMORE.RBP")));
    EXPECT_EQ(saved.size(), 56u);
    for (const char* bounds : {"Position/Left", "Position/Top"}) {
        saved.erase(bounds);  // the window manager may place the window elsewhere
        original.erase(bounds);
    }
    EXPECT_EQ(saved, original);
}

TEST_F(ParameterFiles, TextsThatAreNoNumbersSurviveARoundTrip) {
    StartAndSettle();
    Control<QLineEdit>("EditPistonStroke")->setText("abc");
    Control<QLineEdit>("EditStep3PistonDiam")->setText("0.50");
    dialogs->SaveAnswers << Path("Odd.RBP");
    TriggerAction(window.get(), "Save1");
    Control<QLineEdit>("EditPistonStroke")->setText("1");
    Control<QLineEdit>("EditStep3PistonDiam")->clear();
    dialogs->LoadAnswers << Path("Odd.RBP");
    TriggerAction(window.get(), "Load1");
    EXPECT_EQ(Control<QLineEdit>("EditPistonStroke")->text(), "abc");
    EXPECT_EQ(Control<QLineEdit>("EditStep3PistonDiam")->text(), "0.50");
}

TEST_F(ParameterFiles, LoadingItselfStartsNoComputationNoCautionAndNoTimer) {
    // Equalization on and a computed-cycle count: typing this would show the caution.
    WriteAll(Path("Leak.RBP"),
             "[Engine]\nLeakDown=Yes\n[ComputeCycle]\nCount=3\n[Gravity]\nEnabled=Yes\n");
    StartAndSettle();
    Control<QCheckBox>("LeakCB")->setChecked(false);
    Control<QCheckBox>("GravityCB")->setChecked(false);  // recomputes at once
    Settle();
    dialogs->Messages.clear();
    const int before = Runs();
    dialogs->LoadAnswers << Path("Leak.RBP");
    TriggerAction(window.get(), "Load1");
    EXPECT_TRUE(Control<QCheckBox>("LeakCB")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>("GravityCB")->isChecked());
    EXPECT_TRUE(dialogs->Messages.isEmpty());
    EXPECT_FALSE(Control<QTimer>("EditChangeTimer")->isActive());
    SettleAfter(before);
    EXPECT_EQ(Runs(), before + 1);  // only the load command's own computation
}

TEST_F(ParameterFiles, CancellingTheLoadChangesAndComputesNothing) {
    StartAndSettle();
    Control<QLineEdit>("EditHotTemp")->setText("500");
    Settle();
    const int before = Runs();
    TriggerAction(window.get(), "Load1");  // no answer: cancelled
    EXPECT_EQ(Runs(), before);
    EXPECT_EQ(Control<QLineEdit>("EditHotTemp")->text(), "500");
    EXPECT_EQ(window->Caption(), "Velmora -- Default");
}

TEST_F(ParameterFiles, SavingIntoAReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "the super-user may write into read-only folders";
    ASSERT_TRUE(QDir(folder.path()).mkdir("locked"));
    const QString path = Path("locked/Engine.RBP");
    WriteAll(path, "[Displacer]\nDiameter=1\n");
    ASSERT_TRUE(QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::ExeOwner));
    StartAndSettle();
    dialogs->SaveAnswers << path;
    TriggerAction(window.get(), "Save1");
    QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_EQ(dialogs->Messages.front(), "Unable to write to " + path);
    EXPECT_EQ(ReadAll(path), "[Displacer]\nDiameter=1\n");
    EXPECT_EQ(window->Caption(), "Velmora -- Default");
}

TEST_F(ParameterFiles, SavingIntoAMissingFolderShowsTheFullName) {
    StartAndSettle();
    const QString path = Path("gone/Engine.RBP");
    dialogs->SaveAnswers << path;
    TriggerAction(window.get(), "Save1");
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_EQ(dialogs->Messages.front(), "Unable to write to " + path);
    EXPECT_EQ(window->Caption(), "Velmora -- Default");
}

// A file far beyond any parameter file, made sparse so that it costs no disk space.
void MakeHugeFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64{100} * 1024 * 1024));
}

TEST_F(ParameterFiles, FileThatCannotBeReadIsNamedAndChangesNothing) {
    MakeHugeFile(Path("Huge.RBP"));
    StartAndSettle();
    Control<QLineEdit>("EditHotTemp")->setText("500");
    Settle();
    const int before = Runs();
    dialogs->LoadAnswers << Path("Huge.RBP");
    TriggerAction(window.get(), "Load1");
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_EQ(dialogs->Messages.front(), "Unable to read " + Path("Huge.RBP"));
    EXPECT_EQ(Control<QLineEdit>("EditHotTemp")->text(), "500");
    EXPECT_EQ(window->Caption(), "Velmora -- Default");
    EXPECT_EQ(Runs(), before);
    EXPECT_EQ(QFileInfo(Path("Huge.RBP")).size(), qint64{100} * 1024 * 1024);
}

TEST_F(ParameterFiles, FileWithoutKeysLoadsAsBeforeAndSaysSoOnce) {
    WriteAll(Path("Notes.RBP"), "shopping list\nmilk\n");
    const QString wide = QStringLiteral("\uFEFF[Hot]\r\nTemp=500\r\n");  // UTF-16 LE here
    WriteAll(Path("Wide.RBP"),
             QByteArray(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2));
    StartAndSettle();
    dialogs->LoadAnswers << Path("Notes.RBP");
    TriggerAction(window.get(), "Load1");
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_EQ(dialogs->Messages.front(),
              Path("Notes.RBP") + " holds no section and key of a parameter file");
    EXPECT_EQ(window->Caption(), "Velmora -- Notes");
    // A UTF-16 file with one key is a parameter file: no message.
    dialogs->LoadAnswers << Path("Wide.RBP");
    TriggerAction(window.get(), "Load1");
    EXPECT_EQ(dialogs->Messages.size(), 1);
    EXPECT_EQ(Control<QLineEdit>("EditHotTemp")->text(), "500");
}

TEST_F(ParameterFiles, ValuesReadAsSomethingElseAreListedInOneMessage) {
    WriteAll(Path("Odd.RBP"),
             "[Hot]\nTemp=600\n[Gravity]\nEnabled=YES\n[Engine]\nLeakDown=Ja\n"
             "[Model]\nIntegration=Accurate\n[Hot]\nTemp=700\n");
    StartAndSettle();
    dialogs->LoadAnswers << Path("Odd.RBP");
    TriggerAction(window.get(), "Load1");
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_EQ(dialogs->Messages.front(),
              Path("Odd.RBP") +
                  " holds values that are read as something else:\n"
                  "[Engine] LeakDown=Ja is neither Yes nor No; read as No\n"
                  "[Model] Integration=Accurate is not specified or accurate; specified is used\n"
                  "[Hot] is given twice; only the first is read");
    // What the file says is read as before; YES checks its box.
    EXPECT_EQ(Control<QLineEdit>("EditHotTemp")->text(), "600");
    EXPECT_TRUE(Control<QCheckBox>("GravityCB")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>("LeakCB")->isChecked());
}

TEST_F(ParameterFiles, DialogsStartInTheFolderOfTheLastLoadOrSaveThatSucceeded) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("engines"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("other"));
    MakeHugeFile(Path("other/Huge.RBP"));
    StartAndSettle();
    const QDir start(folder.path());

    // A save that fails (its folder is missing) leaves the dialogs where they were.
    dialogs->SaveAnswers << Path("gone/Engine.RBP");
    TriggerAction(window.get(), "Save1");
    TriggerAction(window.get(), "Load1");  // cancelled
    EXPECT_EQ(QDir(dialogs->LastFolder), start);

    dialogs->SaveAnswers << Path("engines/Engine.RBP");
    TriggerAction(window.get(), "Save1");
    TriggerAction(window.get(), "Load1");
    EXPECT_EQ(QDir(dialogs->LastFolder), QDir(Path("engines")));

    // Nor does a load that fails.
    dialogs->LoadAnswers << Path("other/Huge.RBP");
    TriggerAction(window.get(), "Load1");
    TriggerAction(window.get(), "Save1");
    EXPECT_EQ(QDir(dialogs->LastFolder), QDir(Path("engines")));
    EXPECT_EQ(dialogs->Messages.size(), 2);

    dialogs->LoadAnswers << Path("engines/Engine.RBP");
    TriggerAction(window.get(), "Load1");
    TriggerAction(window.get(), "Save1");
    EXPECT_EQ(QDir(dialogs->LastFolder), QDir(Path("engines")));
}

TEST_F(ParameterFiles, DefaultIniThatCannotBeReadIsNamedAtStartUpAndKept) {
    MakeHugeFile(Path("Default.INI"));
    StartAndSettle();
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_EQ(dialogs->Messages.front(), "Unable to read " + Path("Default.INI"));
    EXPECT_EQ(Control<QLineEdit>("ComputeCycleCountEdit")->text(), "3");  // a file's defaults
    window.reset();  // closing cannot write over it
    EXPECT_EQ(QFileInfo(Path("Default.INI")).size(), qint64{100} * 1024 * 1024);
}

}  // namespace
}  // namespace velmora::testing
