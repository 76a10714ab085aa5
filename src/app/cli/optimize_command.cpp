#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"
#include "designspace/sweep_axis.h"
#include "optimizer/optimize_run.h"
#include "optimizer/result_table.h"
#include "persistence/file_text.h"
#include "persistence/parameter_file.h"

namespace velmora::cli {

void PrintOptimizeUsage(std::ostream& out) {
    out << "Usage: velmora-cli optimize FILE --objective schmidt|pv-engine-speed|indicated|"
           "pv-omega-bar\n"
           "         --vary SECTION.KEY[=FROM:TO] [--vary ...] [--constraint NAME[=MARGIN] ...]\n"
           "         [--max-evals N] [--threads N] -o OUT.RBP\n"
           "  FROM and TO are in the unit the file chooses for that input (default 0.5 to 1.5\n"
           "  times its value). Constraints: not-overdriven[=0.95] (engine speed <= Omega Bar x\n"
           "  margin), beta-min[=1.05], tau-rho[=0] (1 - Tau - Rho above it), dwell-min[=20]\n"
           "  (degrees at each stop), loss-max[=10] (displacer power loss, % of the objective).\n"
           "  Exit status: 0 a feasible design was written to OUT, 3 none was found (OUT not\n"
           "  written), 2 bad arguments or a start design whose objective cannot be computed.\n";
}

namespace {

int Fail(std::ostream& err, const std::string& message) {
    err << "velmora-cli optimize: " << message << '\n';
    PrintOptimizeUsage(err);
    return 2;
}

std::optional<int> WholeNumber(const std::string& text, int low, int high) {
    const std::optional<double> value = ParseRangeNumber(text);
    if (!value || *value < low || *value > high || *value != static_cast<int>(*value))
        return std::nullopt;
    return static_cast<int>(*value);
}

}  // namespace

int RunOptimizeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file;
    std::string output;
    std::string objective;
    std::vector<std::string> varies;
    std::vector<Constraint> constraints;
    int maxEvaluations = kDefaultMaxEvaluations;
    int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--objective" || arg == "--vary" || arg == "--constraint" ||
            arg == "--max-evals" || arg == "--threads" || arg == "-o") {
            if (i + 1 >= args.size()) return Fail(err, arg + " needs a value");
            const std::string& value = args[++i];
            std::string problem;
            if (arg == "--objective") {
                if (FindObjective(value) == nullptr)
                    return Fail(err, "unknown objective '" + value + "'");
                objective = value;
            } else if (arg == "--vary") {
                varies.push_back(value);
            } else if (arg == "--constraint") {
                const std::optional<Constraint> constraint = ParseConstraint(value, problem);
                if (!constraint) return Fail(err, problem);
                constraints.push_back(*constraint);
            } else if (arg == "--max-evals") {
                const std::optional<int> count = WholeNumber(value, 1, 10000000);
                if (!count)
                    return Fail(err, "--max-evals must be a whole number from 1 to 10000000");
                maxEvaluations = *count;
            } else if (arg == "--threads") {
                const std::optional<int> count = WholeNumber(value, 1, 256);
                if (!count) return Fail(err, "--threads must be a whole number from 1 to 256");
                threads = *count;
            } else {
                output = value;
            }
        } else if (arg.rfind('-', 0) == 0 || !file.empty()) {
            return Fail(err, "unexpected argument '" + arg + "'");
        } else {
            file = arg;
        }
    }
    if (file.empty()) return Fail(err, "no parameter file given");
    if (objective.empty()) return Fail(err, "no objective given (--objective)");
    if (output.empty()) return Fail(err, "no output file given (-o OUT.RBP)");
    if (varies.empty()) return Fail(err, "no input to vary (give --vary SECTION.KEY)");

    std::string text;
    switch (ReadWholeFile(file, text)) {
        case FileReadStatus::Read:
            break;
        case FileReadStatus::Missing:
            err << "velmora-cli: cannot open '" << file << "': no such file\n";
            return 2;
        case FileReadStatus::Unreadable:
            err << "velmora-cli: cannot read '" << file << "'\n";
            return 2;
    }
    OptimizeProblem problem;
    LoadParameterFile(file, problem.base);
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

    OptimizeRun run(problem);
    run.Run(threads);
    const OptimizeOutcome& outcome = run.Outcome();
    if (outcome.status == OptimizeStatus::StartUncomputable) {
        err << "velmora-cli optimize: the " << InfoOf(problem.objective).caption << " of '" << file
            << "' cannot be computed; nothing to start from\n";
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
        err << "velmora-cli optimize: " << message << '\n';
        return 2;
    }
    return 0;
}

}  // namespace velmora::cli
