#include "app/frame/window_title.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowTitle, FollowsTheNoteNameAndReadOnlyMode) {
    struct Case {
        const char* path;
        bool readOnly;
        const char* title;
    };
    const Case cases[] = {
        {"/home/hana/plan.tmk", true, "plan[編集禁止] - Tidemark"},
        {"/home/hana/plan.tmk", false, "plan - Tidemark"},
        {"", false, "新しいノート - Tidemark"},
        {"", true, "新しいノート[編集禁止] - Tidemark"},
        {"/notes/v1.2.tmk", false, "v1.2 - Tidemark"},
        {"/notes/README", false, "README - Tidemark"},
        {"/notes.d/memo", false, "memo - Tidemark"},  // a dot in a folder name is not cut
    };
    for (const Case& c : cases) {
        EXPECT_EQ(windowTitleFor(QString::fromUtf8(c.path), c.readOnly).toStdString(), c.title)
            << c.path;
    }
}

}  // namespace
