#include <ostream>
#include <string>

#include "commands.h"
#include "export/energy_table.h"
#include "export/model_revolution.h"
#include "form/design_form.h"
#include "headless_run.h"
#include "output_target.h"
#include "simulation/design_evaluator.h"

namespace velmora::cli {

const CommandUsage kEnergyUsage{
    "energy",
    {"--model", "--format", "--units", "-o"},
    {},
    "velmora-cli energy FILE [--model specified|accurate] [--format text|csv|cycle]\n"
    "        [--units si|output] [-o OUT]",
    "Loads FILE as the window's Load Parameters does, computes once and writes its work and\n"
    "heat: signed indicated power (gas on the total volume), shaft power (gas on the piston,\n"
    "what the crank receives), rod work lost at the stops, indicated and shaft power\n"
    "simulated at Omega Bar, heat taken in and given out, thermal efficiency (shaft work /\n"
    "heat in), its fraction of Carnot, and whether the run settled. The model is the one\n"
    "FILE's [Model] Integration chooses unless --model names one. The one-degree model's\n"
    "figures come from the last revolution its cycle schedule simulates, however many cycles\n"
    "are graphed. An accurate run that does not settle leaves its figures empty (\"not\n"
    "settled\") and settled 0; any other empty figure says why in the text form. As text\n"
    "(default) or CSV (an empty cell); standard output without -o. For a FILE with [Gas],\n"
    "[Losses] or [Load] these are the ideal engine's figures; the lossy gas cycle's own and\n"
    "the loss figures, with the brake power to build by, follow under their own heading (CSV:\n"
    "their columns and losses_note, why they are empty when a reason other than settling holds).\n"
    "--format cycle writes instead the cycle the figures come from, one line per crank\n"
    "degree in the columns of velmora-cli cycle (SI units unless --units output): the\n"
    "accurate run's settled revolution (a '#' line if it did not settle), or the last graphed\n"
    "revolution of the one-degree run.\n"};

int RunEnergyCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const std::optional<CommandArgs> args = ParseCommandArgs(kEnergyUsage, words, err);
    if (!args) return 2;
    if (args->help) return PrintCommandHelp(kEnergyUsage, out);
    const std::string format = args->Option("--format").value_or("text");
    if (format != "text" && format != "csv" && format != "cycle")
        return UsageError(kEnergyUsage, "unknown format '" + format + "'", err);
    const std::string units = args->Option("--units").value_or("si");
    if (units != "si" && units != "output")
        return UsageError(kEnergyUsage, "unknown units '" + units + "'", err);
    std::optional<IntegrationModel> model;
    if (const std::optional<std::string> word = args->Option("--model")) {
        model = FindIntegrationModel(*word);
        if (!model) return UsageError(kEnergyUsage, "unknown model '" + *word + "'", err);
    }

    ControlState state;
    if (!LoadReadableFile(args->file, state, err)) return 2;
    if (model) state.Integration = *model;
    if (format == "cycle") {
        const CsvUnits csvUnits = units == "si" ? CsvUnits::SI : CsvUnits::Output;
        return EmitOutput(
            RevolutionCsv(RevolutionOfModel(ReadDesign(state).design), state, csvUnits), *args, out,
            err);
    }
    EvaluationOptions options;
    options.energy = true;
    const DesignResult result = EvaluateDesign(ReadDesign(state).design, options);
    const std::string text = format == "csv" ? EnergyCsv(result, state.Integration)
                                             : EnergyText(result, state.Integration);
    return EmitOutput(text, *args, out, err);
}

}  // namespace velmora::cli
