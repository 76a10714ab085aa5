// The status bar's power to build by, beside the specified figures, which stay as they are.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include "form/design_form.h"
#include "report/number_text.h"
#include "ui/mainwindow/headline_power_view.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class HeadlineInWindow : public WindowTest {
  protected:
    void SetUp() override {
        CopyExample("KESTMORE.RBP", "Default.INI");
        Start();
        view = window->findChild<HeadlinePowerView*>("HeadlinePowerView");
        ASSERT_NE(view, nullptr);
        shown = std::make_unique<QSignalSpy>(view, &HeadlinePowerView::Shown);
        Settle(1);
        ASSERT_TRUE(shown->count() > 0 || shown->wait(kComputeTimeoutMs));
    }
    QString Headline() { return Control<QLabel>("HeadlinePower")->text(); }
    QString Note() { return Control<QLabel>("HeadlineNote")->text(); }

    HeadlinePowerView* view = nullptr;
    std::unique_ptr<QSignalSpy> shown;
};

TEST_F(HeadlineInWindow, ShowsTheAccurateShaftPowerAndLeavesTheReportAlone) {
    const ControlState& controls = window->Session().Controls();
    const HeadlinePower expected = HeadlinePowerOf(ReadDesign(controls).design);
    ASSERT_TRUE(expected.accurate);
    const NumberSettings& numbers = window->Session().State.outputs.numbers;
    EXPECT_EQ(Headline(),
              "Shaft power (accurate model): " +
                  QString::fromStdString(FormatNumber(expected.accurate->shaftPower, numbers)) +
                  " W");
    EXPECT_TRUE(Control<QLabel>("HeadlinePower")->isVisible());
    EXPECT_EQ(Note(), HeadlinePowerView::NoteText(expected, numbers));
    EXPECT_EQ(Note().isEmpty(), !expected.Unreliable());
    // The specified figures are the report's as ever.
    EXPECT_FALSE(Control<QPlainTextEdit>("Memo2")->toPlainText().contains("accurate"));
    window->BugMemoClick();
    HandlePostedEvents();
    window->grab().save("/tmp/velmora_headline.png");
}

TEST_F(HeadlineInWindow, FollowsEveryComputation) {
    const QString before = Headline();
    shown->clear();
    Control<QLineEdit>("EditPistonDiameter")->setText("");  // nothing runs without a piston
    FireEditTimer();
    ASSERT_TRUE(shown->count() > 0 || shown->wait(kComputeTimeoutMs));
    EXPECT_NE(Headline(), before);
    EXPECT_EQ(Headline(), "Shaft power (accurate model): - (not running)");
}

TEST(HeadlineTexts, TheNoteSaysWhyAndOffersTheAccurateFigure) {
    CycleEnergy accurate;
    accurate.shaftWork = 100;
    accurate.shaftPower = 23151.2;
    CycleEnergy stepped;
    stepped.shaftWork = 41.7;
    stepped.shaftPower = 9652;
    stepped.entropyResidual = 0.032;
    HeadlinePower h{accurate, stepped};
    JudgeSteppedFigures(h);
    const NumberSettings numbers;
    EXPECT_EQ(HeadlinePowerView::HeadlineText(h, numbers),
              "Shaft power (accurate model): 23,151 W");
    EXPECT_EQ(HeadlinePowerView::NoteText(h, numbers),
              "One-degree figures unreliable here (its cycle breaks the second law by 3.2%; "
              "its shaft power is 58.3% off): build by 23,151 W.");
    h.accurate->shaftPower = 1.725e-8;  // a design that does not run
    EXPECT_EQ(HeadlinePowerView::HeadlineText(h, numbers),
              "Shaft power (accurate model): - (not running)");
}

}  // namespace
}  // namespace velmora::testing
