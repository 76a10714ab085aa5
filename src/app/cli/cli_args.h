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
    std::map<std::string, std::vector<std::string>> options;
    bool help = false;

    // The value of an option given at most once.
    std::optional<std::string> Option(const std::string& name) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> Values(const std::string& name) const;
};

// What a command accepts and how it describes itself. Every option takes a value; `options`
// may be given once, `repeatable` any number of times. Every command also takes --help (-h).
struct CommandUsage {
    const char* name;
    std::vector<std::string> options;
    std::vector<std::string> repeatable;
    const char* usage;  // "velmora-cli cycle FILE [--units si|output] [-o OUT]"
    const char* description;
};

// Reads `args` (the words after the command name) with QCommandLineParser. An unknown
// option, an option given twice, an option without its value, a missing FILE or a second
// one: exactly one line on `err` naming it, and nothing.
std::optional<CommandArgs> ParseCommandArgs(const CommandUsage& about,
                                            const std::vector<std::string>& args,
                                            std::ostream& err);

// A fault found after parsing (a bad option value): one line on `err`; returns 2.
int UsageError(const CommandUsage& about, const std::string& message, std::ostream& err);

// `text` with control characters written as escapes ("\\n", "\\x01"), so that a word quoted
// in an error line cannot break it into two.
std::string OneLine(const std::string& text);

// The command's help text on `out`; returns 0.
int PrintCommandHelp(const CommandUsage& about, std::ostream& out);

}  // namespace velmora::cli
