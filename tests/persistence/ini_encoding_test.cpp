// Parameter files saved by other editors: UTF-16 with a byte-order mark (as Windows editors
// save INI files), line ends of a CR alone, and files of millions of sections.
#include <gtest/gtest.h>

#include <string>

#include "form/control_state.h"
#include "persistence/ini_file.h"
#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"
#include "persistence/text_encoding.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// UTF-16 bytes of an ASCII text, worked out by hand: each character then a zero (LE) or a
// zero then the character (BE).
std::string Utf16(std::string_view ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) {
        bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return bytes;
}

TEST(TextEncoding, Utf16DecodesToUtf8AndEncodesBackToTheSameBytes) {
    // "é€😀" in UTF-16 LE: E9 00, AC 20, 3D D8 00 DE (a surrogate pair).
    const std::string le = std::string("\xFF\xFE\xE9\x00\xAC\x20\x3D\xD8\x00\xDE", 10);
    const DecodedText decoded = DecodeText(le);
    EXPECT_EQ(decoded.encoding, TextEncoding::Utf16Le);
    EXPECT_EQ(decoded.text, "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(EncodeText(decoded.text, decoded.encoding, decoded.oddByte), le);

    // A lone surrogate and an odd last byte survive the round trip unchanged.
    const std::string odd = std::string("\xFE\xFF\xD8\x01\x00\x41\x7F", 7);
    const DecodedText oddDecoded = DecodeText(odd);
    EXPECT_EQ(oddDecoded.encoding, TextEncoding::Utf16Be);
    EXPECT_EQ(oddDecoded.oddByte, "\x7F");
    EXPECT_EQ(EncodeText(oddDecoded.text, oddDecoded.encoding, oddDecoded.oddByte), odd);

    EXPECT_EQ(DecodeText("\xEF\xBB\xBF[A]").encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF[A]").text, "[A]");
    EXPECT_EQ(DecodeText("[A]").encoding, TextEncoding::Utf8);
}

class IniEncodingTest : public ::testing::Test {
  protected:
    TempFolder folder_;
    std::string path_ = folder_.File("test.ini");
};

TEST_F(IniEncodingTest, Utf16FilesReadAsTheirTextAndStayUtf16WhenSaved) {
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big endian" : "little endian");
        const std::string original =
            Utf16("[Displacer]\r\nDiameter=127.2\r\nUnits=1\r\n", bigEndian);
        WriteBytes(path_, original);
        IniFile file(path_);
        EXPECT_EQ(file.ReadString("Displacer", "Diameter", "x"), "127.2");
        EXPECT_EQ(file.ReadInteger("Displacer", "Units", -1), 1);
        EXPECT_EQ(file.Text(), original);

        file.WriteString("Displacer", "Diameter", "130");
        file.WriteString("Piston", "Stroke", "140");
        ASSERT_TRUE(file.Save());
        EXPECT_EQ(ReadBytes(path_),
                  Utf16("[Displacer]\r\nDiameter=130\r\nUnits=1\r\n[Piston]\r\nStroke=140\r\n",
                        bigEndian));
    }
}

TEST_F(IniEncodingTest, LoneCarriageReturnsEndLinesAndNewLinesUseThem) {
    WriteBytes(path_, "[Displacer]\rDiameter=127.2\rStroke=126\r[Hot]\rTemp=650");
    IniFile file(path_);
    EXPECT_EQ(file.ReadString("Displacer", "Diameter", "x"), "127.2");
    EXPECT_EQ(file.ReadString("Displacer", "Stroke", "x"), "126");
    EXPECT_EQ(file.ReadString("Hot", "Temp", "x"), "650");
    file.WriteString("Displacer", "Mass", "1");
    file.WriteString("Cold", "Temp", "42");
    EXPECT_EQ(
        file.Text(),
        "[Displacer]\rDiameter=127.2\rStroke=126\rMass=1\r[Hot]\rTemp=650\r[Cold]\rTemp=42\r");
}

TEST_F(IniEncodingTest, ParameterFileInUtf16LoadsLikeItsUtf8Original) {
    const std::string kestmore =
        std::string(std::getenv("VELMORA_SOURCE_DIR")) + "/examples/KESTMORE.RBP";
    const std::string utf8 = ReadBytes(kestmore);
    ASSERT_FALSE(utf8.empty());
    ControlState expected;
    ASSERT_EQ(LoadParameterFile(kestmore, expected), FileReadStatus::Read);

    WriteBytes(path_, EncodeText(utf8, TextEncoding::Utf16Le));
    ControlState fromUtf16;
    ASSERT_EQ(LoadParameterFile(path_, fromUtf16), FileReadStatus::Read);
    EXPECT_EQ(fromUtf16.EditDispDiameter.text, expected.EditDispDiameter.text);
    EXPECT_EQ(fromUtf16.EditMeanEnginePressure.units, expected.EditMeanEnginePressure.units);
    EXPECT_EQ(fromUtf16.EditHotTemp.text, expected.EditHotTemp.text);
    EXPECT_EQ(fromUtf16.LeakCB, expected.LeakCB);
    EXPECT_EQ(fromUtf16.Width, expected.Width);

    // CR-only line ends, as old editors save them.
    std::string crOnly;
    for (char c : utf8) {
        if (c != '\n') crOnly += c;
    }
    if (crOnly.find('\r') == std::string::npos) {  // an LF file: make its line ends CRs
        crOnly.clear();
        for (char c : utf8) crOnly += c == '\n' ? '\r' : c;
    }
    WriteBytes(path_, crOnly);
    ControlState fromCr;
    ASSERT_EQ(LoadParameterFile(path_, fromCr), FileReadStatus::Read);
    EXPECT_EQ(fromCr.EditDispStroke.text, expected.EditDispStroke.text);
    EXPECT_EQ(fromCr.EditColdTemp.text, expected.EditColdTemp.text);
}

TEST_F(IniEncodingTest, MillionsOfTinySectionsAreReadAndTheKnownOnesFound) {
    std::string text;
    for (int i = 0; i < 2'000'000; ++i) text += "[s" + std::to_string(i % 1'000'003) + "]\n";
    text += "[Displacer]\nDiameter=2\n[s7]\nk=v\n";
    WriteBytes(path_, text);
    IniFile file(path_);
    EXPECT_EQ(file.ReadString("displacer", "diameter", ""), "2");
    EXPECT_EQ(file.ReadString("S7", "K", ""), "v");
    EXPECT_EQ(file.ReadString("missing", "k", "none"), "none");
    file.WriteString("s5", "added", "1");
    const std::string saved = file.Text();
    EXPECT_EQ(saved.size(), text.size() + std::string("added=1\n").size());
    EXPECT_NE(saved.find("[s5]\nadded=1\n[s6]\n"), std::string::npos);
}

}  // namespace
}  // namespace velmora
