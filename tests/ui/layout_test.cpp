#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>

#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class Layout : public WindowTest {
  protected:
    void LoadReference() {
        CopyExample("KESTMORE.RBP");
        StartAndSettle();
        window->BugMemoClick();
        dialogs->LoadAnswers << Path("KESTMORE.RBP");
        const int before = Runs();
        TriggerAction(window.get(), "Load1");  // the reference check adds " [Checked]" marks
        SettleAfter(before);
    }

    // The pixel width of the longest line of a report pane and the width it has to show it.
    static std::pair<int, int> LongestAndRoom(QPlainTextEdit* memo) {
        const QFontMetrics metrics(memo->font());
        int longest = 0;
        for (const QString& line : memo->toPlainText().split('\n'))
            longest = std::max(longest, metrics.horizontalAdvance(line));
        const int margins = 2 * static_cast<int>(memo->document()->documentMargin());
        return {longest, memo->viewport()->width() - margins};
    }
};

TEST_F(Layout, EveryReportLineFitsItsPaneAt800By550) {
    LoadReference();
    window->resize(800, 550);
    Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>("MemoSheet"));
    HandlePostedEvents();
    for (const char* name : {"Memo1", "Memo2"}) {
        auto* memo = Control<QPlainTextEdit>(name);
        const auto [longest, room] = LongestAndRoom(memo);
        EXPECT_LE(longest, room) << name;
        EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0) << name;
    }
}

TEST_F(Layout, VisitingEveryPageKeepsTheWindowWidth) {
    LoadReference();
    for (const int width : {800, 1200}) {
        window->resize(width, 550);
        HandlePostedEvents();
        auto* pages = Control<QTabWidget>("PageControl1");
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            HandlePostedEvents();
            EXPECT_EQ(window->width(), width) << "page " << page + 1;
        }
        // A step result far longer than the page is cut, its full text in the tooltip.
        auto* result = Control<QLabel>("lStep6Results");
        EXPECT_EQ(result->toolTip(), result->text());
        result->setText(QString(300, 'x'));
        HandlePostedEvents();
        EXPECT_EQ(window->width(), width);
    }
    window.reset();  // the saved width is the user's
    StartAndSettle();
    EXPECT_EQ(window->width(), 1200);
}

TEST_F(Layout, GraphsPageControlsStayPutWhenTheDwellTextChanges) {
    LoadReference();
    window->resize(800, 550);
    Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>("GraphSheet"));
    HandlePostedEvents();
    const char* names[] = {"RedGraphRG",    "BlueGraphRG",           "XAxisRG",
                           "ShowGraph2RG",  "EditXAxisOffset",       "ComputeCycleCountEdit",
                           "AnimateButton", "MaxGraphCycleCountEdit"};
    std::vector<QRect> before;
    for (const char* name : names) before.push_back(Control<QWidget>(name)->geometry());
    const QString dwell = Control<QLabel>("lDwell")->text();
    // Without pressure equalization the dwell line reads differently.
    auto* pressure = Control<QLineEdit>("EditMeanEnginePressure");
    pressure->setText("5");
    FireEditTimer();
    HandlePostedEvents();
    ASSERT_NE(Control<QLabel>("lDwell")->text(), dwell);
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(Control<QWidget>(names[i])->geometry(), before[i]) << names[i];
    Control<QLabel>("lDwell")->setText(QString(200, 'x'));
    HandlePostedEvents();
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(Control<QWidget>(names[i])->geometry(), before[i]) << names[i];
}

// No control of the top panels is squeezed below its own minimum or covers another one.
TEST_F(Layout, AtItsMinimumSizeNothingOverlaps) {
    LoadReference();
    window->resize(320, 240);
    HandlePostedEvents();
    EXPECT_GE(window->width(), window->minimumSizeHint().width());
    EXPECT_LE(window->minimumSizeHint().width(), 800);
    EXPECT_LE(window->minimumSizeHint().height(), 550);
    auto* pages = Control<QTabWidget>("PageControl1");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        HandlePostedEvents();
        for (const char* panel : {"Panel2", "Panel4", "Panel3", "Panel5"}) {
            auto* parent = Control<QWidget>(panel);
            if (!parent->isVisible()) continue;
            std::vector<QWidget*> children;
            for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisible() && !child->inherits("velmora::ElidingLabel"))
                    children.push_back(child);
            for (std::size_t i = 0; i < children.size(); ++i) {
                const QWidget* a = children[i];
                EXPECT_GE(a->width(), a->minimumSizeHint().width())
                    << a->objectName().toStdString();
                for (std::size_t j = i + 1; j < children.size(); ++j)
                    EXPECT_FALSE(a->geometry().intersects(children[j]->geometry()))
                        << a->objectName().toStdString() << " / "
                        << children[j]->objectName().toStdString();
            }
        }
    }
}

// Tab walks each column of the Design Parameters page down its fields, then down its unit
// lists, then the check boxes and output lists (the order the page has always had).
TEST_F(Layout, TabOrderOfTheDesignParametersPage) {
    StartAndSettle();
    const QStringList expected = {"EditDispDiameter",
                                  "EditDispMass",
                                  "EditSpringConstant",
                                  "EditPistonDiameter",
                                  "EditDeadSpaceVol",
                                  "EditHotTemp",
                                  "EditEngineSpeed",
                                  "EditRequiredEnginePower",
                                  "DispDiameterUnits",
                                  "DispMassUnits",
                                  "SpringConstantUnits",
                                  "PistonDiameterUnits",
                                  "DeadSpaceVolUnits",
                                  "HotTempUnits",
                                  "EngineSpeedUnits",
                                  "EnginePowerUnits",
                                  "EditDispStroke",
                                  "EditDispRodDiameter",
                                  "EditSpringCenter",
                                  "EditPistonStroke",
                                  "EditDeadSpaceTemp",
                                  "EditColdTemp",
                                  "EditMeanEnginePressure",
                                  "DispStrokeUnits",
                                  "DispRodDiameterUnits",
                                  "SpringCenterUnits",
                                  "PistonStrokeUnits",
                                  "DeadSpaceTempUnits",
                                  "ColdTempUnits",
                                  "PressureUnits",
                                  "GravityCB",
                                  "LengthOutputFormatRG",
                                  "TemperatureOutputFormatRG",
                                  "MassOutputFormatRG",
                                  "PressureOutputFormatRG",
                                  "AngleOutputFormatRG",
                                  "AngVelOutputFormatRG",
                                  "SpringOutputFormatRG",
                                  "LeakCB"};
    QStringList chain;
    QWidget* widget = Control<QWidget>("EditDispDiameter");
    for (int i = 0; i < expected.size() && widget != nullptr; ++i) {
        chain << widget->objectName();
        widget = widget->nextInFocusChain();
        // Children of a control (a list's line edit, say) are not stops of their own.
        while (widget != nullptr && widget->objectName().isEmpty())
            widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(chain, expected);
}

}  // namespace
}  // namespace velmora::testing
