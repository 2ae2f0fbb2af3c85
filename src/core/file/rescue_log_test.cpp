#include "core/file/rescue_log.h"

#include <gtest/gtest.h>

#include <string>

namespace tidemark {
namespace {

TEST(RescueLog, EveryEntryEndsInOneLineEnd) {
    RescueLog log;
    log.AppendLine("救出処理を実行中しています。");
    log.AppendLine("I/O Error occurred: 38\r\nRescuing stopped.\r\n");
    log.AppendLine("<!> Failed to decrypt body.");
    EXPECT_EQ(log.Text(),
              "救出処理を実行中しています。\r\nI/O Error occurred: 38\r\nRescuing stopped.\r\n"
              "<!> Failed to decrypt body.\r\n");
    log.Clear();
    EXPECT_EQ(log.Text(), "");
}

TEST(RescueLog, DropsTheOldestWholeLinesWhenFull) {
    RescueLog log;
    const std::string line(98, 'a');  // 100 bytes with its line end
    for (int i = 0; i < 320; ++i)
        log.AppendLine(line);
    EXPECT_EQ(log.Text().size(), RescueLog::kCapacity);
    EXPECT_FALSE(log.Dropped());

    log.AppendLine("first to stay");  // drops exactly one old line
    EXPECT_TRUE(log.Dropped());
    EXPECT_EQ(log.Text().size(), RescueLog::kCapacity - 100 + 15);
    log.AppendLine(std::string(250, 'b'));  // needs 167 more bytes: two old lines go
    EXPECT_EQ(log.Text().size(), RescueLog::kCapacity - 300 + 15 + 252);
    EXPECT_TRUE(log.Text().starts_with(line + "\r\n"));
    EXPECT_TRUE(log.Text().ends_with("first to stay\r\n" + std::string(250, 'b') + "\r\n"));
}

TEST(RescueLog, ALineLongerThanTheLogKeepsItsEndOnACharacterBoundary) {
    RescueLog log;
    log.AppendLine("old");
    std::string huge;
    while (huge.size() < RescueLog::kCapacity + 10)
        huge += "救";  // three bytes each
    log.AppendLine(huge);
    EXPECT_LE(log.Text().size(), RescueLog::kCapacity);
    EXPECT_GT(log.Text().size(), RescueLog::kCapacity - 3);
    EXPECT_TRUE(log.Text().starts_with("救"));
    EXPECT_TRUE(log.Text().ends_with("救\r\n"));

    log.Clear();
    log.AppendLine(std::string(RescueLog::kCapacity, 'x') + "\r\nthe last line");
    EXPECT_EQ(log.Text(), "the last line\r\n");
}

}  // namespace
}  // namespace tidemark
