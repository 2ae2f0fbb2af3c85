#pragma once

#include <string>
#include <vector>

namespace tidemark::tool {

// Exit codes of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Thrown by a command that was given arguments it cannot use.
struct UsageError {
    std::string message;
};

// The arguments after the command name: plain arguments in order, and every
// `--password PW` collected in order.
struct ToolArguments {
    std::vector<std::string> positional;
    std::vector<std::string> passwords;
    std::vector<std::pair<std::string, std::string>> options;  // --name value, others

    // The value of --name, or `fallback` when not given.
    std::string Option(const std::string& name, const std::string& fallback) const;
};

// Splits argv; `valueOptions` are the --options that take a value.
ToolArguments ParseToolArguments(int argc, char** argv, int first,
                                 const std::vector<std::string>& valueOptions);

int RunDump(const ToolArguments& args);
int RunCheck(const ToolArguments& args);
int RunResave(const ToolArguments& args);
int RunRescue(const ToolArguments& args);
int RunExport(const ToolArguments& args);
int RunPrint(const ToolArguments& args);

}  // namespace tidemark::tool
