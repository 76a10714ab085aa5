// Not a check: grabs the Graphs page with each second graph, the engine picture through the
// cycle, the design page after a design from 100 W and Memo3 after a study, for each reference
// engine, into /tmp. Run with --gtest_also_run_disabled_tests.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "ui/pages/graphs/engine_image.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class InteractionScreenshots : public WindowTest {
  protected:
    void SetUp() override {
        CopyExample("KESTMORE.RBP");
        CopyExample("BRANDOCK TAPPER.RBP");
        StartAndSettle();
        window->BugMemoClick();
    }

    void Load(const char* file) {
        dialogs->LoadAnswers.push_back(Path(file));
        TriggerAction(window.get(), "Load1");
        WaitMs(100);
    }

    void Page(const char* name) {
        Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>(name));
        WaitMs(100);
    }
};

TEST_F(InteractionScreenshots, DISABLED_GraphsPageAndEngine) {
    int engine = 0;
    for (const char* file : {"KESTMORE.RBP", "BRANDOCK TAPPER.RBP"}) {
        Load(file);
        Page("GraphSheet");
        for (int choice = 0; choice < 4; ++choice) {
            ChooseItem(Control<QComboBox>("ShowGraph2RG"), choice);
            WaitMs(100);
            window->grab().save(
                QString("/tmp/velmora_graphs_%1_second%2.png").arg(engine).arg(choice));
        }
        const int samples = static_cast<int>(window->Session().Sim.SampleDispPos.size());
        for (int i = 0; i < 6; ++i) {  // through the first cycle
            window->DrawEngine(samples * i / 18);
            Control<EngineImage>("Image1")->grab().save(
                QString("/tmp/velmora_engine_%1_pos%2.png").arg(engine).arg(i));
        }
        ++engine;
    }
    // Layout A: a displacer wide enough to carry the piston cylinder on its top.
    Load("KESTMORE.RBP");
    Control<QLineEdit>("EditDispDiameter")->setText("300");
    window->EditChangeTimerTimer();
    Page("GraphSheet");
    for (int i = 0; i < 4; ++i) {
        window->DrawEngine(1083 * i / 4);
        Control<EngineImage>("Image1")->grab().save(
            QString("/tmp/velmora_engine_A_pos%1.png").arg(i));
    }
    window->grab().save("/tmp/velmora_graphs_layoutA.png");
}

TEST_F(InteractionScreenshots, DISABLED_DesignPageFrom100Watts) {
    window->ClearParameters1Click();
    Control<QLineEdit>("EditRequiredEnginePower")->setText("100");
    Control<QLineEdit>("EditHotTemp")->setText("900");
    Control<QComboBox>("HotTempUnits")->setCurrentIndex(2);
    Control<QLineEdit>("EditColdTemp")->setText("300");
    Control<QComboBox>("ColdTempUnits")->setCurrentIndex(2);
    Control<QLineEdit>("EditEngineSpeed")->setText("10");
    Control<QComboBox>("EngineSpeedUnits")->setCurrentIndex(1);
    Control<QLineEdit>("EditMeanEnginePressure")->setText("100000");
    Control<QComboBox>("PressureUnits")->setCurrentIndex(2);
    window->EditChangeTimerTimer();
    Page("DesignSheet");
    TypeKeys(Control<QLineEdit>("EditStep3PistonDiam"), "100");
    window->UsePistonDiamStrokeButtonClick();
    window->EditChangeTimerTimer();
    window->DesignSheetEnter();
    TypeKeys(Control<QLineEdit>("EditStep5DispStroke"), "50");
    window->UseDispDiamStrokeButtonClick();
    window->EditChangeTimerTimer();
    window->DesignSheetEnter();
    window->grab().save("/tmp/velmora_design_no_mass.png");
    Control<QLineEdit>("EditDispMass")->setText("500");
    Control<QComboBox>("DispMassUnits")->setCurrentIndex(1);  // grams
    window->EditChangeTimerTimer();
    window->DesignSheetEnter();
    window->UseRodDiamButtonClick();
    window->EditChangeTimerTimer();
    window->DesignSheetEnter();
    WaitMs(100);
    window->grab().save("/tmp/velmora_design_full.png");
}

TEST_F(InteractionScreenshots, DISABLED_StudyOnEachReferenceEngine) {
    int engine = 0;
    for (const char* file : {"KESTMORE.RBP", "BRANDOCK TAPPER.RBP"}) {
        Load(file);
        Page("DesignSheet");
        window->IncreaseSchmidtPowerButtonClick();
        WaitMs(100);
        window->grab().save(QString("/tmp/velmora_study_%1.png").arg(engine));
        ++engine;
    }
}

}  // namespace
}  // namespace velmora::testing
