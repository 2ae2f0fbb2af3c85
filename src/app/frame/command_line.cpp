#include "app/frame/command_line.h"

#include <cstdlib>

#include "core/common/sjis.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// What a switch word (the text after "/" or "-") means.
enum class SwitchKind { kHelp, kRecognised, kPlain };

SwitchKind applySwitch(CommandLine& line, std::string_view word) {
    const char first = word.empty() ? '\0' : word[0];
    switch (first) {
        case 'h':
        case 'H':
            line.helpGiven = true;
            line.helpTopic = 0;
            if (word.size() > 1) {
                line.helpTopic =
                    static_cast<std::int32_t>(std::atol(std::string(word.substr(1)).c_str()));
                return SwitchKind::kRecognised;
            }
            return SwitchKind::kHelp;  // the topic is the next argument
        case 't':
        case 'T':
            line.templateNote = true;
            return SwitchKind::kRecognised;
        case 'n':
        case 'N':
            line.newNote = true;
            return SwitchKind::kRecognised;
        case 'i':
        case 'I':
        case 'e':
            line.resident = true;
            return SwitchKind::kRecognised;
        case 'E':
            if (!equalsNoCase(word, "Embedding"))
                return SwitchKind::kPlain;
            line.resident = true;
            return SwitchKind::kRecognised;
        case 'r':
        case 'R':
            if (equalsNoCase(word, "RegServer")) {
                line.registerServer = true;
            } else if (word.size() == 1) {
                line.readOnly = true;
            } else {
                return SwitchKind::kPlain;
            }
            return SwitchKind::kRecognised;
        case 'u':
        case 'U':
            if (!equalsNoCase(word, "UnregServer"))
                return SwitchKind::kPlain;
            line.unregisterServer = true;
            return SwitchKind::kRecognised;
        default:
            return SwitchKind::kPlain;
    }
}

bool isSwitch(std::string_view argument, bool slashPaths) {
    if (argument.empty())
        return false;
    if (argument[0] == '-')
        return true;
    if (argument[0] != '/')
        return false;
    // Where "/" starts absolute paths, "/tmp/a.tmk" is a path, not the switch "/t".
    return !slashPaths || argument.find('/', 1) == std::string_view::npos;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t pos = 0;
    while (true) {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        if (pos >= line.size())
            break;
        std::string argument;
        bool quoted = false;
        while (pos < line.size()) {
            const char c = line[pos];
            if (!quoted && isBlank(c))
                break;
            if (c == '\\') {
                std::size_t run = 0;
                while (pos < line.size() && line[pos] == '\\') {
                    ++run;
                    ++pos;
                }
                if (pos < line.size() && line[pos] == '"') {
                    argument.append(run / 2, '\\');
                    if (run % 2 == 1) {
                        argument.push_back('"');
                        ++pos;
                    }
                    // An even run leaves the quote to toggle quoting below.
                } else {
                    argument.append(run, '\\');
                }
                continue;
            }
            if (c == '"') {
                if (quoted && pos + 1 < line.size() && line[pos + 1] == '"') {
                    argument.push_back('"');
                    pos += 2;
                } else {
                    quoted = !quoted;
                    ++pos;
                }
                continue;
            }
            const std::size_t length = tidemark::NextCharLength(line, pos);
            argument.append(line.substr(pos, length));
            pos += length;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::vector<std::string> CommandLine::notePaths() const {
    if (arguments.size() <= 1)
        return {};
    return std::vector<std::string>(arguments.begin() + 1, arguments.end());
}

CommandLine CommandLine::parse(std::string_view commandLine) {
    return readSwitches(splitCommandLine(commandLine), false);
}

CommandLine CommandLine::fromArguments(const std::vector<std::string>& argv) {
#ifdef _WIN32
    return readSwitches(argv, false);
#else
    return readSwitches(argv, true);
#endif
}

CommandLine CommandLine::readSwitches(const std::vector<std::string>& argv, bool slashPaths) {
    CommandLine line;
    bool topicPending = false;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& argument = argv[i];
        if (i == 0) {
            line.arguments.push_back(argument);
            continue;
        }
        if (isSwitch(argument, slashPaths)) {
            // applySwitch changes nothing for a switch it does not know.
            const std::string_view word = std::string_view(argument).substr(1);
            const SwitchKind kind = applySwitch(line, word);
            if (kind != SwitchKind::kPlain) {
                if (word[0] == 'h' || word[0] == 'H')
                    topicPending = kind == SwitchKind::kHelp;
                continue;
            }
        }
        if (topicPending) {
            line.helpTopic = static_cast<std::int32_t>(std::atol(argument.c_str()));
            topicPending = false;
            continue;
        }
        line.arguments.push_back(argument);
    }
    return line;
}
