#include "persistence/parameter_file_warnings.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <span>
#include <string_view>
#include <utility>

#include "engine/integration_model.h"
#include "form/control_state.h"
#include "persistence/ini_file.h"
#include "persistence/parameter_keys.h"
#include "persistence/text_encoding.h"

namespace velmora {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Sections and keys given more than once, as IniFile reads the lines: "[Name]" opens a
// section, "key=value" is a key, names compare without letter case.
void AddDuplicates(const std::string& text, std::vector<std::string>& warnings) {
    std::set<std::string> sections;
    std::set<std::pair<std::string, std::string>> keys;
    std::string section;
    bool repeatedSection = false;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) end = text.size();
        const std::string_view line = Trimmed(std::string_view(text).substr(at, end - at));
        at = end + 1;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string_view::npos) continue;
            section = std::string(line.substr(1, close - 1));
            repeatedSection = !sections.insert(Lower(section)).second;
            if (repeatedSection)
                warnings.push_back("[" + section + "] is given twice; only the first is read");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || repeatedSection) continue;
        const std::string key(Trimmed(line.substr(0, equals)));
        if (!keys.emplace(Lower(section), Lower(key)).second)
            warnings.push_back("[" + section + "] " + key +
                               " is given twice; only the first is read");
    }
}

// An index of the list, or the "nothing chosen" a saved file may hold.
bool WholeNumberIn(const std::string& text, int count) {
    int value = 0;
    return ParseIniInteger(text, value) && (value == kNoChoice || (value >= 0 && value < count));
}

}  // namespace

std::vector<std::string> ParameterFileWarnings(const std::string& path) {
    const IniFile file(path);
    if (file.ReadStatus() != FileReadStatus::Read) return {};
    std::vector<std::string> warnings;
    constexpr std::string_view kAbsent = "\n";  // no value holds a line break
    for (const ParameterKey& row : ParameterKeys()) {
        const std::string value = file.ReadString(row.section, row.key, kAbsent);
        if (value == kAbsent) continue;
        std::string name = "[";
        name.append(row.section).append("] ").append(row.key).append("=").append(value);
        if (row.kind == ParameterKeyKind::YesNo) {
            const std::string word = Lower(value);
            if (word != "yes" && word != "no")
                warnings.push_back(name + " is neither Yes nor No; read as No");
        } else if (row.kind == ParameterKeyKind::Choice && !WholeNumberIn(value, row.itemCount)) {
            int index = 0;
            warnings.push_back(
                name +
                (ParseIniInteger(value, index)
                     ? " is beyond the " + std::to_string(row.itemCount) + " items of its list"
                     : " is not a whole number; read as " + std::to_string(row.numberDefault)));
        }
    }
    const std::string model = file.ReadString(kModelSection, kIntegrationKey, kAbsent);
    if (model != kAbsent && !FindIntegrationModel(model)) {
        std::string names;
        for (const IntegrationModelName& entry : kIntegrationModels)
            names += (names.empty() ? "" : " or ") + std::string(entry.name);
        warnings.push_back("[Model] Integration=" + model + " is not " + names + "; " +
                           NameOf(IntegrationModel::Specified).name + " is used");
    }
    std::string bytes;
    if (ReadWholeFile(path, bytes, IniFile::kMaxFileBytes) == FileReadStatus::Read)
        AddDuplicates(DecodeText(std::move(bytes)).text, warnings);
    return warnings;
}

std::string ParameterFileWarningsMessage(const std::string& path,
                                         const std::vector<std::string>& warnings) {
    std::string message = path + " holds values that are read as something else:";
    for (const std::string& warning : warnings) message += "\n" + warning;
    return message;
}

}  // namespace velmora
