#include "app/script/run_command.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* command;
    const char* file;
    const char* parameters;
    bool hasParameters;
};

class SplitRunCommandTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitRunCommandTest, SplitsAtTheFirstBlankOutsideQuotes) {
    const SplitCase& c = GetParam();
    const RunCommand parts = splitRunCommand(QString::fromUtf8(c.command));
    EXPECT_EQ(parts.file, QString::fromUtf8(c.file));
    EXPECT_EQ(parts.parameters, QString::fromUtf8(c.parameters));
    EXPECT_EQ(parts.hasParameters, c.hasParameters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitRunCommandTest,
    ::testing::Values(SplitCase{"prog", "prog", "", false},
                      SplitCase{"prog  -a  b  ", "prog", "-a  b", true},
                      SplitCase{"prog\t-a", "prog", "-a", true},
                      SplitCase{"\"/my docs/a b.txt\" x", "\"/my docs/a b.txt\"", "x", true},
                      SplitCase{"\"/my docs/a b.txt\"", "\"/my docs/a b.txt\"", "", false},
                      // A quote that is not the first character protects nothing.
                      SplitCase{"a\"b c\" d", "a\"b", "c\" d", true},
                      SplitCase{"\"never closed x", "\"never closed x", "", false},
                      SplitCase{" lead", "", "lead", true}));

TEST(RunCommandTest, OnlyMailtoAndHttpInExactCaseAreAddresses) {
    EXPECT_TRUE(splitRunCommand(QStringLiteral("http://example.com/")).isUrl());
    EXPECT_TRUE(splitRunCommand(QStringLiteral("mailto:someone@example.com")).isUrl());
    EXPECT_FALSE(splitRunCommand(QStringLiteral("https://example.com/")).isUrl());
    EXPECT_FALSE(splitRunCommand(QStringLiteral("HTTP://example.com/")).isUrl());
    EXPECT_EQ(splitRunCommand(QStringLiteral("\"/a b/c\" d")).unquotedFile(),
              QStringLiteral("/a b/c"));
}

}  // namespace
