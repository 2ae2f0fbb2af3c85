#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the program was started with. Filled once, before anything else runs.
struct CommandLine {
    // Plain arguments in order; arguments[0] is the program path.
    std::vector<std::string> arguments;
    bool helpGiven = false;         // "/h": open the help note
    std::int32_t helpTopic = 0;     // the number given with "/h", 0 when none
    bool templateNote = false;      // "/t": a new note from a template
    bool newNote = false;           // "/n": a new empty note, no start-up option
    bool resident = false;          // "/i", a switch starting with "e", or "Embedding"
    bool registerServer = false;    // "RegServer"
    bool unregisterServer = false;  // "UnregServer"
    bool readOnly = false;          // "/r": open the note arguments read-only

    // The note paths: every plain argument after the program path.
    std::vector<std::string> notePaths() const;

    // Splits one command line as the system hands it to a process (CP932
    // bytes: blanks and tabs separate arguments, double quotes group, a
    // backslash escapes a quote only) and reads the switches.
    static CommandLine parse(std::string_view commandLine);
    // Reads the switches of arguments the system has already split (argv,
    // program path first). Where absolute paths start with "/", an argument
    // with a second "/" in it is a path whatever its first letters spell.
    static CommandLine fromArguments(const std::vector<std::string>& arguments);

private:
    static CommandLine readSwitches(const std::vector<std::string>& arguments, bool slashPaths);
};

// The splitting step of CommandLine::parse on its own. A lead byte and the
// byte after it travel as one character, so a double-byte character whose
// second byte is 0x5C is never taken for a backslash.
std::vector<std::string> splitCommandLine(std::string_view commandLine);
