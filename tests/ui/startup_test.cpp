#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

#include "persistence/ini_file.h"
#include "ui/mainwindow/layout_scaling.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class StartUp : public WindowTest {};

int CountKeys(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    int keys = 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.contains('=') && !line.startsWith('[')) ++keys;
    return keys;
}

TEST_F(StartUp, WithoutDefaultIniShowsTheDefaults) {
    Start();
    EXPECT_EQ(window->Caption(), "Velmora -- Default");
    for (const char* name :
         {"EditDispDiameter", "EditDispStroke", "EditDispMass", "EditDispRodDiameter",
          "EditPistonDiameter", "EditPistonStroke", "EditDeadSpaceTemp", "EditHotTemp",
          "EditColdTemp", "EditEngineSpeed", "EditMeanEnginePressure", "EditRequiredEnginePower"})
        EXPECT_EQ(Control<QLineEdit>(name)->text(), "") << name;
    for (const char* name :
         {"EditSpringConstant", "EditSpringCenter", "EditDeadSpaceVol", "EditXAxisOffset"})
        EXPECT_EQ(Control<QLineEdit>(name)->text(), "0") << name;
    EXPECT_EQ(Control<QLineEdit>("ComputeCycleCountEdit")->text(), "3");
    EXPECT_EQ(Control<QLineEdit>("GraphCycleCountEdit")->text(), "3");
    EXPECT_EQ(Control<QLineEdit>("MaxGraphCycleCountEdit")->text(), "30");
    for (const char* name :
         {"DispDiameterUnits", "DispMassUnits", "SpringConstantUnits", "DeadSpaceVolUnits",
          "HotTempUnits", "EngineSpeedUnits", "PressureUnits", "EnginePowerUnits"})
        EXPECT_EQ(Control<QComboBox>(name)->currentIndex(), 0) << name;
    EXPECT_EQ(Control<QComboBox>("LengthOutputFormatRG")->currentText(), "mm");
    EXPECT_EQ(Control<QComboBox>("TemperatureOutputFormatRG")->currentText(), "F");
    EXPECT_EQ(Control<QComboBox>("MassOutputFormatRG")->currentText(), "grams");
    EXPECT_EQ(Control<QComboBox>("AngVelOutputFormatRG")->currentText(), "Rad/Sec");
    EXPECT_EQ(Control<QComboBox>("SpringOutputFormatRG")->currentText(), "grams/inch");
    EXPECT_EQ(Control<QComboBox>("AngleOutputFormatRG")->currentIndex(), -1);
    EXPECT_EQ(Control<QComboBox>("PressureOutputFormatRG")->currentText(), "N/m^2");
    EXPECT_TRUE(Control<QCheckBox>("LeakCB")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>("GravityCB")->isChecked());
    EXPECT_EQ(window->width(), 800);
    EXPECT_EQ(window->height(), 550);
    EXPECT_EQ(Control<QTabWidget>("PageControl1")->currentWidget()->objectName(), "InputSheet");
    EXPECT_TRUE(Control<QPlainTextEdit>("BugMemo")->isVisible());
    EXPECT_TRUE(Control<QTimer>("EditChangeTimer")->isActive());

    // The first computation comes with the timer's first tick, 100 ms after the window shows.
    EXPECT_EQ(Runs(), 0);
    EXPECT_EQ(Control<QTimer>("EditChangeTimer")->interval(), 100);
    Settle(1);
    EXPECT_EQ(Runs(), 1);
    EXPECT_FALSE(Control<QPlainTextEdit>("Memo1")->toPlainText().isEmpty());
}

TEST_F(StartUp, QuittingWritesDefaultIniWithAllKeys) {
    StartAndSettle();
    TriggerAction(window.get(), "Quit1");
    EXPECT_FALSE(window->isVisible());
    const QString path = Path("Default.INI");
    // The 56 parameter keys, and the window's own note that the bug list has been seen.
    EXPECT_EQ(CountKeys(path), 57);
    const IniFile ini(path.toStdString());
    EXPECT_EQ(ini.ReadString("Window", "BugListSeen", ""), "Yes");
    EXPECT_EQ(ini.ReadInteger("OutputFormat", "Angle", 99), -1);
    EXPECT_EQ(ini.ReadString("MaxGraphCycle", "Count", ""), "30");
    EXPECT_EQ(ini.ReadString("Engine", "LeakDown", ""), "Yes");
    EXPECT_EQ(ini.ReadInteger("TabControl", "Page", 0), 1);
    EXPECT_EQ(ini.ReadInteger("MemoWidth", "Left", 0), 325);
    EXPECT_TRUE(dialogs->Messages.isEmpty());
}

