#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"
#include "designspace/sweep_axis.h"
#include "headless_run.h"
#include "optimizer/optimize_run.h"
#include "optimizer/result_table.h"
#include "persistence/output_file.h"
#include "persistence/parameter_file.h"

namespace velmora::cli {

const CommandUsage kOptimizeUsage{
    "optimize",
    {"--objective", "--max-evals", "--threads", "-o"},
    {"--vary", "--constraint"},
    "velmora-cli optimize FILE --objective NAME --vary SECTION.KEY[=FROM:TO] [--vary ...]\n"
    "        [--constraint NAME[=MARGIN] ...] [--max-evals N] [--threads N] -o OUT.RBP",
    "Maximizes the objective (schmidt, pv-engine-speed, indicated, pv-omega-bar,\n"
    "shaft-power, efficiency) over the varied inputs, under the model FILE's [Model]\n"
    "Integration chooses. FROM and TO are in the unit the file chooses for that input (default "
    "0.5\n"
    "to 1.5 times its value). Constraints: not-overdriven[=0.95] (engine speed <= Omega Bar x\n"
    "margin), beta-min[=1.05], tau-rho[=0] (1 - Tau - Rho above it), dwell-min[=20]\n"
    "(degrees at each stop), loss-max[=10] (displacer power loss, % of the objective),\n"
    "efficiency-min[=0.1] (shaft work / heat in).\n"
    "Exit status: 0 a feasible design was written to OUT, 3 none was found (OUT not\n"
    "written), 2 bad arguments or a start design whose objective cannot be computed.\n"};

namespace {

std::optional<int> WholeNumber(const std::string& text, int low, int high) {
    const std::optional<double> value = ParseRangeNumber(text);
    if (!value || *value < low || *value > high || *value != static_cast<int>(*value))
        return std::nullopt;
    return static_cast<int>(*value);
}

int Fail(std::ostream& err, const std::string& message) {
    return UsageError(kOptimizeUsage, message, err);
}

}  // namespace

int RunOptimizeCommand(const std::vector<std::string>& words, std::ostream& out,
                       std::ostream& err) {
    const std::optional<CommandArgs> args = ParseCommandArgs(kOptimizeUsage, words, err);
    if (!args) return 2;
    if (args->help) return PrintCommandHelp(kOptimizeUsage, out);
    const std::string& file = args->file;
    const std::string objective = args->Option("--objective").value_or("");
    if (!objective.empty() && FindObjective(objective) == nullptr)
        return Fail(err, "unknown objective '" + objective + "'");
    std::vector<Constraint> constraints;
    for (const std::string& text : args->Values("--constraint")) {
        std::string problem;
        const std::optional<Constraint> constraint = ParseConstraint(text, problem);
        if (!constraint) return Fail(err, problem);
        constraints.push_back(*constraint);
    }
    int maxEvaluations = kDefaultMaxEvaluations;
    if (const std::optional<std::string> text = args->Option("--max-evals")) {
        const std::optional<int> count = WholeNumber(*text, 1, 10000000);
        if (!count) return Fail(err, "--max-evals must be a whole number from 1 to 10000000");
        maxEvaluations = *count;
    }
    int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (const std::optional<std::string> text = args->Option("--threads")) {
        const std::optional<int> count = WholeNumber(*text, 1, 256);
        if (!count) return Fail(err, "--threads must be a whole number from 1 to 256");
        threads = *count;
    }
    const std::vector<std::string> varies = args->Values("--vary");
    if (objective.empty()) return Fail(err, "no objective given (--objective)");
    const std::string output = args->Option("-o").value_or("");
    if (output.empty()) return Fail(err, "no output file given (-o OUT.RBP)");
    if (output == "-") return Fail(err, "OUT is a parameter file; standard output holds the table");
    if (varies.empty()) return Fail(err, "no input to vary (give --vary SECTION.KEY)");

    OptimizeProblem problem;
    if (!LoadReadableFile(file, problem.base, err)) return 2;
    problem.objective = FindObjective(objective)->objective;
    problem.constraints = constraints;
    problem.maxEvaluations = maxEvaluations;
    for (const std::string& vary : varies) {
        std::string why;
        const std::optional<Variable> variable = ParseVariable(vary, problem.base, why);
        if (!variable) return Fail(err, why);
        problem.variables.push_back(*variable);
    }
    if (const std::string why = ProblemError(problem); !why.empty()) return Fail(err, why);
    if (const std::string why = ExistingFileWriteProblem(output); !why.empty()) {
        err << "velmora-cli: Unable to write to " << output << ": " << why << '\n';
        return 2;
    }

    OptimizeRun run(problem);
    run.Run(threads);
    const OptimizeOutcome& outcome = run.Outcome();
    if (outcome.status == OptimizeStatus::StartUncomputable) {
        err << "velmora-cli optimize: " << StartUncomputableProblem(problem.objective, file)
            << '\n';
        return 2;
    }
    PrintResultTable(out, problem, outcome);
    if (outcome.status == OptimizeStatus::NoGain) {
        err << "velmora-cli optimize: no design within the bounds gives a "
            << InfoOf(problem.objective).caption << " above 0; '" << output << "' not written\n";
        return 3;
    }
    if (outcome.status != OptimizeStatus::Found) {
        err << "velmora-cli optimize: no design within the bounds meets the constraints; '"
            << output << "' not written\n";
        return 3;
    }
    ControlState result = problem.base;
    for (std::size_t i = 0; i < problem.variables.size(); ++i)
        (result.*problem.variables[i].input->control).text = outcome.best->texts[i];
    std::string message;
    if (!SaveParameterFile(output, result, message)) {
        err << "velmora-cli optimize: " << message << ": " << SaveFailureReason(output) << '\n';
        return 2;
    }
    return 0;
}

}  // namespace velmora::cli
