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
    {"rescue", {}, RunRescue},
    {"export", {"memo-format", "group-format"}, RunExport},
#ifdef TIDEMARK_TOOL_PRINT
    {"print", {}, RunPrint},
#endif
};

constexpr const char* kUsage =
    "usage:\n"
    "  tidemark-tool dump [--password PW]... FILE\n"
    "      print the note as one JSON object (UTF-8)\n"
    "  tidemark-tool check FILE\n"
    "      exit 0 with a summary when the note loads, else 1 with the message\n"
    "  tidemark-tool resave IN OUT [--password PW]...\n"
    "      load IN and save it as OUT\n"
    "  tidemark-tool rescue IN OUT [--password PW]...\n"
    "      write every title, remarks text and body still readable in the damaged note IN\n"
    "      to the text file OUT (Shift-JIS) and print the log; encrypted items that no PW\n"
    "      opens are skipped\n"
    "  tidemark-tool export FILE OUT [--memo-format F] [--group-format G] [--password PW]...\n"
    "      write the whole note to OUT as text (Shift-JIS) through the memo and memo group\n"
    "      templates (UTF-8 on the command line; %h title, %m modified time, %R remarks\n"
    "      caption, %r remarks, %s body or group contents, %% a percent sign)\n"
#ifdef TIDEMARK_TOOL_PRINT
    "  tidemark-tool print FILE OUT [--password PW]...\n"
    "      lay the whole note out on A4 pages as the program prints it (the default print\n"
    "      font, margins, tab width and templates) and write them to the PDF file OUT\n"
#endif
    ;

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
