// How designs and results show in a notebook (_repr_html_): a design as its inputs with their
// units, the edited ones marked, and its model; a result as its figures; an optimization as
// its before/after table. Every text shown is escaped.
#include <pybind11/pybind11.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "designspace/sweep_inputs.h"
#include "engine/integration_model.h"
#include "form/input_controls.h"
#include "persistence/parameter_keys.h"
#include "py_design.h"
#include "py_optimize.h"
#include "report/unit_text.h"
#include "simulation/design_result.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The file's name without its folder: the notebook is read on other machines.
std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string Figure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Cell(const std::string& text, const char* tag = "td") {
    return std::string("<") + tag + ">" + Escaped(text) + "</" + tag + ">";
}

// The unit the design keeps an input in, as the unit lists name it; empty without a choice.
std::string UnitOf(const SweepInput& input, const InputControl& control) {
    const UnitFamilyInfo& family = UnitFamilyOf(InputUnitFamily(input.input->kind));
    if (control.units >= 0 && control.units < family.count) return family.items[control.units].name;
    // The spring constant without a choice is read in N/m, a power in W (their first item).
    if (InputUnitDefined(input.input->kind, control.units)) return family.items[0].name;
    return "";
}

// The keys whose text, choice or check differs from the design as loaded, saved or made.
std::vector<std::string> EditedKeys(const Design& design) {
    ControlState now = design.state;
    ControlState before = design.origin;
    std::vector<std::string> edited;
    for (const ParameterKey& key : ParameterKeys()) {
        const ParameterControl a = key.control(now);
        const ParameterControl b = key.control(before);
        const bool same = a.flag != nullptr     ? *a.flag == *b.flag
                          : a.number != nullptr ? *a.number == *b.number
                                                : *a.text == *b.text;
        if (!same) edited.push_back(std::string(key.section) + "." + key.key);
    }
    return edited;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
        if (n == name) return true;
    return false;
}

std::string DesignHtml(const Design& d) {
    const std::vector<std::string> edited = EditedKeys(d);
    std::string html = "<div class=\"velmora-design\"><p><b>velmora.Design</b> " +
                       Escaped(d.file.empty() ? std::string("(no file)") : FileName(d.file)) +
                       " &middot; model <b>" + NameOf(d.state.Integration).name + "</b> &middot; " +
                       std::to_string(edited.size()) +
                       (edited.size() == 1 ? " key edited" : " keys edited") + "</p>";
    html += "<table><thead><tr>" + Cell("input", "th") + Cell("key", "th") + Cell("value", "th") +
            Cell("unit", "th") + Cell("edited", "th") + "</tr></thead><tbody>";
    std::vector<std::string> shown;
    for (const SweepInput& input : kSweepInputs) {
        const InputControl& control = InputField(d.state, *input.input);
        const std::string key = input.key;
        // A key is edited when its text or its unit choice changed.
        const bool changed = Contains(edited, key) || Contains(edited, key + "Units") ||
                             InputField(d.origin, *input.input).units != control.units;
        shown.push_back(key);
        html += std::string(changed ? "<tr style=\"font-weight:bold\">" : "<tr>") +
                Cell(input.name) + Cell(key) + Cell(control.text) + Cell(UnitOf(input, control)) +
                Cell(changed ? "edited" : "") + "</tr>";
    }
    html += "</tbody></table>";
    std::string others;
    for (const std::string& key : edited) {
        bool isInput = false;
        for (const std::string& s : shown) isInput = isInput || key.rfind(s, 0) == 0;
        if (!isInput) others += (others.empty() ? "" : ", ") + key;
    }
    if (!others.empty()) html += "<p>Also edited: " + Escaped(others) + "</p>";
    return html + "</div>";
}

std::string ResultHtml(const DesignResult& r) {
    std::string html =
        "<div class=\"velmora-result\"><p><b>velmora.Result</b> (SI units)</p>"
        "<table><thead><tr>" +
        Cell("figure", "th") + Cell("column", "th") + Cell("value", "th") + "</tr></thead><tbody>";
    int empty = 0;
    for (const DesignOutputColumn& column : kDesignOutputColumns) {
        const std::optional<double>& value = r[column.output];
        if (!value) {
            ++empty;
            continue;
        }
        html += "<tr>" + Cell(column.caption) + Cell(column.name) + Cell(Figure(*value)) + "</tr>";
    }
    if (const std::optional<bool> over = r.Overdriven())
        html +=
            "<tr>" + Cell("Overdriven") + Cell("overdriven") + Cell(*over ? "yes" : "no") + "</tr>";
    html += "</tbody></table>";
    if (empty > 0)
        html += "<p>" + std::to_string(empty) +
                " figures not computed (Result.columns lists them; energy=True and "
                "power_curve=True compute more).</p>";
    return html + "</div>";
}

std::string OptimizeHtml(const OptimizeResult& r) {
    std::string html = "<div class=\"velmora-optimize\"><p><b>velmora.OptimizeResult</b> " +
                       Escaped(InfoOf(r.objective).name) + ": " + Escaped(r.status) + ", " +
                       std::to_string(r.evaluations) + " evaluations" +
                       (r.best ? "" : " &middot; no feasible design") + "</p><table><thead><tr>" +
                       Cell("", "th") + Cell("before", "th") + Cell("after", "th") +
                       "</tr></thead><tbody>";
    for (const ResultRow& row : r.table)
        html += "<tr>" + Cell(row.label) + Cell(row.before) + Cell(row.after) + "</tr>";
    return html + "</tbody></table></div>";
}

}  // namespace

void BindNotebook(py::module_& module) {
    py::class_<Design> design = module.attr("Design");
    design.def("_repr_html_", &DesignHtml,
               "The design as a notebook shows it: its inputs with their units, the edited ones "
               "marked, and its model.");
    py::class_<DesignResult> result = module.attr("Result");
    result.def("_repr_html_", &ResultHtml, "The computed figures as a notebook shows them.");
    py::class_<OptimizeResult> optimized = module.attr("OptimizeResult");
    optimized.def("_repr_html_", &OptimizeHtml, "The before/after table as a notebook shows it.");
}

}  // namespace velmora::python