TEST_F(StartUp, DefaultIniBesideTheExecutableIsLoadedAndComputed) {
    CopyExample("KESTMORE.RBP", "Default.INI");
    StartAndSettle();
    EXPECT_EQ(window->Caption(), "Velmora -- Default");
    EXPECT_EQ(Control<QLineEdit>("EditDispDiameter")->text(), "127.2");
    EXPECT_EQ(Control<QComboBox>("ShowGraph2RG")->currentText(), "Pressure/Volume");
    EXPECT_FALSE(Control<QWidget>("PVChart")->isHidden());
    EXPECT_TRUE(Control<QWidget>("Chart3")->isHidden());
    EXPECT_EQ(Runs(), 1);
    EXPECT_TRUE(Control<QPlainTextEdit>("Memo2")->toPlainText().contains("Displacer Power Loss"));
    // Not loaded through the menu: no reference check.
    EXPECT_FALSE(Control<QPlainTextEdit>("Memo2")->toPlainText().contains("[Checked]"));
}

TEST_F(StartUp, SaveProposesDefaultRbpInTheExecutableFolder) {
    StartAndSettle();
    TriggerAction(window.get(), "Save1");  // no answer: the dialog is cancelled
    EXPECT_EQ(dialogs->LastProposedName, "Default.RBP");
    EXPECT_EQ(QDir(dialogs->LastFolder), QDir(folder.path()));
    EXPECT_EQ(window->Caption(), "Velmora -- Default");
}

TEST_F(StartUp, ClosingEndsTheProgramEvenWhenDefaultIniCannotBeWritten) {
    const QString missing = Path("no such folder");
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    window = std::make_unique<TForm1>(missing, std::move(scripted));
    window->show();
    Settle(1);
    EXPECT_TRUE(window->close());
    ASSERT_EQ(dialogs->Messages.size(), 1);
    EXPECT_EQ(dialogs->Messages.front(), "Unable to write to " + missing + "/Default.INI");
}

TEST_F(StartUp, ReportPaneWidthAndPageAreRestoredAndKept) {
    QFile file(Path("Default.INI"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[TabControl]\nPage=2\n[MemoWidth]\nLeft=200\n[Position]\nWidth=801\n");
    file.close();
    StartAndSettle();
    EXPECT_EQ(Control<QTabWidget>("PageControl1")->currentWidget()->objectName(), "MemoSheet");
    EXPECT_EQ(Control<QWidget>("Memo1")->width(), 200);
    // Whatever the second graph, both are set to half the window's outer width.
    window->ShowGraph2RGClick();
    const int half = window->frameGeometry().width() / 2;
    EXPECT_GE(half, 400);
    EXPECT_EQ(Control<QWidget>("PVChart")->width(), half);
    EXPECT_EQ(Control<QWidget>("Chart3")->width(), half);
    window->close();
    const IniFile ini(Path("Default.INI").toStdString());
    EXPECT_EQ(ini.ReadInteger("MemoWidth", "Left", 0), 200);
    EXPECT_EQ(ini.ReadInteger("TabControl", "Page", 0), 2);
    EXPECT_EQ(ini.ReadInteger("Position", "Width", 0), 801);
}

TEST(LayoutScaling, OnlyOnceAndOnlyOnWideScreensAwayFrom96PixelsPerInch) {
    EXPECT_FALSE(ShouldScaleLayout(false, 96, 1920));
    EXPECT_FALSE(ShouldScaleLayout(false, 120, 799));
    EXPECT_TRUE(ShouldScaleLayout(false, 120, 800));
    EXPECT_TRUE(ShouldScaleLayout(false, 72, 1024));
    EXPECT_FALSE(ShouldScaleLayout(true, 120, 1920));
}

TEST(LayoutScaling, ClientFitsTheShrunkControlsPlusTwelvePixels) {
    const QSize fitted = ScaledClientSize(QSize(776, 532), QSize(100, 100), kLayoutScaleFactor);
    EXPECT_EQ(fitted, QSize(597 + 12, 409));
    EXPECT_EQ(ScaledClientSize(QSize(776, 532), QSize(700, 450), kLayoutScaleFactor),
              QSize(700, 450));
}

}  // namespace
}  // namespace velmora::testing
