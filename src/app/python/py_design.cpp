#include "py_design.h"

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "designspace/input_values.h"
#include "designspace/sweep_axis.h"
#include "designspace/sweep_inputs.h"
#include "engine/integration_model.h"
#include "engine/loss_inputs.h"
#include "export/energy_table.h"
#include "export/session_exports.h"
#include "form/design_form.h"
#include "form/input_controls.h"
#include "locale/number_settings_from_locale.h"
#include "persistence/output_file.h"
#include "persistence/parameter_file.h"
#include "persistence/parameter_file_check.h"
#include "persistence/parameter_keys.h"
#include "py_errors.h"
#include "py_values.h"
#include "report/number_text.h"
#include "simulation/design_result.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

std::string KeyName(const ParameterKey& key) {
    return std::string(key.section) + "." + key.key;
}

// The row of "SECTION.KEY" among the 56 keys; unknown keys are refused as the sweep refuses
// them.
const ParameterKey& FindKey(const std::string& name) {
    for (const ParameterKey& key : ParameterKeys())
        if (KeyName(key) == name) return key;
    throw UnknownKey("unknown input key '" + name + "'");
}

}  // namespace

bool Contains(const std::string& name) {
    for (const ParameterKey& key : ParameterKeys())
        if (KeyName(key) == name) return true;
    return false;
}

py::object GetKey(Design& design, const std::string& name) {
    const ParameterKey& key = FindKey(name);
    const ParameterControl control = key.control(design.state);
    if (control.flag != nullptr) return py::bool_(*control.flag);
    if (control.number != nullptr) return py::int_(*control.number);
    const std::string& text = *control.text;
    if (const auto value = NumberTextValue(text, design.state.outputs.numbers))
        return py::float_(*value);
    return py::str(text);
}

std::string NumberAsText(double value) {
    return TrialText(value, NumberSettings{});
}

// Sets a key from a Python value: a number (or a text holding one) for a text field, checked
// against what a swept input may hold; an index for a list; True/False for a check box.
void SetKey(Design& design, const std::string& name, const py::handle& value) {
    const ParameterKey& key = FindKey(name);
    // Not while another thread evaluates the design without the GIL.
    const std::lock_guard lock(*design.evaluating);
    const ParameterControl control = key.control(design.state);
    if (control.flag != nullptr) {
        if (!IsTruthValue(value)) throw InvalidValue(name + ": the value must be True or False");
        *control.flag = value.cast<bool>();
        return;
    }
    if (control.number != nullptr) {
        const std::optional<long long> whole = IntegralOf(value, name);
        if (!whole) throw InvalidValue(name + ": the value must be a whole number");
        const long long number = *whole;
        if (key.kind == ParameterKeyKind::Choice && (number < 0 || number >= key.itemCount))
            throw InvalidValue(name + ": the choice must be from 0 to " +
                               std::to_string(key.itemCount - 1));
        if (number < INT32_MIN || number > INT32_MAX)
            throw InvalidValue(name + ": the value is out of range");
        *control.number = static_cast<int>(number);
        return;
    }
    std::optional<double> number;
    if (py::isinstance<py::str>(value)) {
        number = ParseRangeNumber(value.cast<std::string>());
    } else {
        number = RealOf(value);
    }
    if (!number)
        throw InvalidValue(name + ": " + std::string(py::str(py::repr(value))) +
                           " is not a number");
    if (const SweepInput* input = FindSweepInput(name)) {
        const int units = InputField(design.state, *input->input).units;
        if (std::string why = InputValueProblem(*input, units, "VALUE", *number); !why.empty())
            throw InvalidValue(name + ": " + why);
    }
    *control.text = NumberAsText(*number);
}

