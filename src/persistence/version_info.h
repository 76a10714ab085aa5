#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A four-part version number held as two 32-bit numbers, 16 bits per part.
struct TVersionNumberInformation {
    std::uint32_t MostSignificant = 0;
    std::uint32_t LeastSignificant = 0;
    bool Valid = false;

    // "%d.%d.%d.%d", or an empty text when invalid.
    std::string Text() const;
};

// The fixed part of a version block.
struct TFixedFileVersionInfo {
    std::uint32_t FileVersionMS = 0;
    std::uint32_t FileVersionLS = 0;
    std::uint32_t ProductVersionMS = 0;
    std::uint32_t ProductVersionLS = 0;
    std::uint32_t FileFlags = 0;
};

// Reads the version block that the build embeds in an executable (see
// cmake/VelmoraVersion.cmake): a marker followed by "name=value" lines. The file is scanned for
// the marker in bounded chunks; a file without a valid block has no version information.
class TVersionInfoResource {
  public:
    // The eleven string keys of a version block, by index.
    static constexpr std::array<std::string_view, 11> kStringKeys = {
        "CompanyName",    "FileDescription", "FileVersion",      "InternalName",
        "LegalCopyright", "LegalTrademarks", "OriginalFilename", "ProductName",
        "ProductVersion", "Comments",        "BuildFlags"};

    // Reads the block at once; an empty name means the running executable.
    void SetFileName(const std::string& fileName);
    const std::string& FileName() const { return fileName_; }

    bool HasVersionInfo() const { return !block_.empty(); }
    const TFixedFileVersionInfo& FixedInfo() const { return fixed_; }
    const TVersionNumberInformation& FileVersion() const { return fileVersion_; }
    const TVersionNumberInformation& ProductVersion() const { return productVersion_; }

    // Eight lower-case hexadecimal digits each: language, then code page.
    const std::vector<std::string>& Translations() const { return translations_; }
    int TranslationIndex() const { return translationIndex_; }
    void SetTranslationIndex(int index);

    // A string value of the translation in use ("040904E4" when the block lists none); empty
    // when missing.
    std::string StringValue(std::string_view key) const;
    // By the index of kStringKeys; an index outside 0 to 10 gives an empty text.
    std::string StringValue(int index) const;

    // The names of the set file flags, separated by ", ".
    std::string FileFlagsText() const;

  private:
    void Clear();

    std::string fileName_;
    std::string block_;
    TFixedFileVersionInfo fixed_;
    TVersionNumberInformation fileVersion_;
    TVersionNumberInformation productVersion_;
    std::vector<std::string> translations_;
    int translationIndex_ = 0;
};

// The executable's product version, "1.0.0.5" for the present release, or an empty text when
// the file carries no version information. An empty path means the running executable.
std::string ReadReleaseText(const std::string& executablePath);

}  // namespace velmora
