#include "persistence/parameter_file.h"

#include <filesystem>

#include "persistence/ini_file.h"

namespace velmora {

namespace {

constexpr int kFirstPage = 1;
constexpr int kLastPage = 5;

class StateReader {
  public:
    explicit StateReader(const IniFile& file) : file_(file) {}

    void Text(const char* section, const char* key, std::string& field, const char* fallback) {
        field = file_.ReadString(section, key, fallback);
    }
    void Choice(const char* section, const char* key, int& field, int itemCount, int fallback = 0) {
        field = ClampChoice(file_.ReadInteger(section, key, fallback), itemCount);
    }
    void Units(const char* section, const char* key, InputControl& control, InputUnitKind kind) {
        Choice(section, key, control.units, InputUnitItemCount(kind));
    }
    void Integer(const char* section, const char* key, int& field, int fallback) {
        field = file_.ReadInteger(section, key, fallback);
    }
    void Check(const char* section, const char* key, bool& field, bool fallback) {
        field = ReadYesNo(file_, section, key, fallback);
    }

  private:
    const IniFile& file_;
};

std::string FileName(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FullName(const std::string& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

}  // namespace

void LoadParameterFile(const std::string& path, ControlState& s) {
    const IniFile file(path);
    StateReader read(file);
    using Kind = InputUnitKind;

    read.Text("Displacer", "Diameter", s.EditDispDiameter.text, "");
    read.Units("Displacer", "DiameterUnits", s.EditDispDiameter, Kind::Length);
    read.Text("Displacer", "Stroke", s.EditDispStroke.text, "");
    read.Units("Displacer", "StrokeUnits", s.EditDispStroke, Kind::Length);
    read.Text("Displacer", "Mass", s.EditDispMass.text, "");
    read.Units("Displacer", "MassUnits", s.EditDispMass, Kind::Mass);
    read.Text("DisplacerRod", "Diameter", s.EditDispRodDiameter.text, "");
    read.Units("DisplacerRod", "DiameterUnits", s.EditDispRodDiameter, Kind::Length);
    read.Text("DisplacerSpring", "Constant", s.EditSpringConstant.text, "0");
    read.Units("DisplacerSpring", "ConstantUnits", s.EditSpringConstant, Kind::Spring);
    read.Text("DisplacerSpring", "Center", s.EditSpringCenter.text, "0");
    read.Units("DisplacerSpring", "CenterUnits", s.EditSpringCenter, Kind::Length);
    read.Text("Piston", "Diameter", s.EditPistonDiameter.text, "");
    read.Units("Piston", "DiameterUnits", s.EditPistonDiameter, Kind::Length);
    read.Text("Piston", "Stroke", s.EditPistonStroke.text, "");
    read.Units("Piston", "StrokeUnits", s.EditPistonStroke, Kind::Length);
    read.Text("DeadSpace", "Volume", s.EditDeadSpaceVol.text, "0");
    read.Units("DeadSpace", "VolumeUnits", s.EditDeadSpaceVol, Kind::Volume);
    read.Text("DeadSpace", "Temp", s.EditDeadSpaceTemp.text, "");
    read.Units("DeadSpace", "TempUnits", s.EditDeadSpaceTemp, Kind::Temperature);
    read.Text("Hot", "Temp", s.EditHotTemp.text, "");
    read.Units("Hot", "TempUnits", s.EditHotTemp, Kind::Temperature);
    read.Text("Cold", "Temp", s.EditColdTemp.text, "");
    read.Units("Cold", "TempUnits", s.EditColdTemp, Kind::Temperature);
    read.Text("Engine", "Speed", s.EditEngineSpeed.text, "");
    read.Units("Engine", "SpeedUnits", s.EditEngineSpeed, Kind::AngularSpeed);
    read.Text("Engine", "Pressure", s.EditMeanEnginePressure.text, "");
    read.Check("Engine", "LeakDown", s.LeakCB, true);
    read.Units("Engine", "PressureUnits", s.EditMeanEnginePressure, Kind::Pressure);
    read.Text("ComputeCycle", "Count", s.ComputeCycleCountEdit, "3");
    read.Text("GraphCycle", "Count", s.GraphCycleCountEdit, "3");
    read.Text("MaxGraphCycle", "Count", s.MaxGraphCycleCountEdit, "30");
    read.Text("Engine", "RequiredPower", s.EditRequiredEnginePower, "");
    read.Choice("Graph", "Red", s.RedGraphRG, kCurveItemCount);
    read.Choice("Graph", "Blue", s.BlueGraphRG, kCurveItemCount);
    read.Choice("Graph", "XAxis", s.XAxisRG, kXAxisItemCount);

    OutputUnits& out = s.outputs;
    read.Choice("OutputFormat", "Length", out.LengthOutputFormatRG, kLengthOutputItemCount, 1);
    read.Choice("OutputFormat", "Temperature", out.TemperatureOutputFormatRG,
                kTemperatureOutputItemCount, 0);
    read.Choice("OutputFormat", "Mass", out.MassOutputFormatRG, kMassOutputItemCount, 1);
    read.Choice("OutputFormat", "AngVel", out.AngVelOutputFormatRG, kAngVelOutputItemCount, 2);
    read.Choice("OutputFormat", "Spring", out.SpringOutputFormatRG, kSpringOutputItemCount, 1);
    // The default 2 is past the end of the two-item list, so a file without it selects nothing.
    read.Choice("OutputFormat", "Angle", out.AngleOutputFormatRG, kAngleOutputItemCount, 2);
    read.Choice("OutputFormat", "Pressure", out.PressureOutputFormatRG, kPressureOutputItemCount,
                2);
    read.Choice("Show", "Graph2", s.ShowGraph2RG, kSecondGraphItemCount);
    read.Check("Gravity", "Enabled", s.GravityCB, false);

    // The halving defaults use the bounds the window has at the moment of reading.
    read.Integer("Position", "Left", s.Left, (s.Width - s.Left) / 2);
    read.Integer("Position", "Top", s.Top, (s.Height - s.Top) / 2);
    read.Integer("Position", "Height", s.Height, 550);
    read.Integer("Position", "Width", s.Width, 800);
    const int page = file.ReadInteger("TabControl", "Page", kFirstPage);
    if (page >= kFirstPage && page <= kLastPage) s.Page = page;

    read.Text("Design", "PistonDiam", s.EditStep3PistonDiam, "");
    read.Text("Design", "PistonStroke", s.EditStep3PistonStroke, "");
    read.Text("Design", "DispDiam", s.EditStep5DispDiam, "");
    read.Text("Design", "DispStroke", s.EditStep5DispStroke, "");
    read.Text("XAxis", "Offset", s.EditXAxisOffset, "0");
    read.Integer("MemoWidth", "Left", s.MemoWidth, 325);
}

bool SaveParameterFile(const std::string& path, const ControlState& s, std::string& errorMessage,
                       const FileWriteSteps* steps) {
    IniFile file(path);
    auto input = [&file](const char* section, const char* textKey, const char* unitsKey,
                         const InputControl& control) {
        file.WriteString(section, textKey, control.text);
        file.WriteInteger(section, unitsKey, control.units);
    };

    input("Displacer", "Diameter", "DiameterUnits", s.EditDispDiameter);
    input("Displacer", "Stroke", "StrokeUnits", s.EditDispStroke);
    input("Displacer", "Mass", "MassUnits", s.EditDispMass);
    input("DisplacerRod", "Diameter", "DiameterUnits", s.EditDispRodDiameter);
    input("DisplacerSpring", "Constant", "ConstantUnits", s.EditSpringConstant);
    input("DisplacerSpring", "Center", "CenterUnits", s.EditSpringCenter);
    input("Piston", "Diameter", "DiameterUnits", s.EditPistonDiameter);
    input("Piston", "Stroke", "StrokeUnits", s.EditPistonStroke);
    input("DeadSpace", "Volume", "VolumeUnits", s.EditDeadSpaceVol);
    input("DeadSpace", "Temp", "TempUnits", s.EditDeadSpaceTemp);
    input("Hot", "Temp", "TempUnits", s.EditHotTemp);
    input("Cold", "Temp", "TempUnits", s.EditColdTemp);
    input("Engine", "Speed", "SpeedUnits", s.EditEngineSpeed);
    file.WriteString("Engine", "Pressure", s.EditMeanEnginePressure.text);
    WriteYesNo(file, "Engine", "LeakDown", s.LeakCB);
    file.WriteInteger("Engine", "PressureUnits", s.EditMeanEnginePressure.units);
    file.WriteString("ComputeCycle", "Count", s.ComputeCycleCountEdit);
    file.WriteString("GraphCycle", "Count", s.GraphCycleCountEdit);
    file.WriteString("MaxGraphCycle", "Count", s.MaxGraphCycleCountEdit);
    file.WriteString("Engine", "RequiredPower", s.EditRequiredEnginePower);
    // The saving order differs from the loading order in two places: XAxis before Blue, and
    // Show/Graph2 before OutputFormat/Pressure.
    file.WriteInteger("Graph", "Red", s.RedGraphRG);
    file.WriteInteger("Graph", "XAxis", s.XAxisRG);
    file.WriteInteger("Graph", "Blue", s.BlueGraphRG);
    const OutputUnits& out = s.outputs;
    file.WriteInteger("OutputFormat", "Length", out.LengthOutputFormatRG);
    file.WriteInteger("OutputFormat", "Temperature", out.TemperatureOutputFormatRG);
    file.WriteInteger("OutputFormat", "Mass", out.MassOutputFormatRG);
    file.WriteInteger("OutputFormat", "AngVel", out.AngVelOutputFormatRG);
    file.WriteInteger("OutputFormat", "Spring", out.SpringOutputFormatRG);
    file.WriteInteger("OutputFormat", "Angle", out.AngleOutputFormatRG);
    file.WriteInteger("Show", "Graph2", s.ShowGraph2RG);
    file.WriteInteger("OutputFormat", "Pressure", out.PressureOutputFormatRG);
    WriteYesNo(file, "Gravity", "Enabled", s.GravityCB);
    file.WriteInteger("Position", "Left", s.Left);
    file.WriteInteger("Position", "Top", s.Top);
    file.WriteInteger("Position", "Height", s.Height);
    file.WriteInteger("Position", "Width", s.Width);
    if (s.Page >= kFirstPage && s.Page <= kLastPage) {
        file.WriteInteger("TabControl", "Page", s.Page);
    }
    file.WriteString("Design", "PistonDiam", s.EditStep3PistonDiam);
    file.WriteString("Design", "PistonStroke", s.EditStep3PistonStroke);
    file.WriteString("Design", "DispDiam", s.EditStep5DispDiam);
    file.WriteString("Design", "DispStroke", s.EditStep5DispStroke);
    file.WriteString("XAxis", "Offset", s.EditXAxisOffset);
    file.WriteInteger("MemoWidth", "Left", s.MemoWidth);

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
