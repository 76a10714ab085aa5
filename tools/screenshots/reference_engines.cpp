// Not a check: grabs every page with each reference engine loaded, for looking at.
#include <QLocale>

#include "locale/number_settings_from_locale.h"
#include "screenshots/shots.h"

namespace velmora::testing {
namespace {

class Screenshots : public ShotWindow {};

TEST_F(Screenshots, EveryPageWithEachReferenceEngine) {
    CopyExample("Help.RTF");
    CopyExample("KESTMORE.RBP");
    CopyExample("BRANDOCK TAPPER.RBP");
    StartAndSettle();
    Shot("velmora_startup.png");  // the bug list in front
    window->BugMemoClick();
    auto* pages = Control<QTabWidget>("PageControl1");
    int engine = 0;
    for (const char* file : {"KESTMORE.RBP", "BRANDOCK TAPPER.RBP"}) {
        Load(file);
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            Shot(QString("velmora_%1_page%2.png").arg(engine).arg(page + 1));
        }
        ++engine;
    }
    Page("GraphSheet");
    const int before = Runs();
    ChooseItem(Control<QComboBox>("ShowGraph2RG"), 2);
    SettleAfter(before);
    Shot("velmora_power_phase.png");
}

TEST_F(Screenshots, ReportWithFrenchNumbers) {
    CopyExample("KESTMORE.RBP");
    StartAndSettle();
    window->BugMemoClick();
    window->Session().State.outputs.numbers = NumberSettingsFromLocale(QLocale("fr_FR"));
    Load("KESTMORE.RBP");
    Page("MemoSheet");
    Shot("velmora_french_report.png");
}

}  // namespace
}  // namespace velmora::testing
