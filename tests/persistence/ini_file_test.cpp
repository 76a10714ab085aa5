#include "persistence/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class IniFileTest : public ::testing::Test {
  protected:
    IniFile Load(const std::string& text) {
        WriteBytes(path_, text);
        return IniFile(path_);
    }
    TempFolder folder_;
    std::string path_ = folder_.File("test.ini");
};

TEST_F(IniFileTest, ReadsNamesRegardlessOfCaseAndValuesWithoutBlanks) {
    IniFile file = Load("[Displacer]\nDiameter =  2.5 \t\n  stroke=1\n[PISTON]\nDiameter=3\n");
    EXPECT_EQ(file.ReadString("displacer", "DIAMETER", "x"), "2.5");
    EXPECT_EQ(file.ReadString("Displacer", "Stroke", "x"), "1");
    EXPECT_EQ(file.ReadString("Piston", "diameter", "x"), "3");
    EXPECT_EQ(file.ReadString("Piston", "Stroke", "none"), "none");
    EXPECT_EQ(file.ReadString("Hot", "Temp", ""), "");
}

TEST_F(IniFileTest, FirstOfDuplicateKeysWinsAndDuplicateSectionsAreSearched) {
    IniFile file = Load("[A]\nk=1\nk=2\n[B]\nz=0\n[a]\nk=3\nm=4\n");
    EXPECT_EQ(file.ReadString("A", "k", ""), "1");
    EXPECT_EQ(file.ReadString("A", "m", ""), "4");
}

TEST_F(IniFileTest, ValueIsReadUpTo2047Characters) {
    std::string longValue(5000, 'v');
    IniFile file = Load("[S]\nk=" + longValue + "\n");
    EXPECT_EQ(file.ReadString("S", "k", ""), std::string(2047, 'v'));
}

TEST_F(IniFileTest, IntegersAcceptSignsAndBothHexPrefixesOnly) {
    IniFile file = Load(
        "[N]\nneg=-1\nplus=+7\nhex=0x1F\ndollar=$ff\nneghex=-$10\nallbits=$FFFFFFFF\n"
        "junk=12abc\nempty=\nbig=2147483648\nsmall=-2147483648\nbare=0x\nfloat=2.0\n"
        "huge=99999999999999999999999999\nspaced= 42 \n");
    EXPECT_EQ(file.ReadInteger("N", "neg", 5), -1);
    EXPECT_EQ(file.ReadInteger("N", "plus", 5), 7);
    EXPECT_EQ(file.ReadInteger("N", "hex", 5), 31);
    EXPECT_EQ(file.ReadInteger("N", "dollar", 5), 255);
    EXPECT_EQ(file.ReadInteger("N", "neghex", 5), -16);
    EXPECT_EQ(file.ReadInteger("N", "allbits", 5), -1);
    EXPECT_EQ(file.ReadInteger("N", "junk", 5), 5);
    EXPECT_EQ(file.ReadInteger("N", "empty", 5), 5);
    EXPECT_EQ(file.ReadInteger("N", "big", 5), 5);
    EXPECT_EQ(file.ReadInteger("N", "small", 5), -2147483647 - 1);
    EXPECT_EQ(file.ReadInteger("N", "bare", 5), 5);
    EXPECT_EQ(file.ReadInteger("N", "float", 5), 5);
    EXPECT_EQ(file.ReadInteger("N", "huge", 5), 5);
    EXPECT_EQ(file.ReadInteger("N", "spaced", 5), 42);
    EXPECT_EQ(file.ReadInteger("N", "missing", 5), 5);
}

TEST_F(IniFileTest, YesNoIsTrueForYesInAnyLetterCase) {
    IniFile file = Load("[E]\na=Yes\nb=yes\nc=YES\nd=No\ne=  Yes  \nf=Yess\ng=NO\nh=1\n");
    EXPECT_TRUE(ReadYesNo(file, "E", "a", false));
    EXPECT_TRUE(ReadYesNo(file, "E", "b", false));
    EXPECT_TRUE(ReadYesNo(file, "E", "c", false));
    EXPECT_FALSE(ReadYesNo(file, "E", "f", true));
    EXPECT_FALSE(ReadYesNo(file, "E", "g", true));
    EXPECT_FALSE(ReadYesNo(file, "E", "h", true));
    EXPECT_FALSE(ReadYesNo(file, "E", "d", true));
    EXPECT_TRUE(ReadYesNo(file, "E", "e", false));
    EXPECT_TRUE(ReadYesNo(file, "E", "missing", true));
    EXPECT_FALSE(ReadYesNo(file, "E", "missing", false));
}

