#include "designspace/sweep_csv.h"

#include <charconv>
#include <ostream>

#include "report/number_text.h"

namespace velmora {

std::vector<DesignOutput> DefaultSweepOutputs() {
    std::vector<DesignOutput> outputs;
    for (const DesignOutputColumn& column : kDesignOutputColumns)
        if (!ComputedOnRequest(column)) outputs.push_back(column.output);
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

namespace {

// Cells of one line, separated by commas.
class CsvLine {
  public:
    explicit CsvLine(std::ostream& out) : out_(out) {}
    ~CsvLine() { out_ << '\n'; }
    void Cell(const std::string& text) {
        if (!first_) out_ << ',';
        out_ << text;
        first_ = false;
    }

  private:
    std::ostream& out_;
    bool first_ = true;
};

}  // namespace

void WriteSweepHeader(std::ostream& out, const SweepPlan& plan,
                      const std::vector<DesignOutput>& outputs) {
    CsvLine line(out);
    for (const SweepAxis& axis : plan.axes) line.Cell(axis.input->key);
    for (const DesignOutput output : outputs) line.Cell(OutputColumn(output).name);
}

void WriteSweepRow(std::ostream& out, const SweepRow& row,
                   const std::vector<DesignOutput>& outputs) {
    CsvLine line(out);
    for (const double value : row.values) line.Cell(TrialText(value, NumberSettings{}));
    for (const DesignOutput output : outputs) line.Cell(CsvNumber(row.result[output]));
}

void WriteSweepCsv(std::ostream& out, const SweepRun& run,
                   const std::vector<DesignOutput>& outputs) {
    WriteSweepHeader(out, run.Plan(), outputs);
    for (std::size_t k = 0; k < run.DesignCount(); ++k)
        if (run.IsDone(k)) WriteSweepRow(out, run.Row(k), outputs);
}

}  // namespace velmora
