// Not a check: grabs every page with each reference engine loaded into /tmp, for looking at.
// Run with --gtest_also_run_disabled_tests.
#include <QLocale>
#include <QTabWidget>

#include "locale/number_settings_from_locale.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class Screenshots : public WindowTest {};

TEST_F(Screenshots, DISABLED_EveryPageWithEachReferenceEngine) {
    CopyExample("Help.RTF");
    CopyExample("KESTMORE.RBP");
    CopyExample("BRANDOCK TAPPER.RBP");
    StartAndSettle();
    window->grab().save("/tmp/velmora_startup.png");  // the bug list in front
    window->BugMemoClick();
    auto* pages = Control<QTabWidget>("PageControl1");
    int engine = 0;
    for (const char* file : {"KESTMORE.RBP", "BRANDOCK TAPPER.RBP"}) {
        dialogs->LoadAnswers.push_back(Path(file));
        TriggerAction(window.get(), "Load1");
        WaitMs(200);
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            WaitMs(100);
            window->grab().save(QString("/tmp/velmora_%1_page%2.png").arg(engine).arg(page + 1));
        }
        ++engine;
    }
    pages->setCurrentWidget(Control<QWidget>("GraphSheet"));
    ChooseItem(Control<QComboBox>("ShowGraph2RG"), 2);
    window->ShowGraph2RGClick();
    window->RedGraphRGClick();
    WaitMs(100);
    window->grab().save("/tmp/velmora_power_phase.png");
}

TEST_F(Screenshots, DISABLED_ReportWithFrenchNumbers) {
    CopyExample("KESTMORE.RBP");
    StartAndSettle();
    window->BugMemoClick();
    window->Session().State.outputs.numbers = NumberSettingsFromLocale(QLocale("fr_FR"));
    dialogs->LoadAnswers.push_back(Path("KESTMORE.RBP"));
    TriggerAction(window.get(), "Load1");
    WaitMs(200);
    Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>("MemoSheet"));
    WaitMs(100);
    window->grab().save("/tmp/velmora_french_report.png");
}

}  // namespace
}  // namespace velmora::testing
