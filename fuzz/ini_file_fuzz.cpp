// The INI service on arbitrary file texts: reading never fails, a write followed by a save and
// a fresh load reads back the text written (as the service defines it: one line, without
// surrounding blanks, at most 2047 characters), and every other key reads as before. The same
// round trip through the parameter-file procedures keeps every control of the window.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "form/control_state.h"
#include "fuzz_checks.h"
#include "fuzz_files.h"
#include "persistence/ini_file.h"
#include "persistence/parameter_file.h"

namespace {

using velmora::ControlState;
using velmora::IniFile;
using velmora::fuzz::Check;

// The keys of a parameter file, in reading order.
constexpr std::pair<const char*, const char*> kParameterKeys[] = {
    {"Displacer", "Diameter"},
    {"Displacer", "DiameterUnits"},
    {"Displacer", "Stroke"},
    {"Displacer", "StrokeUnits"},
    {"Displacer", "Mass"},
    {"Displacer", "MassUnits"},
    {"DisplacerRod", "Diameter"},
    {"DisplacerRod", "DiameterUnits"},
    {"DisplacerSpring", "Constant"},
    {"DisplacerSpring", "ConstantUnits"},
    {"DisplacerSpring", "Center"},
    {"DisplacerSpring", "CenterUnits"},
    {"Piston", "Diameter"},
    {"Piston", "DiameterUnits"},
    {"Piston", "Stroke"},
    {"Piston", "StrokeUnits"},
    {"DeadSpace", "Volume"},
    {"DeadSpace", "VolumeUnits"},
    {"DeadSpace", "Temp"},
    {"DeadSpace", "TempUnits"},
    {"Hot", "Temp"},
    {"Hot", "TempUnits"},
    {"Cold", "Temp"},
    {"Cold", "TempUnits"},
    {"Engine", "Speed"},
    {"Engine", "SpeedUnits"},
    {"Engine", "Pressure"},
    {"Engine", "LeakDown"},
    {"Engine", "PressureUnits"},
    {"ComputeCycle", "Count"},
    {"GraphCycle", "Count"},
    {"MaxGraphCycle", "Count"},
    {"Engine", "RequiredPower"},
    {"Graph", "Red"},
    {"Graph", "Blue"},
    {"Graph", "XAxis"},
    {"OutputFormat", "Length"},
    {"OutputFormat", "Temperature"},
    {"OutputFormat", "Mass"},
    {"OutputFormat", "AngVel"},
    {"OutputFormat", "Spring"},
    {"OutputFormat", "Angle"},
    {"OutputFormat", "Pressure"},
    {"Show", "Graph2"},
    {"Gravity", "Enabled"},
    {"Position", "Left"},
    {"Position", "Top"},
    {"Position", "Height"},
    {"Position", "Width"},
    {"TabControl", "Page"},
    {"Design", "PistonDiam"},
    {"Design", "PistonStroke"},
    {"Design", "DispDiam"},
    {"Design", "DispStroke"},
    {"XAxis", "Offset"},
    {"MemoWidth", "Left"},
};

// The real write steps without the flushes to disk, which would make each input cost
// milliseconds; durability is not what is fuzzed here.
struct UnsyncedSteps : velmora::FileWriteSteps {
    bool Sync(int /*fd*/) const override { return true; }
    void SyncFolder(const std::string& /*folder*/) const override {}
};
const UnsyncedSteps kSteps;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// What reading gives back after writing `value`.
std::string StoredForm(std::string_view value) {
    std::string text(value);
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, std::min(end - begin, IniFile::kMaxValueLength));
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

using KeyName = std::pair<std::string, std::string>;  // section and key, lower case

// Section and key names found in the text (a rough reading, enough to find names worth
// probing), plus every key of a parameter file.
std::vector<KeyName> ProbeNames(std::string_view text) {
    std::vector<KeyName> names;
    for (const auto& [section, key] : kParameterKeys) names.emplace_back(section, key);
    std::string section;
    bool inSection = false;
    std::size_t position = 0;
    while (position < text.size() && names.size() < 200) {
        std::size_t end = text.find('\n', position);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(position, end - position);
        position = end + 1;
        std::size_t first = 0;
        while (first < line.size() && IsBlank(line[first])) ++first;
        line.remove_prefix(first);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            std::string_view inner = line.substr(1);
            inner = inner.substr(0, inner.find(']'));
            section = StoredForm(inner);
            inSection = true;
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        std::string key = StoredForm(line.substr(0, equals));
        if (!key.empty() && !section.empty()) names.emplace_back(section, key);
    }
    return names;
}

void RoundTripIni(const std::string& path, std::string_view fileText, FuzzedDataProvider& fdp) {
    IniFile before(path);
    const std::vector<KeyName> probes = ProbeNames(fileText);
    std::vector<std::string> oldValues;
    for (const auto& [section, key] : probes) {
        oldValues.push_back(before.ReadString(section, key, "\x01(missing)"));
        (void)before.ReadInteger(section, key, -7);
    }

    IniFile edited(path);
    std::map<KeyName, std::string> written;
    const int writes = fdp.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < writes; ++i) {
        const auto& [section, key] = kParameterKeys[fdp.ConsumeIntegralInRange<std::size_t>(
            0, std::size(kParameterKeys) - 1)];
        const std::string value = fdp.ConsumeRandomLengthString(3000);
        edited.WriteString(section, key, value);
        written[{Lower(section), Lower(key)}] = StoredForm(value);
        Check(edited.ReadString(section, key, "\x01") == StoredForm(value),
              "a written value reads back at once", value);
    }
    Check(edited.Save(&kSteps), "a file that could be read can be saved", path);

