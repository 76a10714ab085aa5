#include <chrono>
#include <exception>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"
#include "designspace/sweep_csv.h"
#include "designspace/sweep_run.h"
#include "headless_run.h"
#include "interrupt_cancel.h"

namespace velmora::cli {

void PrintSweepUsage(std::ostream& out) {
    out << "Usage: velmora-cli sweep FILE --vary SECTION.KEY=FROM:TO:N[:log] [--vary ...]\n"
           "                          [--outputs LIST] [--threads N]\n"
           "  One --vary gives N designs, two give N x M (at most 1000000). FROM and TO are in\n"
           "  the unit the file chooses for that input. LIST is comma-separated output names;\n"
           "  --outputs help lists them, and the input keys.\n";
}

namespace {

int Fail(std::ostream& err, const std::string& message) {
    err << "velmora-cli sweep: " << message << '\n';
    PrintSweepUsage(err);
    return 2;
}

void PrintOutputsHelp(std::ostream& out) {
    out << "Outputs (CSV column names; empty cells could not be computed):\n";
    for (const DesignOutputColumn& column : kDesignOutputColumns) {
        out << "  " << column.name;
        if (column.powerCurve) out << "  (power/speed curve, computed only when asked)";
        out << '\n';
    }
    out << "Inputs for --vary:\n";
    for (const SweepInput& input : kSweepInputs) out << "  " << input.key << '\n';
}

// Streams the rows as they complete, in design order, so memory stays small whatever the
// design count; a reader of a pipe sees them come at least every fifth of a second. Ctrl+C
// ends the run with the rows done so far written whole.
int WriteSweepRows(std::ostream& out, std::ostream& err, const SweepPlan& plan, int threads,
                   const std::vector<DesignOutput>& outputs) {
    using Clock = std::chrono::steady_clock;
    WorkProgress progress;
    const CancelOnInterrupt interrupt(progress);
    WriteSweepHeader(out, plan, outputs);
    Clock::time_point flushed = Clock::now();
    std::size_t written = 0;
    StreamSweep(plan, threads, progress, [&](const SweepRow& row) {
        WriteSweepRow(out, row, outputs);
        ++written;
        if (Clock::now() - flushed > std::chrono::milliseconds(200)) {
            out.flush();
            flushed = Clock::now();
        }
        if (!out) progress.Cancel();  // nobody reads the rest
    });
    out.flush();
    if (!out) {
        err << "velmora-cli sweep: cannot write the rows\n";
        return 2;
    }
    if (interrupt.Interrupted()) {
        err << "velmora-cli sweep: interrupted; " << written << " of " << progress.Total()
            << " designs written\n";
        return 130;  // as a shell reports a command ended by SIGINT
    }
    return 0;
}

}  // namespace

int RunSweepCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file;
    std::vector<SweepAxis> axes;
    std::vector<DesignOutput> outputs = DefaultSweepOutputs();
    int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--vary" || arg == "--outputs" || arg == "--threads") {
            if (!hasValue) return Fail(err, arg + " needs a value");
            const std::string& value = args[++i];
            std::string problem;
            if (arg == "--vary") {
                const std::optional<SweepAxis> axis = ParseVary(value, problem);
                if (!axis) return Fail(err, problem);
                axes.push_back(*axis);
            } else if (arg == "--outputs") {
                if (value == "help") {
                    PrintOutputsHelp(out);
                    return 0;
                }
                const auto list = ParseOutputList(value, problem);
                if (!list) return Fail(err, problem);
                outputs = *list;
            } else {
                const std::optional<double> count = ParseRangeNumber(value);
                if (!count || *count < 1 || *count > 256 || *count != static_cast<int>(*count))
                    return Fail(err, "--threads must be a whole number from 1 to 256");
                threads = static_cast<int>(*count);
            }
        } else if (arg.rfind("--", 0) == 0 || !file.empty()) {
            return Fail(err, "unexpected argument '" + arg + "'");
        } else {
            file = arg;
        }
    }
    if (file.empty()) return Fail(err, "no parameter file given");
    if (const std::string problem = AxesProblem(axes); !problem.empty()) return Fail(err, problem);

    SweepPlan plan;
    if (!LoadReadableFile(file, plan.base, err)) return 2;
    plan.axes = axes;
    for (const DesignOutput output : outputs)
        if (OutputColumn(output).powerCurve) plan.options.powerCurve = true;
    try {
        return WriteSweepRows(out, err, plan, threads, outputs);
    } catch (const std::exception& e) {
        // Memory running out outside one design's evaluation: the rows so far are written.
        out.flush();
        err << "velmora-cli sweep: " << e.what() << '\n';
        return 2;
    }
}

}  // namespace velmora::cli
