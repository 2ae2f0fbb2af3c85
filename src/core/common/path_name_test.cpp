#include "core/common/path_name.h"

#include <gtest/gtest.h>

#include <string>

namespace tidemark {
namespace {

TEST(FileNameOfPath, TakesThePartAfterTheLastSeparator) {
    struct Case {
        std::string path;
        bool dropExtension;
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\notes\\memo.txt", false, "memo.txt"},
        {"C:\\notes\\memo.txt", true, "memo"},
        {"/home/user/a.b.tmk", true, "a.b"},
        {"/home/user/a.b.tmk", false, "a.b.tmk"},
        {"a\\b/c", false, "c"},
        {"plain", true, "plain"},
        {"folder.d/file", true, "file"},  // a dot in a folder name is no extension
        {"dir/", false, ""},
        {".profile", true, ""},
        {"", true, ""},
        // 表 and ソ are 0x95 0x5C and 0x83 0x5C: their trail byte is a backslash.
        {"C:\\\x83\x81\x83\x82\\\x95\x5c.txt", false, "\x95\x5c.txt"},
        {"C:\\\x83\x81\x83\x82\\\x95\x5c.txt", true, "\x95\x5c"},
        {"\x83\x5c\x83\x74\x83\x67.tmk", true, "\x83\x5c\x83\x74\x83\x67"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileNameOfPath(c.path, c.dropExtension), c.expected)
            << c.path << " drop=" << c.dropExtension;
    }
}

}  // namespace
}  // namespace tidemark
