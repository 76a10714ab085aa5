#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::cli {

// A command's arguments: its FILE and its options with their values.
struct CommandArgs {
    std::string file;
    std::map<std::string, std::string> options;
    bool help = false;

    std::optional<std::string> Option(const std::string& name) const;
};

// What a command accepts: the options that take a value (each given at most once) and its
// usage text.
struct CommandUsage {
    const char* name;
    std::vector<std::string> options;
    const char* usage;  // "velmora-cli cycle FILE [--units si|output] [-o OUT]"
    const char* description;
};

// Reads `args` (the words after the command name). On a fault: one line on `err` naming it,
// then the usage, and nothing.
std::optional<CommandArgs> ParseCommandArgs(const CommandUsage& about,
                                            const std::vector<std::string>& args,
                                            std::ostream& err);

// A fault found after parsing (a bad option value): the line and the usage on `err`; returns 2.
int UsageError(const CommandUsage& about, const std::string& message, std::ostream& err);

// The command's help text on `out`; returns 0.
int PrintCommandHelp(const CommandUsage& about, std::ostream& out);

// Text output: to `out` without -o, else to the file as one step. A file that cannot be
// written: one line naming it on `err`, exit status 2, no partial file.
int EmitOutput(const std::string& bytes, const CommandArgs& args, std::ostream& out,
               std::ostream& err);

// Binary output, which needs -o.
int EmitFile(const std::string& bytes, const CommandArgs& args, const CommandUsage& about,
             std::ostream& err);

}  // namespace velmora::cli
