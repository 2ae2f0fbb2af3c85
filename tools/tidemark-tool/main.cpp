// tidemark-tool: reads, checks and converts note files from the command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "tool_command.h"

namespace tidemark::tool {
namespace {

struct Command {
    const char* name;
    std::vector<std::string> valueOptions;
    int (*run)(const ToolArguments&);
};

const Command kCommands[] = {
    {"dump", {}, RunDump},
    {"check", {}, RunCheck},
    {"resave", {}, RunResave},
};

constexpr const char* kUsage =
    "usage:\n"
    "  tidemark-tool dump [--password PW]... FILE\n"
    "      print the note as one JSON object (UTF-8)\n"
    "  tidemark-tool check FILE\n"
    "      exit 0 with a summary when the note loads, else 1 with the message\n"
    "  tidemark-tool resave IN OUT [--password PW]...\n"
    "      load IN and save it as OUT\n";

int Usage(const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "tidemark-tool: %s\n", problem.c_str());
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

}  // namespace
}  // namespace tidemark::tool

int main(int argc, char** argv) {
    using namespace tidemark::tool;
    if (argc < 2) return Usage("");
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) != 0) continue;
        try {
            return command.run(ParseToolArguments(argc, argv, 2, command.valueOptions));
        } catch (const UsageError& e) {
            return Usage(e.message);
        }
    }
    return Usage(std::string("unknown command ") + argv[1]);
}
