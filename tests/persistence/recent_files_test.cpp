#include "persistence/recent_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "persistence/temp_folder.h"

namespace velmora {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RecentFiles, NewestFirstOnceEachAtMostEight) {
    std::vector<std::string> files;
    for (int i = 1; i <= 10; ++i) files = WithRecentFile(files, "/f" + std::to_string(i));
    ASSERT_EQ(files.size(), 8u);
    EXPECT_EQ(files.front(), "/f10");
    EXPECT_EQ(files.back(), "/f3");
    files = WithRecentFile(files, "/f5");
    EXPECT_EQ(files.size(), 8u);
    EXPECT_EQ(files[0], "/f5");
    EXPECT_EQ(files[1], "/f10");
    EXPECT_EQ(std::count(files.begin(), files.end(), "/f5"), 1);
    files = WithoutRecentFile(files, "/f10");
    EXPECT_EQ(files.size(), 7u);
    EXPECT_EQ(files[1], "/f9");
}

TEST(RecentFiles, RoundTripInItsOwnSectionKeepsTheWindowKeys) {
    const testing::TempFolder folder;
    const std::string ini = folder.File("Default.INI");
    {
        std::ofstream out(ini);
        out << "[Displacer]\nDiameter=127.2\n[MemoWidth]\nLeft=325\n";
    }
    ASSERT_TRUE(WriteRecentFiles(ini, {"/a/One.RBP", "/b/Two words.RBP"}));
    EXPECT_EQ(ReadRecentFiles(ini), (std::vector<std::string>{"/a/One.RBP", "/b/Two words.RBP"}));
    const std::string text = ReadText(ini);
    EXPECT_EQ(text.rfind("[Displacer]\nDiameter=127.2\n[MemoWidth]\nLeft=325\n[RecentFiles]\n", 0),
              0u)
        << text;

    // A shorter list empties the keys it no longer needs.
    ASSERT_TRUE(WriteRecentFiles(ini, {"/b/Two words.RBP"}));
    EXPECT_EQ(ReadRecentFiles(ini), (std::vector<std::string>{"/b/Two words.RBP"}));
    EXPECT_TRUE(ReadRecentFiles(folder.File("missing.INI")).empty());
}

}  // namespace
}  // namespace velmora
