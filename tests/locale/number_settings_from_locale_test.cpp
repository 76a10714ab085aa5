// Number settings taken from real locales (built as QLocale objects, so no system locale is
// needed), and the reports and files read under each of them.
#include "locale/number_settings_from_locale.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "persistence/parameter_file.h"
#include "report/number_text.h"
#include "session/engine_session.h"

namespace velmora {
namespace {

const char* const kLocales[] = {"de_DE", "fr_FR", "sv_SE", "ru_RU", "en_US"};

std::string RuntimeFile(const char* name) {
    const char* dir = std::getenv("VELMORA_RUNTIME_DIR");
    return std::string(dir != nullptr ? dir : ".") + "/" + name;
}

// One forced run on a shipped file loaded as the window's Load Parameters loads it.
void RunFile(EngineSession& session, const char* file, const NumberSettings& numbers) {
    session.State.outputs.numbers = numbers;
    const std::string path = RuntimeFile(file);
    EXPECT_EQ(LoadParameterFile(path, session.State), FileReadStatus::Read) << path;
    session.Driver.LoadedFileName = path;
    session.Compute(true, true);
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(NumberSettingsFromLocale, EachLocaleKeepsItsOwnSeparatorsAndTheyDiffer) {
    struct Expected {
        const char* locale;
        const char* decimal;
        const char* group;
    };
    for (const Expected& e : {Expected{"de_DE", ",", "."}, Expected{"fr_FR", ",", "\u202F"},
                              Expected{"sv_SE", ",", "\u00A0"}, Expected{"ru_RU", ",", "\u00A0"},
                              Expected{"en_US", ".", ","}, Expected{"C", ".", ","}}) {
        const NumberSettings n = NumberSettingsFromLocale(QLocale(e.locale));
        EXPECT_EQ(n.decimalSeparator, e.decimal) << e.locale;
        EXPECT_EQ(n.thousandsSeparator, e.group) << e.locale;
        EXPECT_NE(n.decimalSeparator, n.thousandsSeparator) << e.locale;
    }
}

TEST(NumberSettingsFromLocale, BothReferenceFilesValidateUnderEveryLocale) {
    for (const char* locale : kLocales) {
        const NumberSettings numbers = NumberSettingsFromLocale(QLocale(locale));
        for (const char* file : {"KESTMORE.RBP", "BRANDOCK TAPPER.RBP"}) {
            EngineSession session;
            RunFile(session, file, numbers);
            for (const std::string& line : session.Driver.Memo1)
                EXPECT_EQ(line.find("not defined"), std::string::npos) << locale << ": " << line;
            ASSERT_FALSE(session.Driver.Memo2.empty());
            EXPECT_EQ(session.Driver.Memo2.back(), "*** Simulator appears to be validated")
                << locale << ' ' << file;
        }
    }
}

TEST(NumberSettingsFromLocale, FrenchReportGroupsThousandsWithNarrowNoBreakSpaces) {
    EngineSession session;
    RunFile(session, "KESTMORE.RBP", NumberSettingsFromLocale(QLocale("fr_FR")));
    const std::vector<std::string>& memo1 = session.Driver.Memo1;
    const std::vector<std::string>& memo2 = session.Driver.Memo2;
    EXPECT_TRUE(HasLine(memo1, "    Dead Space Volume: 3\u202F380\u202F000 mm ^3 [Checked]"));
    EXPECT_TRUE(HasLine(memo1, "    Displacer Diameter: 127,2 mm"));
    EXPECT_TRUE(HasLine(memo1, "    Engine Speed: 1\u202F000 RPM"));
    EXPECT_TRUE(HasLine(memo2, "    Gas Mass: 0,19624 kg"));
    // The power lines stay aligned: the separator is one character, three bytes.
    const auto pv = std::find_if(memo2.begin(), memo2.end(), [](const std::string& line) {
        return line.rfind("    Power: from PV graph at Engine Speed", 0) == 0;
    });
    ASSERT_NE(pv, memo2.end());
    EXPECT_EQ(pv->substr(0, pv->find(": ", 10) + 2),
              "    Power: from PV graph at Engine Speed (1\u202F000 RPM): ");
}

TEST(NumberSettingsFromLocale, ReportsDifferOnlyInTheirSeparators) {
    // The English report with its separators swapped for the French ones is the French report.
    EngineSession englishRun;
    RunFile(englishRun, "KESTMORE.RBP", NumberSettings{});
    EngineSession frenchRun;
    RunFile(frenchRun, "KESTMORE.RBP", NumberSettingsFromLocale(QLocale("fr_FR")));
    const std::vector<std::string>& english = englishRun.Driver.Memo2;
    const std::vector<std::string>& french = frenchRun.Driver.Memo2;
    ASSERT_EQ(english.size(), french.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        std::string swapped;
        for (char c : english[i]) {
            // The PV lines pad after the speed; no separator stands in that part.
            if (c == ',')
                swapped += "\u202F";
            else if (c == '.')
                swapped += ",";
            else
                swapped += c;
        }
        EXPECT_EQ(french[i], swapped);
    }
}

TEST(NumberSettingsFromLocale, SampleListsAreTheSameUnderEveryLocale) {
    EngineSession english;
    RunFile(english, "KESTMORE.RBP", NumberSettings{});
    ASSERT_FALSE(english.Sim.SamplePressure.empty());
    for (const char* locale : kLocales) {
        EngineSession other;
        RunFile(other, "KESTMORE.RBP", NumberSettingsFromLocale(QLocale(locale)));
        EXPECT_EQ(other.Sim.SampleX, english.Sim.SampleX) << locale;
        EXPECT_EQ(other.Sim.SampleDispPos, english.Sim.SampleDispPos) << locale;
        EXPECT_EQ(other.Sim.SamplePistonPos, english.Sim.SamplePistonPos) << locale;
        EXPECT_EQ(other.Sim.SamplePressure, english.Sim.SamplePressure) << locale;
        EXPECT_EQ(other.Sim.SampleTotalVolume, english.Sim.SampleTotalVolume) << locale;
    }
}

}  // namespace
}  // namespace velmora