TEST_F(IniFileTest, WritesReplaceInPlaceAppendToSectionOrFileAndKeepEverythingElse) {
    const std::string original =
        "; hand-written notes\n"
        "[Displacer]\n"
        "Diameter = 2.5\n"
        "Unknown=kept\n"
        "junk line without equals\n"
        "\n"
        "; next comes the piston\n"
        "[Piston]\n"
        "Stroke=3\n";
    IniFile file = Load(original);
    file.WriteString("displacer", "diameter", "4");
    file.WriteString("Displacer", "Mass", "1.5");
    file.WriteInteger("Hot", "TempUnits", -1);
    WriteYesNo(file, "Piston", "Flag", true);
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadBytes(path_),
              "; hand-written notes\n"
              "[Displacer]\n"
              "Diameter = 4\n"
              "Unknown=kept\n"
              "Mass=1.5\n"
              "junk line without equals\n"
              "\n"
              "; next comes the piston\n"
              "[Piston]\n"
              "Stroke=3\n"
              "Flag=Yes\n"
              "[Hot]\n"
              "TempUnits=-1\n");
}

TEST_F(IniFileTest, KeepsCrlfLineEndingsAndByteOrderMark) {
    IniFile file = Load("\xEF\xBB\xBF[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(file.ReadString("A", "x", ""), "1");
    file.WriteString("A", "x", "10");
    file.WriteString("A", "z", "3");
    file.WriteString("C", "w", "4");
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadBytes(path_),
              "\xEF\xBB\xBF[A]\r\nx=10\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n");
}

TEST_F(IniFileTest, FileWithoutFinalLineBreakGetsOneBeforeNewLines) {
    IniFile file = Load("[A]\nx=1");
    file.WriteString("A", "y", "2");
    file.WriteString("B", "z", "3");
    EXPECT_EQ(file.Text(), "[A]\nx=1\ny=2\n[B]\nz=3\n");

    IniFile last = Load("[A]\nx=1");
    last.WriteString("A", "x", "5");
    EXPECT_EQ(last.Text(), "[A]\nx=5");
}

TEST_F(IniFileTest, MissingFileIsCreated) {
    IniFile file(folder_.File("new.ini"));
    EXPECT_EQ(file.ReadStatus(), FileReadStatus::Missing);
    EXPECT_EQ(file.ReadString("A", "x", "default"), "default");
    file.WriteString("A", "x", "1");
    file.WriteString("B", "y", "");
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadBytes(folder_.File("new.ini")), "[A]\nx=1\n[B]\ny=\n");
}

TEST_F(IniFileTest, ValueWithLineBreaksCannotInjectLines) {
    IniFile file = Load("[A]\nx=1\n");
    file.WriteString("A", "x", "2\n[Evil]\r\nk=v");
    EXPECT_EQ(file.Text(), "[A]\nx=2 [Evil]  k=v\n");
    EXPECT_EQ(file.ReadString("Evil", "k", "none"), "none");
}

TEST_F(IniFileTest, JunkBinaryAndHugeLinesAreSkipped) {
    std::string junk = "garbage\n=novalue\n[\n[Unclosed\nin=unclosed\n";
    junk += std::string("\x00\x01\xff\xfe=\x80", 6) + "\n";
    junk += std::string(512 * 1024, 'x') + "\n";
    junk += "[Good]\n  key  =  value  \n===\n";
    junk += std::string(
        "[Bin]\nk=a\x00"
        "b\n",
        11);
    IniFile file = Load(junk);
    EXPECT_EQ(file.ReadString("Good", "key", ""), "value");
    EXPECT_EQ(file.ReadString("Unclosed", "in", ""), "unclosed");
    EXPECT_EQ(file.ReadString("Bin", "k", ""), std::string("a\x00"
                                                           "b",
                                                           3));
    file.WriteString("Good", "key", "new");
    ASSERT_TRUE(file.Save());
    std::string expected = junk;
    expected.replace(expected.find("value  "), 7, "new");
    EXPECT_EQ(ReadBytes(path_), expected);
}

TEST_F(IniFileTest, KeysBeforeAnySectionBelongToNone) {
    IniFile file = Load("x=1\n[A]\ny=2\n");
    EXPECT_EQ(file.ReadString("", "x", "none"), "none");
    EXPECT_EQ(file.ReadString("A", "x", "none"), "none");
}

TEST_F(IniFileTest, UnreadableFileIsNeverOverwritten) {
    std::filesystem::create_directory(path_);
    IniFile folder(path_);
    EXPECT_EQ(folder.ReadStatus(), FileReadStatus::Unreadable);
    EXPECT_FALSE(folder.Save());
    EXPECT_TRUE(std::filesystem::is_directory(path_));

    std::string pipe = folder_.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    IniFile fifo(pipe);  // must not block
    EXPECT_EQ(fifo.ReadStatus(), FileReadStatus::Unreadable);
}

}  // namespace
}  // namespace velmora
