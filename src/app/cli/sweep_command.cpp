#include <chrono>
#include <exception>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"
#include "designspace/input_values.h"
#include "designspace/sweep_csv.h"
#include "designspace/sweep_run.h"
#include "form/design_form.h"
#include "headless_run.h"
#include "interrupt_cancel.h"
#include "output_target.h"

namespace velmora::cli {

const CommandUsage kSweepUsage{
    "sweep",
    {"--outputs", "--threads", "-o"},
    {"--vary"},
    "velmora-cli sweep FILE --vary SECTION.KEY=FROM:TO:N[:log] [--vary ...]\n"
    "        [--outputs LIST] [--threads N] [-o OUT]",
    "Evaluates every design of one varied input (N points) or two (an N x M grid, at most\n"
    "1000000 designs), each as a full compute run of FILE, and writes CSV: the varied inputs\n"
    "as typed, then the outputs with their SI unit in the column name; an empty cell could\n"
    "not be computed. FROM and TO are in the unit the file chooses for that input and must be\n"
    "values it can hold. LIST is comma-separated output names; --outputs help lists them, and\n"
    "the input keys. All cores unless --threads N (1 to 256).\n"};

namespace {

void PrintOutputsHelp(std::ostream& out) {
    out << "Outputs (CSV column names; empty cells could not be computed):\n";
    for (const DesignOutputColumn& column : kDesignOutputColumns) {
        out << "  " << column.name;
        if (column.powerCurve) out << "  (power/speed curve, computed only when asked)";
        if (column.energy) out << "  (energy run, computed only when asked)";
        out << '\n';
    }
    out << "Inputs for --vary:\n";
    for (const SweepInput& input : kSweepInputs) out << "  " << input.key << '\n';
}

// Streams the rows as they complete, in design order, so memory stays small whatever the
// design count; a reader of a pipe sees them come at least every fifth of a second. Ctrl+C
// ends the run with the rows done so far written whole; a file named by -o then ends with
// "# interrupted: N of M designs", so that it never passes for a complete sweep. A design
// that cannot be evaluated fails the run: exit status 2 and one line, and -o's file is left
// as it was.
int WriteSweepRows(std::ostream& out, std::ostream& err, const SweepPlan& plan, int threads,
                   const std::vector<DesignOutput>& outputs, bool toFile) {
    using Clock = std::chrono::steady_clock;
    WorkProgress progress;
    const CancelOnInterrupt interrupt(progress);
    WriteSweepHeader(out, plan, outputs);
    Clock::time_point flushed = Clock::now();
    std::size_t written = 0;
    const std::string failure = StreamSweep(plan, threads, progress, [&](const SweepRow& row) {
        WriteSweepRow(out, row, outputs);
        ++written;
        if (Clock::now() - flushed > std::chrono::milliseconds(200)) {
            out.flush();
            flushed = Clock::now();
        }
        if (!out) progress.Cancel();  // nobody reads the rest
    });
    if (!failure.empty()) {
        out.flush();
        err << "velmora-cli sweep: " << failure << "; " << written << " of " << progress.Total()
            << " designs written\n";
        return 2;
    }
    if (interrupt.Interrupted() && toFile)
        out << "# interrupted: " << written << " of " << progress.Total() << " designs\n";
    out.flush();
    if (!out) return 2;  // the output's owner says why
    if (interrupt.Interrupted()) {
        err << "velmora-cli sweep: interrupted; " << written << " of " << progress.Total()
            << " designs written\n";
        return 130;  // as a shell reports a command ended by SIGINT
    }
    return 0;
}

}  // namespace

int RunSweepCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const std::optional<CommandArgs> args = ParseCommandArgs(kSweepUsage, words, err);
    if (!args) return 2;
    if (args->help) return PrintCommandHelp(kSweepUsage, out);
    if (args->Option("--outputs") == "help") {
        PrintOutputsHelp(out);
        return 0;
    }
    std::vector<SweepAxis> axes;
    for (const std::string& vary : args->Values("--vary")) {
        std::string problem;
        const std::optional<SweepAxis> axis = ParseVary(vary, problem);
        if (!axis) return UsageError(kSweepUsage, problem, err);
        axes.push_back(*axis);
    }
    std::vector<DesignOutput> outputs = DefaultSweepOutputs();
    if (const std::optional<std::string> list = args->Option("--outputs")) {
        std::string problem;
        const auto parsed = ParseOutputList(*list, problem);
        if (!parsed) return UsageError(kSweepUsage, problem, err);
        outputs = *parsed;
    }
    int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (const std::optional<std::string> text = args->Option("--threads")) {
        const std::optional<double> count = ParseRangeNumber(*text);
        if (!count || *count < 1 || *count > 256 || *count != static_cast<int>(*count))
            return UsageError(kSweepUsage, "--threads must be a whole number from 1 to 256", err);
        threads = static_cast<int>(*count);
    }
    if (const std::string problem = AxesProblem(axes); !problem.empty())
        return UsageError(kSweepUsage, problem, err);

    ControlState form;
    if (!LoadReadableFile(args->file, form, err)) return 2;
    SweepPlan plan;
    plan.base = EnterDesign(form);
    plan.numbers = form.outputs.numbers;
    for (const SweepAxis& axis : axes)
        if (const std::string problem = AxisValuesProblem(axis, plan.base); !problem.empty())
            return UsageError(kSweepUsage, problem, err);
    // The output is opened before the designs are computed: a file that cannot be written is
    // refused before the work, not after it.
    OutputTarget target(out);
    if (!target.Open(args->Option("-o"), err)) return 2;
    plan.axes = axes;
    for (const DesignOutput output : outputs) AskForOutput(plan.options, output);
    int status = 2;
    try {
        status = WriteSweepRows(target.Stream(), err, plan, threads, outputs,
                                args->Option("-o").value_or("-") != "-");
    } catch (const std::exception& e) {
        // Memory running out outside one design's evaluation.
        err << "velmora-cli sweep: " << FailureText(e) << '\n';
    }
    // A failed run leaves -o's file as it was; rows written before an interrupt are put in
    // place with the line that says they are partial.
    if (status != 0 && status != 130) return status;
    if (const int finished = target.Finish(err); finished != 0) return finished;
    return status;
}

}  // namespace velmora::cli
