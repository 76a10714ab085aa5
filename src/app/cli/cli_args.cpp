#include "cli_args.h"

#include <QCommandLineParser>
#include <QStringList>
#include <map>
#include <ostream>

namespace velmora::cli {
namespace {

QString NameOf(const std::string& option) {
    std::size_t dashes = 0;
    while (dashes < option.size() && option[dashes] == '-') ++dashes;
    return QString::fromStdString(option.substr(dashes));
}

// The word the user typed for an option the parser did not know: "-colour" or "--colour=red"
// are reported as typed, up to '='.
std::string TypedOption(const std::vector<std::string>& args, const QString& name) {
    for (const std::string& word : args) {
        if (word.size() < 2 || word.front() != '-') continue;
        const std::string typed = word.substr(0, word.find('='));
        if (NameOf(typed) == name) return typed;
    }
    return "--" + name.toStdString();
}

}  // namespace

std::optional<std::string> CommandArgs::Option(const std::string& name) const {
    const auto found = options.find(name);
    if (found == options.end() || found->second.empty()) return std::nullopt;
    return found->second.front();
}

std::vector<std::string> CommandArgs::Values(const std::string& name) const {
    const auto found = options.find(name);
    return found == options.end() ? std::vector<std::string>{} : found->second;
}

std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else if (c == '\t') {
            line += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            static const char kHex[] = "0123456789abcdef";
            line += "\\x";
            line += kHex[byte >> 4];
            line += kHex[byte & 15];
        } else {
            line += c;
        }
    }
    return line;
}

int UsageError(const CommandUsage& about, const std::string& message, std::ostream& err) {
    err << "velmora-cli " << about.name << ": " << OneLine(message) << '\n';
    return 2;
}

int PrintCommandHelp(const CommandUsage& about, std::ostream& out) {
    out << "usage: " << about.usage << "\n\n" << about.description;
    return 0;
}

std::optional<CommandArgs> ParseCommandArgs(const CommandUsage& about,
                                            const std::vector<std::string>& args,
                                            std::ostream& err) {
    QCommandLineParser parser;
    // "-o" and "--units" alike name options; no bundling of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    parser.addOption(help);
    for (const auto* list : {&about.options, &about.repeatable})
        for (const std::string& option : *list)
            parser.addOption(QCommandLineOption(NameOf(option), QString(), "value"));

    QStringList words{QString("velmora-cli ") + about.name};
    // Words go back as the user gave them, also file names that are not UTF-8. A word is an
    // option only when its first byte is '-': any other word reaches the parser as a stand-in
    // that cannot look like one (the conversion from UTF-8 would drop a leading U+FEFF and
    // let "\uFEFF-o" pass for "-o").
    std::map<QString, std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (!word.empty() && word.front() == '-')
            words << QString::fromStdString(word);
        else
            words << QString(QChar(0xE000)) + QString::number(i);
        given.emplace(words.back(), word);
    }
    const auto original = [&given](const QString& word) {
        const auto found = given.find(word);
        return found != given.end() ? found->second : word.toStdString();
    };
    if (!parser.parse(words)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            UsageError(about, "unknown option '" + TypedOption(args, unknown.front()) + "'", err);
            return std::nullopt;
        }
        // The parser's only other fault: a value missing after the last option, or a value
        // given to --help.
        const std::string last = args.empty() ? std::string() : args.back();
        if (!last.empty() && last.front() == '-' && last.find('=') == std::string::npos &&
            NameOf(last) != "h" && NameOf(last) != "help")
            UsageError(about, "option '" + last + "' needs a value", err);
        else
            UsageError(about, parser.errorText().toStdString(), err);
        return std::nullopt;
    }

    CommandArgs parsed;
    if (parser.isSet(help)) {
        parsed.help = true;
        return parsed;
    }
    for (const std::string& option : about.options) {
        const QStringList values = parser.values(NameOf(option));
        if (values.size() > 1) {
            UsageError(about, "option '" + option + "' given twice", err);
            return std::nullopt;
        }
        if (!values.isEmpty()) parsed.options[option] = {original(values.front())};
    }
    for (const std::string& option : about.repeatable) {
        std::vector<std::string>& values = parsed.options[option];
        for (const QString& value : parser.values(NameOf(option)))
            values.push_back(original(value));
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        UsageError(about, "missing FILE", err);
        return std::nullopt;
    }
    if (positional.size() > 1) {
        UsageError(about, "unexpected argument '" + original(positional[1]) + "'", err);
        return std::nullopt;
    }
    parsed.file = original(positional.front());
    return parsed;
}

}  // namespace velmora::cli