namespace {

Design LoadDesign(const py::object& where) {
    const std::string path = PathOf(where);
    Design design;
    std::string problem;
    if (!LoadCheckedParameterFile(path, design.state, problem)) {
        std::error_code error;
        if (!std::filesystem::exists(path, error)) throw FileMissing(problem);
        throw FileRead(problem);
    }
    design.file = path;
    design.origin = design.state;
    return design;
}

void SaveDesign(Design& design, const py::object& where) {
    const std::string path = PathOf(where);
    std::string message;
    if (!SaveParameterFile(path, design.state, message))
        throw FileWrite(message + ": " + SaveFailureReason(path));
    design.file = path;
    design.origin = design.state;
}

// The key to_dict() gives the design's model under, beside the 56 keys.
constexpr const char* kModelKey = "Model.Integration";

void SetModel(Design& design, const std::string& word) {
    const std::optional<IntegrationModel> model = FindIntegrationModel(word);
    if (!model)
        throw InvalidValue("unknown model '" + word + "': the models are \"specified\" and " +
                           "\"accurate\"");
    const std::lock_guard lock(*design.evaluating);
    design.state.Integration = *model;
}

// A key of the [Gas], [Losses] and [Load] sections as to_dict() names it: "Losses.AnnulusGap",
// and "Losses.AnnulusGapUnits" for its units key.
struct LossKeyOfDict {
    std::size_t index;
    bool units;
};

std::string LossDictKey(const LossInput& input) {
    return std::string(input.section) + "." + input.key;
}

std::optional<LossKeyOfDict> FindLossDictKey(const std::string& name) {
    for (std::size_t i = 0; i < kLossInputs.size(); ++i) {
        const std::string key = LossDictKey(kLossInputs[i]);
        if (name == key) return LossKeyOfDict{i, false};
        if (name == key + "Units") return LossKeyOfDict{i, true};
    }
    return std::nullopt;
}

// A loss key's text as a file would hold it: a number as the shortest text that reads back as
// the same double, a text as it stands; None leaves the key out.
void SetLossText(LossTexts& texts, const LossKeyOfDict& key, const py::handle& value) {
    std::optional<std::string>& text = key.units ? texts.units[key.index] : texts.values[key.index];
    if (value.is_none())
        text.reset();
    else if (py::isinstance<py::str>(value))
        text = value.cast<std::string>();
    else
        text = BoundText(value);
}

// A text (what to_dict() gives for a text that holds no number) is typed as it stands, so that
// from_dict(to_dict()) gives the design back, its losses, gas and load included.
Design DesignFromDict(const py::dict& values, const Design* base) {
    Design design = base != nullptr ? Design(base->state, base->file) : Design();
    for (const auto& [key, value] : values) {
        const std::string name = py::str(key);
        if (name == kModelKey) {
            SetModel(design, py::str(value));
            continue;
        }
        if (const std::optional<LossKeyOfDict> loss = FindLossDictKey(name)) {
            SetLossText(design.state.lossTexts, *loss, value);
            continue;
        }
        const ParameterControl control = FindKey(name).control(design.state);
        if (control.text != nullptr && py::isinstance<py::str>(value) &&
            !ParseRangeNumber(value.cast<std::string>())) {
            *control.text = value.cast<std::string>();
            continue;
        }
        // A list without a choice, as a file may leave it.
        if (control.number != nullptr && !IsTruthValue(value) &&
            IntegralOf(value, name) == std::optional<long long>(kNoChoice)) {
            *control.number = kNoChoice;
            continue;
        }
        SetKey(design, name, value);
    }
    // Refused as a file holding them would be: one message naming the key.
    const LossReading losses = ReadLossInputs(design.state.lossTexts);
    if (!losses.problem.empty()) throw InvalidValue(losses.problem);
    return design;
}

py::dict DesignToDict(Design& design) {
    py::dict out;
    for (const ParameterKey& key : ParameterKeys()) {
        const std::string name = KeyName(key);
        out[py::str(name)] = GetKey(design, name);
    }
    out[kModelKey] = std::string(NameOf(design.state.Integration).name);
    // The [Gas], [Losses] and [Load] keys the design holds: a number as a float, else its text.
    const LossTexts& texts = design.state.lossTexts;
    for (std::size_t i = 0; i < kLossInputs.size(); ++i) {
        const std::string key = LossDictKey(kLossInputs[i]);
        if (const std::optional<std::string>& value = texts.values[i]) {
            const std::optional<double> number = ParseRangeNumber(*value);
            out[py::str(key)] =
                number ? py::object(py::float_(*number)) : py::object(py::str(*value));
        }
        if (const std::optional<std::string>& unit = texts.units[i])
            out[py::str(key + "Units")] = *unit;
    }
    return out;
}

// The state of a pickled design: its file and every key as held (texts exactly as typed), then
// the model.
py::tuple DesignState(const Design& design) {
    ControlState state = design.state;
    py::list keys;
    for (const ParameterKey& key : ParameterKeys()) {
        const ParameterControl control = key.control(state);
        py::object raw = control.flag != nullptr     ? py::object(py::bool_(*control.flag))
                         : control.number != nullptr ? py::object(py::int_(*control.number))
                                                     : py::object(py::str(*control.text));
        keys.append(raw);
    }
    // The [Gas], [Losses] and [Load] texts, each value and unit as read (None: not in the file).
    py::list losses;
    const auto text = [](const std::optional<std::string>& t) {
        return t ? py::object(py::str(*t)) : py::object(py::none());
    };
    for (std::size_t i = 0; i < state.lossTexts.values.size(); ++i)
        losses.append(
            py::make_tuple(text(state.lossTexts.values[i]), text(state.lossTexts.units[i])));
    return py::make_tuple(design.file, keys, std::string(NameOf(state.Integration).name), losses);
}

Design DesignOfState(const py::tuple& saved) {
    // Three items: pickled before the loss inputs were kept.
    if (saved.size() != 3 && saved.size() != 4)
        throw InvalidValue("not the state of a pickled velmora.Design");
    Design design;
    design.file = saved[0].cast<std::string>();
    const auto keys = saved[1].cast<py::list>();
    const auto& all = ParameterKeys();
    if (keys.size() != all.size()) throw InvalidValue("not the state of a pickled velmora.Design");
    std::size_t i = 0;
    for (const ParameterKey& key : all) {
        const ParameterControl control = key.control(design.state);
        const py::handle raw = keys[i++];
        if (control.flag != nullptr)
            *control.flag = raw.cast<bool>();
        else if (control.number != nullptr)
            *control.number = raw.cast<int>();
        else
            *control.text = raw.cast<std::string>();
    }
    SetModel(design, saved[2].cast<std::string>());
    if (saved.size() == 4) {
        const auto losses = saved[3].cast<py::list>();
        LossTexts& texts = design.state.lossTexts;
        if (losses.size() != texts.values.size())
            throw InvalidValue("not the state of a pickled velmora.Design");
        const auto text = [](const py::handle& t) {
            return t.is_none() ? std::optional<std::string>() : t.cast<std::string>();
        };
        for (std::size_t i = 0; i < texts.values.size(); ++i) {
            const auto pair = losses[i].cast<py::tuple>();
            texts.values[i] = text(pair[0]);
            texts.units[i] = text(pair[1]);
        }
    }
    design.origin = design.state;
    return design;
}

DesignResult Evaluate(Design& design, bool powerCurve, bool energy) {
    EvaluationOptions options;
    options.powerCurve = powerCurve;
    options.energy = energy;
    const velmora::Design numbers = ReadDesign(design.state).design;
    const py::gil_scoped_release unlocked;
    const std::lock_guard lock(*design.evaluating);
    return design.evaluator->Evaluate(numbers, options);
}

std::vector<std::string> ReportLines(const Design& design) {
    RecordingSession session;
    session.State = design.state;
    // As velmora-cli report: the environment's number settings, the file's name for the
    // reference check, one forced compute run.
    session.State.outputs.numbers = NumberSettingsFromSystemLocale();
    session.Driver.LoadedFileName = design.file;
    {
        const py::gil_scoped_release unlocked;
        session.Compute(true, true);
    }
    std::vector<std::string> lines;
    std::istringstream text(ReportTextOf(session));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

// Keys whose text, choice or check differs from the design as loaded, saved or made.
int EditCount(const Design& design) {
    ControlState now = design.state;
    ControlState before = design.origin;
    int edits = 0;
    for (const ParameterKey& key : ParameterKeys()) {
        const ParameterControl a = key.control(now);
        const ParameterControl b = key.control(before);
        const bool same = a.flag != nullptr     ? *a.flag == *b.flag
                          : a.number != nullptr ? *a.number == *b.number
                                                : *a.text == *b.text;
        edits += same ? 0 : 1;
    }
    return edits;
}

Design CopyOf(const Design& d) {
    Design copy(d.state, d.file);
    copy.origin = d.origin;
    return copy;
}

std::vector<std::string> KeyNames() {
    std::vector<std::string> names;
    for (const ParameterKey& key : ParameterKeys()) names.push_back(KeyName(key));
    return names;
}

py::object Value(const std::optional<double>& value) {
    return value ? py::object(py::float_(*value)) : py::object(py::none());
}

void BindResult(py::module_& module) {
    py::class_<DesignResult> result(module, "Result",
                                    "The results of one design in SI units, one attribute per "
                                    "output column of velmora-cli sweep; None where a value "
                                    "could not be computed (or, for the power/speed curve "
                                    "columns, was not asked for).");
    // One attribute per row of the output-column table: a column added there appears here.
    for (const DesignOutputColumn& column : kDesignOutputColumns) {
        const DesignOutput output = column.output;
        result.def_property_readonly(
            column.name, [output](const DesignResult& r) { return Value(r[output]); },
            (std::string(column.caption) + (column.powerCurve ? "; needs power_curve=True"
                                            : column.energy   ? "; needs energy=True"
                                                              : ""))
                .c_str());
    }
    result.def_property_readonly(
        "engine_speed_rad_s", [](const DesignResult& r) { return r.engineSpeed; },
        "The engine speed as read from the design (rad/s).");
    result.def_property_readonly(
        "losses_note",
        [](const DesignResult& r) -> py::object {
            if (r.energyGaps.losses == EnergyGap::None) return py::none();
            return py::str(EnergyGapReason(r.energyGaps.losses));
        },
        "Why the lossy cycle's figures are None although it was run (\"displacer does not "
        "move: friction exceeds the gas force\"); None otherwise.");
    result.def_property_readonly(
        "overdriven",
        [](const DesignResult& r) {
            py::object o = py::none();
            if (auto v = r.Overdriven()) o = py::bool_(*v);
            return o;
        },
        "Engine speed above Omega Bar; None without Omega Bar.");
    result.def(
        "to_dict",
        [](const DesignResult& r) {
            py::dict out;
            for (const DesignOutputColumn& column : kDesignOutputColumns)
                out[column.name] = Value(r[column.output]);
            return out;
        },
        "Every output column by name.");
    result.def_property_readonly_static(
        "columns",
        [](const py::object&) {
            std::vector<std::string> names;
            names.reserve(kDesignOutputColumns.size());
            for (const DesignOutputColumn& column : kDesignOutputColumns)
                names.emplace_back(column.name);
            return names;
        },
        "The output column names, in the order velmora-cli sweep writes them.");
    result.def("__repr__", [](const DesignResult& r) {
        std::string text = "Result(";
        bool first = true;
        for (const DesignOutputColumn& column : kDesignOutputColumns) {
            if (!r[column.output]) continue;
            text += (first ? "" : ", ") + std::string(column.name) + "=" +
                    std::string(py::str(py::float_(*r[column.output])));
            first = false;
        }
        return text + ")";
    });
}

}  // namespace

int ThreadCount(const py::object& threads) {
    if (threads.is_none())
        return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const std::optional<long long> whole = IntegralOf(threads, "threads");
    if (!whole) throw InvalidValue("threads must be a whole number from 1 to 256");
    const long long count = *whole;
    if (count < 1 || count > 256)
        throw InvalidValue("threads must be a whole number from 1 to 256");
    return static_cast<int>(count);
}

void BindDesign(py::module_& module) {
    BindResult(module);
    py::class_<Design> design(module, "Design",
                              "An engine design: the 56 keys of a parameter file, read and set "
                              "by their SECTION.KEY names (design[\"Piston.Stroke\"] = 150) in "
                              "the units the file chooses.");
    design.def(py::init<>(), "A design of a parameter file that holds no keys (all defaults).")
        .def_static("load", &LoadDesign, py::arg("path"),
                    "Loads a parameter file (.RBP or Default.INI) as velmora-cli does; "
                    "FileReadError when it cannot be read or holds no parameter key.")
        .def_static(
            "from_dict",
            [](const py::dict& values, const Design* base) { return DesignFromDict(values, base); },
            py::arg("values"), py::kw_only(), py::arg("base") = nullptr,
            "A design from {\"SECTION.KEY\": value}: `base` (default: all defaults) with each "
            "key set as design[key] = value sets it.")
        .def("save", &SaveDesign, py::arg("path"),
             "Writes the design as a parameter file, keeping whatever else the file holds; "
             "FileWriteError when it cannot be written.")
        .def("copy", &CopyOf, "An independent copy of the design.")
        .def("__copy__", &CopyOf)
        .def("__deepcopy__", [](const Design& d, const py::object&) { return CopyOf(d); })
        .def("__len__", [](const Design&) { return ParameterKeys().size(); })
        .def(
            "__iter__", [](const Design&) { return py::iter(py::cast(KeyNames())); },
            "The 56 SECTION.KEY names, as a mapping iterates its keys.")
        .def(
            "items",
            [](Design& d) {
                py::list items;
                for (const std::string& name : KeyNames())
                    items.append(py::make_tuple(name, GetKey(d, name)));
                return items;
            },
            "(SECTION.KEY, value) for the 56 keys, in the file's order.")
        .def(
            "values",
            [](Design& d) {
                py::list values;
                for (const std::string& name : KeyNames()) values.append(GetKey(d, name));
                return values;
            },
            "The 56 values, in the file's order.")
        .def("_ipython_key_completions_", [](const Design&) { return KeyNames(); })
        .def("__getitem__", &GetKey, py::arg("key"),
             "The value of SECTION.KEY: a float for a text holding a number, else the text; "
             "an int for a list's choice; a bool for a check box.")
        .def("__setitem__", &SetKey, py::arg("key"), py::arg("value"),
             "Sets SECTION.KEY: a number (or a text holding one) in the file's unit for that "
             "input, an int for a list, a bool for a check box. UnknownKeyError for a key a "
             "parameter file does not have, InvalidValueError for a value the key cannot hold.")
        .def("__contains__", [](const Design&, const std::string& name) { return Contains(name); })
        .def(
            "get_text",
            [](Design& d, const std::string& name) {
                const ParameterControl control = FindKey(name).control(d.state);
                if (control.text == nullptr) throw InvalidValue(name + ": not a text field");
                return *control.text;
            },
            py::arg("key"), "The text of a text field exactly as typed.")
        .def(
            "set_text",
            [](Design& d, const std::string& name, const std::string& text, bool anyText) {
                const ParameterControl control = FindKey(name).control(d.state);
                if (control.text == nullptr) throw InvalidValue(name + ": not a text field");
                // An input left empty is reported as missing; other text that is no number
                // would be read as 0 and computed with.
                if (!anyText && FindSweepInput(name) != nullptr && !text.empty() &&
                    !NumberTextValue(text, d.state.outputs.numbers))
                    throw InvalidValue(name + ": '" + text + "' is not a number");
                const std::lock_guard lock(*d.evaluating);
                *control.text = text;
            },
            py::arg("key"), py::arg("text"), py::kw_only(), py::arg("any_text") = false,
            "Types a text into a text field: a number as the design's number settings write "
            "it, or empty for a value left out; InvalidValueError for other text in a number "
            "input, unless any_text=True types it as the window allows (the report then says "
            "what it makes of it).")
        .def("to_dict", &DesignToDict,
             "Every key with its value, in the file's order, then \"Model.Integration\" with "
             "the model's name; from_dict() of it gives the design back.")
        .def(py::pickle(&DesignState, &DesignOfState))
        .def_static("keys", &KeyNames,
                    "The 56 SECTION.KEY names of a parameter file, in the order it is read.")
        .def_static(
            "inputs",
            [] {
                std::vector<std::string> names;
                names.reserve(kSweepInputs.size());
                for (const SweepInput& input : kSweepInputs) names.emplace_back(input.key);
                return names;
            },
            "The SECTION.KEY names of the inputs sweep() and optimize() can vary.")
        .def_property_readonly(
            "file",
            [](const Design& d) {
                return d.file.empty() ? py::object(py::none()) : py::object(py::str(d.file));
            },
            "The file the design was loaded from or last saved to (it names a reference "
            "engine in the report), or None.")
        .def_property(
            "model", [](const Design& d) { return std::string(NameOf(d.state.Integration).name); },
            &SetModel,
            "The model the design's figures come from, as its file's [Model] Integration: "
            "\"specified\" (the one-degree model) or \"accurate\"; saved with the design.")
        .def("evaluate", &Evaluate, py::kw_only(), py::arg("power_curve") = false,
             py::arg("energy") = false,
             "One compute run of the design as velmora-cli sweep makes it: a Result in SI "
             "units. power_curve=True also computes the power/speed curve's maximum, "
             "energy=True the work, heat and efficiency columns under the design's model "
             "(both slower).")
        .def("report", &ReportLines,
             "The report lines (inputs, an empty line, computed values) exactly as "
             "velmora-cli report prints them, without line ends.")
        .def("__repr__", [](const Design& d) {
            const int edits = EditCount(d);
            return "<velmora.Design " +
                   (d.file.empty() ? std::string("(no file)") : "'" + d.file + "'") + ", model " +
                   NameOf(d.state.Integration).name + ", " + std::to_string(edits) +
                   (edits == 1 ? " edit" : " edits") + ">";
        });
    // Read-only mapping of its keys: isinstance(design, collections.abc.Mapping) holds.
    py::module_::import("collections.abc").attr("Mapping").attr("register")(design);
}

}  // namespace velmora::python
