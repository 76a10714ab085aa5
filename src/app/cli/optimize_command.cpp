#include <cerrno>
#include <filesystem>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"
#include "designspace/sweep_axis.h"
#include "form/design_form.h"
#include "form/input_controls.h"
#include "headless_run.h"
#include "optimizer/optimize_run.h"
#include "optimizer/result_table.h"
#include "persistence/atomic_file_writer.h"
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
    "shaft-power, efficiency = shaft work / gas heat in; brake-power, brake-efficiency =\n"
    "brake power / total heat in, for a FILE with [Gas], [Losses] or [Load]) over the varied\n"
    "inputs, under the model FILE's [Model] Integration chooses. FROM and TO are in the unit the "
    "file chooses for that input (default "
    "0.5\n"
    "to 1.5 times its value). Constraints, each margin in its unit: not-overdriven[=0.95]\n"
    "(a ratio: engine speed <= Omega Bar x margin), beta-min[=1.05] (a ratio), tau-rho[=0]\n"
    "(a ratio: 1 - Tau - Rho above it), dwell-min[=20] (degrees at each stop), loss-max[=10]\n"
    "(% of the objective: displacer power loss), efficiency-min[=0.1] (a fraction: shaft\n"
    "work / heat in); for a FILE with [Gas], [Losses] or [Load]: brake-power-min[=0] (W:\n"
    "brake power at engine speed), brake-efficiency-min[=0.05] (a fraction: brake power /\n"
    "total heat in).\n"
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

// The operating system's steps, keeping the errno of the first that failed: the save's
// message names the real cause ("No space left on device"), not a guess.
class RecordedSteps : public FileWriteSteps {
  public:
    int CreateNew(const std::string& path) const override {
        const int fd = FileWriteSteps::CreateNew(path);
        if (fd < 0 && errno != EEXIST) Kept(errno);  // a taken name is tried again
        return fd;
    }
    bool WriteAll(int fd, std::string_view data) const override {
        return Kept(FileWriteSteps::WriteAll(fd, data) ? 0 : errno) == 0;
    }
    bool Sync(int fd) const override { return Kept(FileWriteSteps::Sync(fd) ? 0 : errno) == 0; }
    bool Close(int fd) const override { return Kept(FileWriteSteps::Close(fd) ? 0 : errno) == 0; }
    bool Rename(const std::string& from, const std::string& to) const override {
        return Kept(FileWriteSteps::Rename(from, to) ? 0 : errno) == 0;
    }
    int FirstError() const { return error_; }

  private:
    int Kept(int error) const {
        if (error != 0 && error_ == 0) error_ = error;
        return error;
    }
    mutable int error_ = 0;
};

// Whether OUT's folder takes the save, tried as the save will do it (a temporary file beside
// OUT, removed again), before the run: the reason in the system's words, else empty.
std::string FolderProblem(const std::string& output) {
    AtomicFileWriter trial;
    if (!trial.Open(output)) return trial.FailureReason();
    return {};  // the trial's temporary file goes with it
}

// The path as the save's message names it: absolute, without "." and "..".
std::string FullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
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

    ControlState form;
    if (!LoadReadableFile(file, form, err)) return 2;
    OptimizeProblem problem;
    problem.base = EnterDesign(form);
    problem.numbers = form.outputs.numbers;
    problem.enteredTexts = EnteredTexts(form);
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
        err << "velmora-cli: Unable to write to " << OneLine(output) << ": " << why << '\n';
        return 2;
    }
    if (const std::string why = FolderProblem(output); !why.empty()) {
        err << "velmora-cli optimize: Unable to write to " << OneLine(FullPath(output)) << ": "
            << why << '\n';
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
    if (outcome.status != OptimizeStatus::Found) PrintResultTable(out, problem, outcome);
    if (outcome.status == OptimizeStatus::NoGain) {
        err << "velmora-cli optimize: no design within the bounds gives a "
            << InfoOf(problem.objective).caption << " above 0; '" << OneLine(output)
            << "' not written\n";
        return 3;
    }
    if (outcome.status != OptimizeStatus::Found) {
        err << "velmora-cli optimize: no design within the bounds meets the constraints; '"
            << OneLine(output) << "' not written\n";
        return 3;
    }
    ControlState result = form;
    for (std::size_t i = 0; i < problem.variables.size(); ++i)
        InputField(result, *problem.variables[i].input->input).text = outcome.best->texts[i];
    std::string message;
    const RecordedSteps steps;
    if (!SaveParameterFile(output, result, message, &steps)) {
        const std::string why =
            steps.FirstError() != 0 ? SystemReason(steps.FirstError()) : SaveFailureReason(output);
        err << "velmora-cli optimize: " << OneLine(message) << ": " << why << '\n';
        return 2;
    }
    // The table only once its design is in OUT: a failed save leaves nothing that looks done.
    PrintResultTable(out, problem, outcome);
    return 0;
}

}  // namespace velmora::cli