    const IniFile after(path);
    Check(after.ReadStatus() == velmora::FileReadStatus::Read, "the saved file reads", path);
    Check(after.Text() == edited.Text(), "the saved file holds the edited text");
    for (const auto& [name, value] : written) {
        Check(after.ReadString(name.first, name.second, "\x01") == value,
              "a saved value reads back after a fresh load", value);
    }
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto& [section, key] = probes[i];
        if (written.count({Lower(section), Lower(key)}) != 0) continue;
        Check(after.ReadString(section, key, "\x01(missing)") == oldValues[i],
              "a key that was not written keeps its value", section + "/" + key);
    }
}

// The text fields of the window, for the parameter-file round trip.
std::vector<std::string*> TextFields(ControlState& s) {
    return {&s.EditDispDiameter.text,   &s.EditDispStroke.text,
            &s.EditDispMass.text,       &s.EditDispRodDiameter.text,
            &s.EditSpringConstant.text, &s.EditSpringCenter.text,
            &s.EditPistonDiameter.text, &s.EditPistonStroke.text,
            &s.EditDeadSpaceVol.text,   &s.EditDeadSpaceTemp.text,
            &s.EditHotTemp.text,        &s.EditColdTemp.text,
            &s.EditEngineSpeed.text,    &s.EditMeanEnginePressure.text,
            &s.EditRequiredEnginePower, &s.ComputeCycleCountEdit,
            &s.GraphCycleCountEdit,     &s.MaxGraphCycleCountEdit,
            &s.EditXAxisOffset,         &s.EditStep3PistonDiam,
            &s.EditStep3PistonStroke,   &s.EditStep5DispDiam,
            &s.EditStep5DispStroke};
}

void RoundTripParameterFile(const std::string& path, FuzzedDataProvider& fdp) {
    ControlState state;
    velmora::LoadParameterFile(path, state);
    std::vector<std::string*> fields = TextFields(state);
    const int edits = fdp.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < edits; ++i) {
        *fields[fdp.ConsumeIntegralInRange<std::size_t>(0, fields.size() - 1)] =
            fdp.ConsumeRandomLengthString(300);
    }
    state.LeakCB = fdp.ConsumeBool();
    state.Left = fdp.ConsumeIntegral<int>();

    std::string error;
    Check(velmora::SaveParameterFile(path, state, error, &kSteps), "saving a readable file works",
          error);
    Check(error.empty(), "a successful save leaves no message", error);
    ControlState loaded;
    velmora::LoadParameterFile(path, loaded);

    std::vector<std::string*> loadedFields = TextFields(loaded);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        Check(*loadedFields[i] == StoredForm(*fields[i]), "a saved field loads back", *fields[i]);
    }
    Check(loaded.LeakCB == state.LeakCB && loaded.GravityCB == state.GravityCB,
          "check boxes load back");
    Check(loaded.Left == state.Left && loaded.Top == state.Top && loaded.Width == state.Width &&
              loaded.Height == state.Height && loaded.MemoWidth == state.MemoWidth &&
              loaded.Page == state.Page,
          "window bounds, page and pane width load back");
    Check(loaded.EditDispDiameter.units == state.EditDispDiameter.units &&
              loaded.EditMeanEnginePressure.units == state.EditMeanEnginePressure.units &&
              loaded.RedGraphRG == state.RedGraphRG && loaded.BlueGraphRG == state.BlueGraphRG &&
              loaded.XAxisRG == state.XAxisRG && loaded.ShowGraph2RG == state.ShowGraph2RG &&
              loaded.outputs.AngleOutputFormatRG == state.outputs.AngleOutputFormatRG &&
              loaded.outputs.LengthOutputFormatRG == state.outputs.LengthOutputFormatRG,
          "choices load back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider fdp(data, size);
    const std::string fileText = fdp.ConsumeRandomLengthString(1 << 16);
    const std::string path = velmora::fuzz::Scratch().File("engine.INI");
    if (!velmora::fuzz::WriteScratchFile(path, fileText)) return 0;
    RoundTripIni(path, fileText, fdp);
    RoundTripParameterFile(path, fdp);
    return 0;
}
