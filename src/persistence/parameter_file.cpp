#include "persistence/parameter_file.h"

#include <filesystem>
#include <span>

#include "persistence/ini_file.h"
#include "persistence/parameter_keys.h"

namespace velmora {

namespace {

constexpr int kFirstPage = 1;
constexpr int kLastPage = 5;

void WriteKey(IniFile& file, const ParameterKey& row, ControlState& state) {
    const ParameterControl control = row.control(state);
    switch (row.kind) {
        case ParameterKeyKind::Text:
            file.WriteString(row.section, row.key, *control.text);
            break;
        case ParameterKeyKind::YesNo:
            WriteYesNo(file, row.section, row.key, *control.flag);
            break;
        case ParameterKeyKind::Page:
            // Nothing is written when, impossibly, no page is active.
            if (*control.number < kFirstPage || *control.number > kLastPage) break;
            [[fallthrough]];
        case ParameterKeyKind::Choice:
        case ParameterKeyKind::Integer:
            file.WriteInteger(row.section, row.key, *control.number);
            break;
    }
}

std::string FileName(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FullName(const std::string& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

// Each key of [Gas], [Losses] and [Load] with its units key, as text: a file without them
// holds none and is saved without them.
void ReadLossTexts(const IniFile& file, LossTexts& texts) {
    constexpr std::string_view kAbsent = "\n";
    for (std::size_t row = 0; row < kLossInputs.size(); ++row) {
        const LossInput& input = kLossInputs[row];
        const auto read = [&](const std::string& key) -> std::optional<std::string> {
            std::string text = file.ReadString(input.section, key, kAbsent);
            if (text == kAbsent) return std::nullopt;
            return text;
        };
        texts.values[row] = read(input.key);
        texts.units[row] = read(std::string(input.key) + "Units");
    }
}

void WriteLossTexts(IniFile& file, const LossTexts& texts) {
    for (std::size_t row = 0; row < kLossInputs.size(); ++row) {
        const LossInput& input = kLossInputs[row];
        if (texts.values[row]) file.WriteString(input.section, input.key, *texts.values[row]);
        if (texts.units[row])
            file.WriteString(input.section, std::string(input.key) + "Units", *texts.units[row]);
    }
}

}  // namespace

void ReadParameterKey(const IniFile& file, const ParameterKey& row, ControlState& state) {
    const ParameterControl control = row.control(state);
    switch (row.kind) {
        case ParameterKeyKind::Text:
            *control.text = file.ReadString(row.section, row.key, row.textDefault);
            break;
        case ParameterKeyKind::Choice:
            *control.number = ClampChoice(file.ReadInteger(row.section, row.key, row.numberDefault),
                                          row.itemCount);
            break;
        case ParameterKeyKind::YesNo:
            *control.flag = ReadYesNo(file, row.section, row.key, row.numberDefault != 0);
            break;
        case ParameterKeyKind::Integer:
            *control.number =
                file.ReadInteger(row.section, row.key,
                                 row.defaultFromControls != nullptr ? row.defaultFromControls(state)
                                                                    : row.numberDefault);
            break;
        case ParameterKeyKind::Page: {
            const int page = file.ReadInteger(row.section, row.key, row.numberDefault);
            if (page >= kFirstPage && page <= kLastPage) *control.number = page;
            break;
        }
    }
}

FileReadStatus LoadParameterFile(const std::string& path, ControlState& state, bool* heldAnyKey) {
    const IniFile file(path);
    if (file.ReadStatus() == FileReadStatus::Unreadable) return FileReadStatus::Unreadable;
    for (const ParameterKey& row : ParameterKeys()) ReadParameterKey(file, row, state);
    // Beside the 56 keys: a file without it (or with a word it does not know) is specified.
    state.Integration = FindIntegrationModel(file.ReadString(kModelSection, kIntegrationKey, ""))
                            .value_or(IntegrationModel::Specified);
    ReadLossTexts(file, state.lossTexts);
    if (heldAnyKey != nullptr) {
        // A value never holds a line break, so this default tells an absent key from any value.
        constexpr std::string_view kAbsent = "\n";
        *heldAnyKey = false;
        for (const ParameterKey& row : ParameterKeys())
            if (file.ReadString(row.section, row.key, kAbsent) != kAbsent) {
                *heldAnyKey = true;
                break;
            }
    }
    return file.ReadStatus();
}

std::string NoParameterKeysMessage(const std::string& path) {
    return FullName(path) + " holds no section and key of a parameter file";
}

std::string UnableToReadMessage(const std::string& path) {
    return "Unable to read " + FullName(path);
}

bool SaveParameterFile(const std::string& path, const ControlState& state,
                       std::string& errorMessage, const FileWriteSteps* steps) {
    IniFile file(path);
    ControlState controls = state;  // the table hands out controls to change; none is changed
    const std::span<const ParameterKey> keys = ParameterKeys();
    for (std::size_t row : ParameterKeySaveOrder()) WriteKey(file, keys[row], controls);
    // Written when it says something: a specified design saved into a file that never had the
    // key is saved exactly as before the model choice existed.
    constexpr std::string_view kAbsent = "\n";
    if (state.Integration != IntegrationModel::Specified ||
        file.ReadString(kModelSection, kIntegrationKey, kAbsent) != kAbsent)
        file.WriteString(kModelSection, kIntegrationKey, NameOf(state.Integration).name);
    WriteLossTexts(file, state.lossTexts);

    if (!file.Save(steps)) {
        errorMessage = "Unable to write to " + FullName(path);
        return false;
    }
    errorMessage.clear();
    return true;
}

std::string WindowTitleForFile(const std::string& path) {
    std::string name = FileName(path);
    std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return "Velmora -- " + name;
}

std::string ProposedSaveName(const std::string& title) {
    std::size_t dashes = title.find("--");
    if (dashes == std::string::npos) return "";
    std::size_t start = dashes + 3;
    std::string name = start < title.size() ? title.substr(start, 100) : std::string();
    return FileName(name + ".RBP");
}

}  // namespace velmora
