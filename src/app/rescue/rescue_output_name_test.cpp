#include "app/rescue/rescue_output_name.h"

#include <gtest/gtest.h>

namespace {

TEST(RescueOutputNameTest, ReplacesOnlyTheExtensionOfTheFileName) {
    const struct {
        const char* note;
        const char* output;
    } cases[] = {
        {"/home/u/diary.tmk", "/home/u/diaryの救出結果.txt"},
        {"/home/u/diary.old.tmk", "/home/u/diary.oldの救出結果.txt"},
        {"/home/u/diary", "/home/u/diaryの救出結果.txt"},
        // A dot in a folder is not the file's extension.
        {"/home/u/my.notes/diary", "/home/u/my.notes/diaryの救出結果.txt"},
        // Nor is the dot that starts a hidden file's name.
        {"/home/u/.diary", "/home/u/.diaryの救出結果.txt"},
        {"/home/u/日記.tmk", "/home/u/日記の救出結果.txt"},
        {"diary.tmk", "diaryの救出結果.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rescueOutputName(QString::fromUtf8(c.note)), QString::fromUtf8(c.output))
            << c.note;
    }
}

}  // namespace
