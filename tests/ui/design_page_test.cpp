#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "ui/mainwindow/control_state_widgets.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

// A design from a required power of 100 W, worked through the steps as a user would, with the
// program's default output units (mm, F, grams, Rad/Sec, N/m^2).
class DesignPage : public WindowTest {
  protected:
    void SetUp() override {
        StartAndSettle();
        window->BugMemoClick();
        window->ClearParameters1Click();
        Set("EditRequiredEnginePower", "100");
        Set("EditHotTemp", "900", "HotTempUnits", 2);  // K
        Set("EditColdTemp", "300", "ColdTempUnits", 2);
        Set("EditEngineSpeed", "10", "EngineSpeedUnits", 1);  // Hz
        Set("EditMeanEnginePressure", "100000", "PressureUnits", 2);
        ComputeAndEnter();
    }

    void Set(const char* field, const char* text, const char* units = nullptr, int choice = 0) {
        Control<QLineEdit>(field)->setText(text);
        if (units != nullptr) Control<QComboBox>(units)->setCurrentIndex(choice);
    }

    // The change timer's computation, then the page entered afresh.
    void ComputeAndEnter() {
        FireEditTimer();
        auto* pages = Control<QTabWidget>("PageControl1");
        pages->setCurrentWidget(Control<QWidget>("InputSheet"));
        pages->setCurrentWidget(Control<QWidget>("DesignSheet"));
        HandlePostedEvents();
    }

    QString Text(const char* label) { return Control<QLabel>(label)->text(); }
    bool Enabled(const char* name) { return Control<QWidget>(name)->isEnabled(); }
};

TEST_F(DesignPage, ShowsTheStepsOfAFullDesignFrom100Watts) {
    EXPECT_EQ(Text("lStep1Results"), "100 watts, 1,161 F, 80.6 F");  // 900 K and 300 K
    EXPECT_EQ(Text("lStep2Results"), "100,000 N/m^2, 62.832 rad/sec");
    // 6.28318 x 100 x 1200 / (600 x 62.8318 x 0.3 x 100000) m^3
    EXPECT_EQ(Text("lStep3Results"), "Computed: 666,667 mm ^3");
    EXPECT_EQ(Text("lStep4Results"), "");
    EXPECT_EQ(Text("lDesignPistonDiamUnits"), "mm");
    EXPECT_EQ(Text("lDesignDispStrokeUnits"), "mm");
    EXPECT_TRUE(Enabled("lStep1"));
    EXPECT_TRUE(Enabled("lStep2"));
    EXPECT_TRUE(Enabled("lStep3"));
    for (const char* name : {"lStep4", "lStep5", "lStep5Diam", "lStep5Stroke", "EditStep5DispDiam",
                             "EditStep5DispStroke", "lStep6", "lStep7"})
        EXPECT_FALSE(Enabled(name)) << name;
    for (const char* name :
         {"EditStep3PistonDiam", "EditStep3PistonStroke", "UsePistonDiamStrokeButton",
          "UseDispDiamStrokeButton", "UseRodDiamButton"})
        EXPECT_TRUE(Enabled(name)) << name;

    // Step 3: a piston of 100 mm bore sweeps the volume over 84.883 mm.
    TypeKeys(Control<QLineEdit>("EditStep3PistonDiam"), "100");
    EXPECT_EQ(Control<QLineEdit>("EditStep3PistonStroke")->text(), "84.883");
    Control<QPushButton>("UsePistonDiamStrokeButton")->click();
    EXPECT_EQ(Control<QLineEdit>("EditPistonDiameter")->text(), "100");
    EXPECT_EQ(Control<QLineEdit>("EditPistonStroke")->text(), "84.883");
    EXPECT_EQ(Control<QComboBox>("PistonDiameterUnits")->currentIndex(), 1);
    EXPECT_EQ(Control<QComboBox>("PistonStrokeUnits")->currentIndex(), 1);
    EXPECT_TRUE(Control<QTimer>("EditChangeTimer")->isActive());
    EXPECT_FALSE(Enabled("lStep4"));  // the refresh ran before the computation
    ComputeAndEnter();

    // Step 4: with Tau = 1/3 the displacer may sweep up to 1.5 times the piston.
    EXPECT_TRUE(Enabled("lStep4"));
    EXPECT_EQ(Text("lStep4Results"), "Computed: < 1,000,000 mm ^3");
    EXPECT_TRUE(Enabled("lStep5"));
    EXPECT_TRUE(Enabled("EditStep5DispDiam"));
    EXPECT_FALSE(Enabled("lStep6"));

    // Step 5: a 50 mm stroke gets 0.9 x 2 x sqrt(0.001 / (3.14159 x 0.05)) m of bore.
    TypeKeys(Control<QLineEdit>("EditStep5DispStroke"), "50");
    EXPECT_EQ(Control<QLineEdit>("EditStep5DispDiam")->text(), "143.619");
    Control<QPushButton>("UseDispDiamStrokeButton")->click();
    EXPECT_EQ(Control<QLineEdit>("EditDispDiameter")->text(), "143.619");
    EXPECT_EQ(Control<QLineEdit>("EditDispStroke")->text(), "50");
    EXPECT_EQ(Control<QComboBox>("DispDiameterUnits")->currentIndex(), 1);
    EXPECT_EQ(Control<QComboBox>("DispStrokeUnits")->currentIndex(), 1);
    ComputeAndEnter();
    EXPECT_EQ(Text("lStep6Results"), "Don't forget to enter the displacer mass!");
    EXPECT_FALSE(Enabled("lStep6"));

    Set("EditDispMass", "500", "DispMassUnits", 1);  // grams
    ComputeAndEnter();
    EXPECT_TRUE(Enabled("lStep6"));
    EXPECT_EQ(Text("lStep5Results"), "143.619 mm, 50 mm, 500 g");
    const QString rod = Text("lStep6Results");
    EXPECT_TRUE(rod.startsWith("Computed: ")) << rod.toStdString();
    EXPECT_FALSE(Enabled("lStep7"));
    auto* result = Control<QLabel>("lStep6Results");
    auto* use = Control<QPushButton>("UseRodDiamButton");
    // A result wider than the page is cut rather than widening the window; the button keeps
    // 16 pixels after it either way, and with room enough the whole result shows.
    const int width = window->width();
    HandlePostedEvents();
    EXPECT_EQ(window->width(), width);
    EXPECT_EQ(use->x(), result->x() + result->width() + 16);
    window->resize(1100, window->height());
    HandlePostedEvents();
    EXPECT_EQ(use->x(), result->x() + result->fontMetrics().horizontalAdvance(rod) + 16);
    EXPECT_EQ(use->y() + use->height() / 2, result->y() + result->height() / 2);

    use->click();
    const QString diam = rod.mid(rod.indexOf("diam: ") + 6).chopped(QString(" mm)").size());
    EXPECT_EQ(Control<QLineEdit>("EditDispRodDiameter")->text(), diam);
    EXPECT_EQ(Control<QComboBox>("DispRodDiameterUnits")->currentIndex(), 1);
    ComputeAndEnter();
    EXPECT_TRUE(Enabled("lStep7"));
}

