#include "designspace/sweep_csv.h"

#include <charconv>
#include <ostream>

#include "simulation/sensitivity_study.h"

namespace velmora {

std::vector<DesignOutput> DefaultSweepOutputs() {
    std::vector<DesignOutput> outputs;
    for (const DesignOutputColumn& column : kDesignOutputColumns)
        if (!column.powerCurve) outputs.push_back(column.output);
    return outputs;
}

std::optional<std::vector<DesignOutput>> ParseOutputList(std::string_view list,
                                                         std::string& problem) {
    std::vector<DesignOutput> outputs;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        const DesignOutputColumn* column = FindOutputColumn(name);
        if (column == nullptr) {
            problem = "unknown output '" + std::string(name) + "' (see --outputs help)";
            return std::nullopt;
        }
        outputs.push_back(column->output);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return outputs;
}

std::string CsvNumber(const std::optional<double>& value) {
    if (!value) return {};
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, *value);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

void WriteSweepCsv(std::ostream& out, const SweepRun& run,
                   const std::vector<DesignOutput>& outputs) {
    const SweepPlan& plan = run.Plan();
    bool first = true;
    auto cell = [&](const std::string& text) {
        if (!first) out << ',';
        out << text;
        first = false;
    };
    for (const SweepAxis& axis : plan.axes) cell(axis.input->key);
    for (const DesignOutput output : outputs) cell(OutputColumn(output).name);
    out << '\n';
    for (std::size_t k = 0; k < run.DesignCount(); ++k) {
        if (!run.IsDone(k)) continue;
        const SweepRow& row = run.Row(k);
        first = true;
        for (const double value : row.values) cell(TrialText(value, NumberSettings{'.', ','}));
        for (const DesignOutput output : outputs) cell(CsvNumber(row.result[output]));
        out << '\n';
    }
}

}  // namespace velmora
