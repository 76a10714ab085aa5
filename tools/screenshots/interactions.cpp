// Not a check: grabs the Graphs page with each second graph, the engine picture through the
// cycle, the design page after a design from 100 W and Memo3 after a study, for each reference
// engine.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "screenshots/shots.h"
#include "ui/pages/graphs/engine_image.h"

namespace velmora::testing {
namespace {

class InteractionScreenshots : public ShotWindow {
  protected:
    void SetUp() override {
        CopyExample("KESTMORE.RBP");
        CopyExample("BRANDOCK TAPPER.RBP");
        StartAndSettle();
        window->BugMemoClick();
    }
};

TEST_F(InteractionScreenshots, GraphsPageAndEngine) {
    int engine = 0;
    for (const char* file : {"KESTMORE.RBP", "BRANDOCK TAPPER.RBP"}) {
        Load(file);
        Page("GraphSheet");
        for (int choice = 0; choice < 4; ++choice) {
            const int before = Runs();
            ChooseItem(Control<QComboBox>("ShowGraph2RG"), choice);
            SettleAfter(before);
            Shot(QString("velmora_graphs_%1_second%2.png").arg(engine).arg(choice));
        }
        const int samples = static_cast<int>(window->Session().Sim.SampleDispPos.size());
        for (int i = 0; i < 6; ++i) {  // through the first cycle
            window->DrawEngine(samples * i / 18);
            Shot(Control<EngineImage>("Image1"),
                 QString("velmora_engine_%1_pos%2.png").arg(engine).arg(i));
        }
        ++engine;
    }
    // Layout A: a displacer wide enough to carry the piston cylinder on its top.
    Load("KESTMORE.RBP");
    Control<QLineEdit>("EditDispDiameter")->setText("300");
    FireEditTimer();
    Page("GraphSheet");
    for (int i = 0; i < 4; ++i) {
        window->DrawEngine(1083 * i / 4);
        Shot(Control<EngineImage>("Image1"), QString("velmora_engine_A_pos%1.png").arg(i));
    }
    Shot("velmora_graphs_layoutA.png");
}

TEST_F(InteractionScreenshots, DesignPageFrom100Watts) {
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
    FireEditTimer();
    Page("DesignSheet");
    TypeKeys(Control<QLineEdit>("EditStep3PistonDiam"), "100");
    window->UsePistonDiamStrokeButtonClick();
    FireEditTimer();
    window->DesignSheetEnter();
    TypeKeys(Control<QLineEdit>("EditStep5DispStroke"), "50");
    window->UseDispDiamStrokeButtonClick();
    FireEditTimer();
    window->DesignSheetEnter();
    Shot("velmora_design_no_mass.png");
    Control<QLineEdit>("EditDispMass")->setText("500");
    Control<QComboBox>("DispMassUnits")->setCurrentIndex(1);  // grams
    FireEditTimer();
    window->DesignSheetEnter();
    window->UseRodDiamButtonClick();
    FireEditTimer();
    window->DesignSheetEnter();
    Shot("velmora_design_full.png");
}

TEST_F(InteractionScreenshots, StudyOnEachReferenceEngine) {
    int engine = 0;
    for (const char* file : {"KESTMORE.RBP", "BRANDOCK TAPPER.RBP"}) {
        Load(file);
        Page("DesignSheet");
        const int before = Runs();
        window->IncreaseSchmidtPowerButtonClick();
        SettleAfter(before);
        Shot(QString("velmora_study_%1.png").arg(engine));
        ++engine;
    }
}

}  // namespace
}  // namespace velmora::testing
