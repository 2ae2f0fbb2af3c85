#include "app/frame/command_line.h"

#include <gtest/gtest.h>

namespace {

struct SwitchCase {
    const char* line;
    std::vector<std::string> arguments;  // plain arguments after the program path
    bool help = false;
    int topic = 0;
    bool resident = false;
    bool readOnly = false;
    bool registerServer = false;
    bool unregisterServer = false;
    bool templateNote = false;
    bool newNote = false;
};

class CommandLineSwitches : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(CommandLineSwitches, ReadsTheSwitchesAndPlainArguments) {
    const SwitchCase& c = GetParam();
    const CommandLine line = CommandLine::parse(c.line);
    ASSERT_FALSE(line.arguments.empty());
    EXPECT_EQ(line.arguments[0], "tidemark.exe");
    EXPECT_EQ(line.notePaths(), c.arguments);
    EXPECT_EQ(line.helpGiven, c.help);
    EXPECT_EQ(line.helpTopic, c.topic);
    EXPECT_EQ(line.resident, c.resident);
    EXPECT_EQ(line.readOnly, c.readOnly);
    EXPECT_EQ(line.registerServer, c.registerServer);
    EXPECT_EQ(line.unregisterServer, c.unregisterServer);
    EXPECT_EQ(line.templateNote, c.templateNote);
    EXPECT_EQ(line.newNote, c.newNote);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineSwitches,
    ::testing::Values(
        SwitchCase{"tidemark.exe /h 7", {}, true, 7}, SwitchCase{"tidemark.exe /h7", {}, true, 7},
        SwitchCase{"tidemark.exe -H12 a.tmk", {"a.tmk"}, true, 12},
        SwitchCase{"tidemark.exe a.tmk /h", {"a.tmk"}, true, 0},
        // A recognised switch between /h and its number leaves the number pending.
        SwitchCase{"tidemark.exe /h /n 7 b.tmk",
                   {"b.tmk"},
                   true,
                   7,
                   false,
                   false,
                   false,
                   false,
                   false,
                   true},
        SwitchCase{"tidemark.exe -Embedding", {}, false, 0, true},
        SwitchCase{"tidemark.exe /embedding", {}, false, 0, true},
        SwitchCase{"tidemark.exe /Embed", {"/Embed"}},
        SwitchCase{"tidemark.exe /eanything", {}, false, 0, true},
        SwitchCase{"tidemark.exe /i", {}, false, 0, true},
        SwitchCase{"tidemark.exe /r x.tmk", {"x.tmk"}, false, 0, false, true},
        SwitchCase{"tidemark.exe -R", {}, false, 0, false, true},
        SwitchCase{"tidemark.exe /RegServer", {}, false, 0, false, false, true},
        SwitchCase{"tidemark.exe -regserver", {}, false, 0, false, false, true},
        SwitchCase{"tidemark.exe /rx", {"/rx"}},
        SwitchCase{"tidemark.exe /UnregServer", {}, false, 0, false, false, false, true},
        SwitchCase{"tidemark.exe /unreg", {"/unreg"}},
        SwitchCase{"tidemark.exe /t", {}, false, 0, false, false, false, false, true},
        SwitchCase{"tidemark.exe /N", {}, false, 0, false, false, false, false, false, true},
        SwitchCase{"tidemark.exe /x -", {"/x", "-"}},
        SwitchCase{"tidemark.exe \"C:\\My Notes\\plan.tmk\"", {"C:\\My Notes\\plan.tmk"}}));

struct SplitCase {
    const char* line;
    std::vector<std::string> arguments;
};

class CommandLineSplitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplitting, FollowsTheQuotingRules) {
    EXPECT_EQ(splitCommandLine(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineSplitting,
    ::testing::Values(
        SplitCase{"  a \t b  ", {"a", "b"}}, SplitCase{"\"a b\" c", {"a b", "c"}},
        SplitCase{"a\"b c\"d", {"ab cd"}}, SplitCase{"\"\"", {""}},
        SplitCase{"C:\\dir\\file", {"C:\\dir\\file"}},  // backslashes before no quote stay
        SplitCase{"a\\\\\"b c\"", {"a\\b c"}},          // 2 backslashes + quote: 1 and toggle
        SplitCase{"a\\\\\\\"b c", {"a\\\"b", "c"}},     // 3 backslashes + quote: 1 and a quote
        SplitCase{"a\\\"b", {"a\"b"}},                  // 1 backslash + quote: a quote
        SplitCase{"\"a \"\"b\"\" c\"", {"a \"b\" c"}},  // doubled quote inside quotes
        // 0x95 0x5C is one character (its second byte is not a backslash), so the quote
        // after it closes the quoting instead of being escaped.
        SplitCase{"\"C:\\\x95\\\" next", {"C:\\\x95\\", "next"}},
        SplitCase{"\x83\\\"x y\"", {"\x83\\x y"}}));

#ifndef _WIN32
TEST(CommandLine, AbsolutePathsAreNotSwitches) {
    const CommandLine line = CommandLine::fromArguments(
        {"/usr/bin/tidemark", "/r", "/tmp/my notes/a.tmk", "/home/hana/todo.tmk", "/h", "3"});
    EXPECT_TRUE(line.readOnly);
    EXPECT_FALSE(line.templateNote);
    EXPECT_EQ(line.helpTopic, 3);
    EXPECT_EQ(line.notePaths(),
              (std::vector<std::string>{"/tmp/my notes/a.tmk", "/home/hana/todo.tmk"}));
}
#endif

}  // namespace
