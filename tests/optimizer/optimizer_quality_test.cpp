// Quality of the optimizer on the command line: each case ends at least as well as the best
// feasible point of a grid over the same box (less 1%), within 400 evaluations, and OUT,
// recomputed as velmora-cli report does, meets the constraints and shows the printed objective.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli_runner.h"
#include "designspace/sweep_run.h"
#include "form/design_form.h"
#include "form/input_controls.h"
#include "optimizer/design_judgement.h"
#include "optimizer/optimize_problem.h"
#include "optimizer/result_table.h"
#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"
#include "session/engine_session.h"

namespace velmora {
namespace {

std::string Example(const char* name) {
    return std::string(std::getenv("VELMORA_SOURCE_DIR")) + "/examples/" + name;
}

testing::CliResult RunCli(const std::string& arguments) {
    const testing::TempFolder folder;
    return testing::RunShell(folder, testing::QuotedCli() + " " + arguments);
}

// The "after" column of a table row.
std::string After(const std::string& table, const std::string& label) {
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(label, 0) == 0) return line.substr(line.rfind(' ') + 1);
    return {};
}

// The best feasible objective over a grid of `points` values per variable, every design
// typed and judged as the optimizer does.
double GridBest(const OptimizeProblem& problem, int points) {
    SweepPlan plan;
    plan.base = problem.base;
    for (const Variable& v : problem.variables)
        plan.axes.push_back({v.input, v.from, v.to, points});
    SweepRun run(plan);
    run.Run(2);
    double best = -1e300;
    for (std::size_t k = 0; k < run.DesignCount(); ++k) {
        const SweepRow& row = run.Row(k);
        const Judgement j = JudgeDesign(problem, DesignOfRow(plan, row.values), row.result);
        if (j.feasible) best = std::max(best, *j.objective);
    }
    return best;
}

struct QualityCase {
    const char* file;
    const char* objective;
    std::vector<std::string> varies;       // as on the command line, with their bounds
    std::vector<std::string> constraints;  // as on the command line
    int gridPoints;
};

void ExpectQuality(const QualityCase& c) {
    ControlState form;
    LoadParameterFile(Example(c.file), form);
    OptimizeProblem problem;
    problem.base = EnterDesign(form);
    problem.objective = FindObjective(c.objective)->objective;
    std::string arguments = "optimize '" + Example(c.file) + "' --objective " + c.objective;
    for (const std::string& vary : c.varies) {
        std::string why;
        problem.variables.push_back(*ParseVariable(vary, problem.base, why));
        arguments += " --vary " + vary;
    }
    for (const std::string& constraint : c.constraints) {
        std::string why;
        problem.constraints.push_back(*ParseConstraint(constraint, why));
        arguments += " --constraint " + constraint;
    }
    const testing::TempFolder folder;
    const std::string out = folder.File("OUT.RBP");
    const testing::CliResult run = RunCli(arguments + " -o '" + out + "'");
    ASSERT_EQ(run.status, 0) << run.out;

    std::smatch used;
    ASSERT_TRUE(std::regex_search(run.out, used, std::regex("Evaluations used: (\\d+)")));
    EXPECT_LE(std::stoi(used[1]), 400) << run.out;
    const double printed = std::stod(After(run.out, InfoOf(problem.objective).caption));
    const double grid = GridBest(problem, c.gridPoints);
    EXPECT_GE(printed, grid - 0.01 * std::fabs(grid)) << run.out << "grid best " << grid;
    std::printf("%s: optimizer %.2f W in %s evaluations, grid of %d^%zu best %.2f W\n",
                ::testing::UnitTest::GetInstance()->current_test_info()->name(), printed,
                used[1].str().c_str(), c.gridPoints, problem.variables.size(), grid);

    // OUT recomputed as velmora-cli report computes a file.
    EngineSession session;
    LoadParameterFile(out, session.State);
    session.Compute(true, true);
    const DesignResult result =
        ResultOfRun(session.Driver.Params, session.Sim, session.State.outputs);
    const Judgement judged = JudgeDesign(problem, ReadDesign(session.State).design, result);
    EXPECT_TRUE(judged.feasible) << run.out;
    EXPECT_EQ(QuantityText(*judged.objective), QuantityText(printed));
    for (std::size_t i = 0; i < problem.variables.size(); ++i)
        EXPECT_EQ(InputField(session.State, *problem.variables[i].input->input).text,
                  After(run.out, problem.variables[i].input->key));
}

TEST(OptimizerQuality, KestmorePvPowerOverPistonStrokeAndDisplacerMass) {
    ExpectQuality({"KESTMORE.RBP",
                   "pv-engine-speed",
                   {"Piston.Stroke=100:200", "Displacer.Mass=0.5:2"},
                   {"not-overdriven"},
                   41});
}

TEST(OptimizerQuality, KestmoreWithASpringAndBetaMin) {
    ExpectQuality({"KESTMORE.RBP",
                   "pv-engine-speed",
                   {"DisplacerSpring.Constant=0:12000", "Displacer.Mass=0.5:2"},
                   {"not-overdriven", "beta-min=1.05"},
                   41});
}

// The best speed lies inside its range, below the overdriven limit.
TEST(OptimizerQuality, KestmoreFourInputsIncludingEngineSpeed) {
    ExpectQuality({"KESTMORE.RBP",
                   "pv-engine-speed",
                   {"Piston.Stroke=100:200", "Displacer.Mass=0.5:2", "Engine.Speed=500:3000",
                    "Piston.Diameter=80:140"},
                   {"not-overdriven=0.95"},
                   9});
}

}  // namespace
}  // namespace velmora
