#include "core/file/global_memory_stream.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/common/error_code.h"

namespace tidemark {
namespace {

// Writes into a caller's block of `initial` bytes so that its size can be
// watched: a write that reaches the end grows the block to the written size
// plus 8,191, rounded down to a multiple of 4,096.
TEST(GlobalMemoryStream, GrowsWhenAWriteReachesTheEndOfTheBlock) {
    struct Case {
        std::size_t initial;
        std::vector<std::size_t> writes;
        std::size_t size;
    };
    const Case cases[] = {
        {4096, {4095}, 4096},          // one byte still spare
        {4096, {4095, 1}, 8192},       // the write that would fill the block grows it
        {4096, {4096}, 8192},          // exactly 4,096 bytes written: already grown
        {4096, {4096, 1}, 8192},       // …and the next small write fits
        {4096, {10000}, 16384},        // (10000 + 8191) rounded down
        {0, {1}, 8192},                // an empty block grows on any write
        {12288, {8200, 4088}, 16384},  // 8,200 + 4,088 = 12,288 reaches the end
    };
    for (const Case& c : cases) {
        MemoryBlock block(c.initial, 0);
        GlobalMemoryStream stream(&block);
        ASSERT_EQ(stream.OpenWrite(), 0u);
        std::size_t total = 0;
        for (std::size_t n : c.writes) {
            const std::vector<std::uint8_t> bytes(n, 0x5A);
            ASSERT_EQ(stream.Write(bytes.data(), n), 0u);
            total += n;
        }
        EXPECT_EQ(block.size(), c.size) << "initial " << c.initial << ", written " << total;
        stream.Close();
        EXPECT_EQ(block.size(), total) << "closing shrinks the block to what was written";
    }
}

TEST(GlobalMemoryStream, ANewStreamStartsWithAPageAndHandsItsBlockOver) {
    GlobalMemoryStream stream;
    ASSERT_EQ(stream.OpenWrite(), 0u);
    const std::uint8_t bytes[] = {1, 2, 3};
    ASSERT_EQ(stream.Write(bytes, 3), 0u);
    EXPECT_EQ(stream.Detach().size(), 4096u) << "detached before closing: the whole block";

    GlobalMemoryStream closed;
    ASSERT_EQ(closed.OpenWrite(), 0u);
    ASSERT_EQ(closed.Write(bytes, 3), 0u);
    closed.Close();
    EXPECT_EQ(closed.Detach(), (MemoryBlock{1, 2, 3}));
}

TEST(GlobalMemoryStream, ReadingABlockShorterThanItsRecordsFailsWith38) {
    MemoryBlock block{1, 2, 3};
    GlobalMemoryStream stream(&block);
    ASSERT_EQ(stream.OpenRead(), 0u);
    std::uint8_t out[4] = {};
    ASSERT_EQ(stream.Read(out, 2), 0u);
    EXPECT_EQ(stream.Remaining(), 1u);
    EXPECT_EQ(stream.Read(out, 2), ErrorCode::kHandleEof);
    EXPECT_EQ(stream.Read(out, 1), 0u);
    EXPECT_EQ(out[0], 3);
}

TEST(GlobalMemoryStream, ReadingWithoutABlockFailsWith87) {
    GlobalMemoryStream stream;
    EXPECT_EQ(stream.OpenRead(), ErrorCode::kInvalidParameter);
}

}  // namespace
}  // namespace tidemark
