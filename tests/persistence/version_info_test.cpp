#include "persistence/version_info.h"

#include <gtest/gtest.h>

#include <string>

#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// Built at run time, so this test's own executable holds no second, fake block.
std::string Marker() {
    std::string marker = "#VELMORA-VERSION-INFO\n";
    marker[0] = '\x7f';
    return marker;
}

TEST(VersionInfoTest, RunningExecutableCarriesTheProjectRelease) {
    EXPECT_EQ(ReadReleaseText(""), "1.0.0.5");
    EXPECT_EQ(ReadReleaseText("/proc/self/exe"), "1.0.0.5");
    EXPECT_EQ("[Release " + ReadReleaseText("") + "]", "[Release 1.0.0.5]");

    TVersionInfoResource reader;
    reader.SetFileName("");
    ASSERT_TRUE(reader.HasVersionInfo());
    EXPECT_EQ(reader.FileVersion().Text(), "1.0.0.5");
    EXPECT_EQ(reader.FixedInfo().ProductVersionMS, 0x00010000u);
    EXPECT_EQ(reader.FixedInfo().ProductVersionLS, 0x00000005u);
    EXPECT_EQ(reader.Translations(), std::vector<std::string>{"040904e4"});
    EXPECT_EQ(reader.StringValue("ProductName"), "Velmora");
    EXPECT_EQ(reader.StringValue("productversion"), "1.0.0.5");
    EXPECT_EQ(reader.StringValue(6), "persistence_version_info_test");  // OriginalFilename
    EXPECT_EQ(reader.StringValue(11), "");
    EXPECT_EQ(reader.StringValue(-1), "");
    EXPECT_EQ(reader.StringValue("LegalTrademarks"), "");
    EXPECT_EQ(reader.FileFlagsText(), "");
}

TEST(VersionInfoTest, FilesWithoutABlockHaveNoRelease) {
    TempFolder folder;
    const std::string junk = folder.File("junk.bin");
    WriteBytes(junk, std::string(200000, '\x7f') + "VELMORA");
    EXPECT_EQ(ReadReleaseText(junk), "");
    EXPECT_EQ(ReadReleaseText(folder.File("missing")), "");
    EXPECT_EQ(ReadReleaseText(folder.Path().string()), "");
    EXPECT_EQ(ReadReleaseText("/dev/zero"), "");

    const std::string truncated = folder.File("truncated.bin");
    WriteBytes(truncated, "xx" + Marker() + "FixedFileVersion=1.0.0.5\nFixedProductVersion=1.0");
    EXPECT_EQ(ReadReleaseText(truncated), "");

    const std::string badParts = folder.File("bad.bin");
    WriteBytes(badParts,
               Marker() + "FixedFileVersion=1.0.0.5\nFixedProductVersion=1.70000.0.5\nEnd\n");
    TVersionInfoResource reader;
    reader.SetFileName(badParts);
    EXPECT_FALSE(reader.HasVersionInfo());
    EXPECT_FALSE(reader.ProductVersion().Valid);
    EXPECT_EQ(reader.ProductVersion().Text(), "");
    EXPECT_EQ(reader.StringValue("ProductName"), "");
}

TEST(VersionInfoTest, BlockIsFoundPastFalseMarkersAndAcrossChunks) {
    TempFolder folder;
    const std::string path = folder.File("crafted.bin");
    std::string bytes = Marker() + std::string("no block here\0", 14);
    bytes += std::string(64 * 1024 - bytes.size() - 7, 'z');  // the marker straddles 64 KiB
    bytes += Marker() +
             "FixedFileVersion=2.3.4.5\nFixedProductVersion=1.2.3.65535\nFileFlags=3\n"
             "Translation=0 0\nTranslation=1031 1200\n"
             "\\StringFileInfo\\040904e4\\ProductName=Plain\n"
             "\\StringFileInfo\\040704b0\\ProductName=Deutsch\nEnd\n";
    WriteBytes(path, bytes);

    TVersionInfoResource reader;
    reader.SetFileName(path);
    ASSERT_TRUE(reader.HasVersionInfo());
    EXPECT_EQ(reader.FileVersion().Text(), "2.3.4.5");
    EXPECT_EQ(reader.ProductVersion().Text(), "1.2.3.65535");
    EXPECT_EQ(reader.Translations(), (std::vector<std::string>{"040904e4", "040704b0"}));
    EXPECT_EQ(reader.StringValue("ProductName"), "Plain");
    reader.SetTranslationIndex(1);
    EXPECT_EQ(reader.StringValue(7), "Deutsch");
    EXPECT_EQ(reader.FileFlagsText(), "Debug, Pre-release");

    // Setting another name forgets the block read before.
    reader.SetFileName(folder.File("missing"));
    EXPECT_FALSE(reader.HasVersionInfo());
    EXPECT_TRUE(reader.Translations().empty());
    EXPECT_EQ(reader.FileVersion().Text(), "");
}

}  // namespace
}  // namespace velmora
