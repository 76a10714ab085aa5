#include "cli_args.h"

#include <algorithm>
#include <ostream>

#include "export/session_exports.h"

namespace velmora::cli {
namespace {

int WriteOut(const std::string& bytes, const std::string& path, std::ostream& err) {
    if (WriteExportFile(path, bytes)) return 0;
    err << "velmora-cli: Unable to write to " << path << '\n';
    return 2;
}

}  // namespace

std::optional<std::string> CommandArgs::Option(const std::string& name) const {
    const auto found = options.find(name);
    if (found == options.end()) return std::nullopt;
    return found->second;
}

int UsageError(const CommandUsage& about, const std::string& message, std::ostream& err) {
    err << "velmora-cli " << about.name << ": " << message << '\n'
        << "usage: " << about.usage << '\n';
    return 2;
}

int PrintCommandHelp(const CommandUsage& about, std::ostream& out) {
    out << "usage: " << about.usage << "\n\n" << about.description;
    return 0;
}

std::optional<CommandArgs> ParseCommandArgs(const CommandUsage& about,
                                            const std::vector<std::string>& args,
                                            std::ostream& err) {
    CommandArgs parsed;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--help" || word == "-h") {
            parsed.help = true;
            return parsed;
        }
        if (word.size() > 1 && word.front() == '-') {
            if (std::find(about.options.begin(), about.options.end(), word) ==
                about.options.end()) {
                UsageError(about, "unknown option '" + word + "'", err);
                return std::nullopt;
            }
            if (i + 1 >= args.size()) {
                UsageError(about, "option '" + word + "' needs a value", err);
                return std::nullopt;
            }
            if (!parsed.options.emplace(word, args[i + 1]).second) {
                UsageError(about, "option '" + word + "' given twice", err);
                return std::nullopt;
            }
            ++i;
            continue;
        }
        if (haveFile) {
            UsageError(about, "unexpected argument '" + word + "'", err);
            return std::nullopt;
        }
        parsed.file = word;
        haveFile = true;
    }
    if (!haveFile) {
        UsageError(about, "missing FILE", err);
        return std::nullopt;
    }
    return parsed;
}

int EmitOutput(const std::string& bytes, const CommandArgs& args, std::ostream& out,
               std::ostream& err) {
    if (!args.Option("-o")) {
        out << bytes;
        return 0;
    }
    return WriteOut(bytes, *args.Option("-o"), err);
}

int EmitFile(const std::string& bytes, const CommandArgs& args, const CommandUsage& about,
             std::ostream& err) {
    if (!args.Option("-o")) return UsageError(about, "this format needs -o OUT", err);
    return WriteOut(bytes, *args.Option("-o"), err);
}

}  // namespace velmora::cli
