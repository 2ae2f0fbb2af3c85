#include "platform/system_drag_scroll_source.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/platform_test_support.h"

namespace {

QString systemFile() {
    return testSystemConfigDir() + QStringLiteral("/Corvane/Tidemark.conf");
}

TEST(SystemDragScrollSourceTest, ReadsTheMachineSettingsAndDefaultsWhatIsMissing) {
    QFile::remove(systemFile());
    EXPECT_EQ(SystemDragScrollSource().ReadDragScrollValues(),
              (tidemark::DragScrollValues{11, 50, 50}));

    QDir().mkpath(testSystemConfigDir() + QStringLiteral("/Corvane"));
    QFile file(systemFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[windows]\nDragScrollInset=20\nDragScrollDelay=soon\n");
    file.close();
    EXPECT_EQ(SystemDragScrollSource().ReadDragScrollValues(),
              (tidemark::DragScrollValues{20, 50, 50}));
    QFile::remove(systemFile());
}

}  // namespace
