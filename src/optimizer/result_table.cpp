#include "optimizer/result_table.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace velmora {

std::string QuantityText(double value) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 8);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::vector<ResultRow> ResultRows(const OptimizeProblem& problem, const OptimizeOutcome& outcome) {
    const OptimizePoint* after = outcome.best ? &*outcome.best : nullptr;
    auto text = [](const std::optional<double>& v) { return v ? QuantityText(*v) : std::string(); };
    std::vector<ResultRow> rows;
    for (std::size_t i = 0; i < problem.variables.size(); ++i)
        rows.push_back({problem.variables[i].input->key, outcome.start.texts.at(i),
                        after ? after->texts.at(i) : std::string()});
    rows.push_back({InfoOf(problem.objective).caption, text(outcome.start.judgement.objective),
                    after ? text(after->judgement.objective) : std::string()});
    const auto& quantities = outcome.start.judgement.quantities;
    for (std::size_t q = 0; q < quantities.size(); ++q)
        rows.push_back({quantities[q].caption, text(quantities[q].value),
                        after ? text(after->judgement.quantities.at(q).value) : std::string()});
    return rows;
}

void PrintResultTable(std::ostream& out, const OptimizeProblem& problem,
                      const OptimizeOutcome& outcome) {
    const std::vector<ResultRow> rows = ResultRows(problem, outcome);
    std::size_t label = 0, before = std::string("before").size(), after = 0;
    for (const ResultRow& row : rows) {
        label = std::max(label, row.label.size());
        before = std::max(before, row.before.size());
        after = std::max(after, row.after.size());
    }
    auto line = [&](const std::string& a, const std::string& b, const std::string& c) {
        out << a << std::string(label - a.size() + 2, ' ') << std::string(before - b.size(), ' ')
            << b << "  " << c << '\n';
    };
    line("", "before", "after");
    for (const ResultRow& row : rows)
        line(row.label, row.before.empty() ? "-" : row.before, row.after.empty() ? "-" : row.after);
    out << "Evaluations used: " << outcome.evaluations << '\n';
}

std::string StartUncomputableProblem(Objective objective, const std::string& file) {
    return std::string("the ") + InfoOf(objective).caption + " of '" + file +
           "' cannot be computed; nothing to start from";
}

}  // namespace velmora