TEST_F(DesignPage, WithoutAnEngineSpeedStepTwoIsEnabledButEmpty) {
    Set("EditEngineSpeed", "");
    ComputeAndEnter();
    EXPECT_TRUE(Enabled("lStep2"));
    EXPECT_FALSE(Enabled("lStep3"));
    EXPECT_EQ(Text("lStep1Results"), "100 watts, 1,161 F, 80.6 F");
    EXPECT_EQ(Text("lStep2Results"), "");
    EXPECT_EQ(Text("lStep3Results"), "");
}

TEST_F(DesignPage, TheMillimetreExampleAndTextsThatProposeNothing) {
    window->Design.DesignPistonSweptVolume = 0.0002;
    auto* diam = Control<QLineEdit>("EditStep3PistonDiam");
    auto* stroke = Control<QLineEdit>("EditStep3PistonStroke");
    diam->setText("50");
    EXPECT_EQ(stroke->text(), "101.859");  // 0.0002 / (3.14159 x 0.025^2) m
    for (const char* text : {"0", "", "-", "-5", "abc"}) {
        diam->setText(text);
        EXPECT_EQ(stroke->text(), "101.859") << text;
    }
}

TEST_F(DesignPage, AProposalDoesNotProposeBack) {
    auto* diam = Control<QLineEdit>("EditStep3PistonDiam");
    auto* stroke = Control<QLineEdit>("EditStep3PistonStroke");
    std::vector<bool> guardWhileWritten;
    QObject::connect(stroke, &QLineEdit::textChanged,
                     [&] { guardWhileWritten.push_back(window->PistonDesignGuard); });
    int diamChanges = 0;
    QObject::connect(diam, &QLineEdit::textChanged, [&] { ++diamChanges; });
    diam->setText("37");
    EXPECT_EQ(guardWhileWritten, std::vector<bool>{true});
    EXPECT_EQ(diamChanges, 1);
    EXPECT_EQ(diam->text(), "37");
    EXPECT_FALSE(window->PistonDesignGuard);

    // The displacer pair likewise, with its own guard.
    TypeKeys(Control<QLineEdit>("EditPistonDiameter"), "");  // nothing typed, nothing computed
    window->Design.DesignDispSweptVolume = 0.001;
    auto* dispStroke = Control<QLineEdit>("EditStep5DispStroke");
    auto* dispDiam = Control<QLineEdit>("EditStep5DispDiam");
    std::vector<bool> dispGuard;
    QObject::connect(dispDiam, &QLineEdit::textChanged,
                     [&] { dispGuard.push_back(window->DispDesignGuard); });
    dispStroke->setText("50");
    EXPECT_EQ(dispGuard, std::vector<bool>{true});
    EXPECT_EQ(dispStroke->text(), "50");
    EXPECT_EQ(dispDiam->text(), "143.619");
}

TEST_F(DesignPage, TheUnitLabelsFollowTheOutputUnitAtTheNextRefresh) {
    ChooseItem(Control<QComboBox>("LengthOutputFormatRG"), 0);  // Inches
    EXPECT_EQ(Text("lDesignPistonDiamUnits"), "mm");
    ComputeAndEnter();
    EXPECT_EQ(Text("lDesignPistonDiamUnits"), "in");
    EXPECT_EQ(Text("lDesignDispDiamUnits"), "in");
}

}  // namespace
}  // namespace velmora::testing
