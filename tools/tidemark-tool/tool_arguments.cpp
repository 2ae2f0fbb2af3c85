#include <algorithm>

#include "tool_command.h"

namespace tidemark::tool {

std::string ToolArguments::Option(const std::string& name, const std::string& fallback) const {
    for (const auto& [key, value] : options) {
        if (key == name) return value;
    }
    return fallback;
}

ToolArguments ParseToolArguments(int argc, char** argv, int first,
                                 const std::vector<std::string>& valueOptions) {
    ToolArguments args;
    for (int i = first; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0 || arg == "--") {
            args.positional.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        const bool takesValue =
            name == "password" ||
            std::find(valueOptions.begin(), valueOptions.end(), name) != valueOptions.end();
        if (!takesValue) throw UsageError{"unknown option " + arg};
        if (i + 1 >= argc) throw UsageError{"missing value after " + arg};
        const std::string value = argv[++i];
        if (name == "password") {
            args.passwords.push_back(value);
        } else {
            args.options.emplace_back(name, value);
        }
    }
    return args;
}

}  // namespace tidemark::tool
