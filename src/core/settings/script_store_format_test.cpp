#include "core/settings/script_store_format.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void PutText(Bytes& out, std::uint8_t tag, std::string_view text) {
    out.push_back(tag);
    Put32(out, static_cast<std::uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}
Bytes Header(std::uint32_t count) {
    Bytes out = {'!', 'T', 'M', 'S'};
    Put32(out, count);
    return out;
}

TEST(ScriptStoreFormatTest, WritesTaggedEntriesAfterMagicAndCount) {
    ScriptStore store;
    store.Append(ScriptEntry{"Log", "log.js", 0x12});
    Bytes expected = Header(1);
    PutText(expected, 1, "Log");
    PutText(expected, 2, "log.js");
    expected.push_back(3);
    Put32(expected, 0x12);
    expected.push_back(0xFF);
    EXPECT_EQ(WriteScriptStore(store), expected);
}

TEST(ScriptStoreFormatTest, RoundTripsExactly) {
    ScriptStore store;
    store.Append(ScriptEntry{"\x93\xfa\x95\x74 & time", "C:\\scripts\\date.js", 10});
    store.Append(ScriptEntry{"Template", "tpl.vbs", ScriptEntry::kTemplate});
    store.Append(ScriptEntry{"", "", 0});
    store.Append(ScriptEntry{ByteString(std::string("a\0b", 3)), "x.js", 1});
    Bytes bytes = WriteScriptStore(store);

    ScriptStoreReadResult read = ReadScriptStore(bytes);
    ASSERT_EQ(read.Status, ScriptStoreReadStatus::kOk);
    EXPECT_EQ(read.Store, store);
    EXPECT_EQ(read.Store.EntryAtPlace(10), 0u);
    EXPECT_EQ(read.Store.EntryAtPlace(1), 3u);
    EXPECT_EQ(WriteScriptStore(read.Store), bytes);
}

TEST(ScriptStoreFormatTest, SkipsUnknownTagsAndToleratesMissingSections) {
    Bytes bytes = Header(2);
    bytes.push_back(7);  // unknown, no data
    PutText(bytes, 2, "only-file.js");
    bytes.push_back(0x80);
    bytes.push_back(0xFF);
    PutText(bytes, 1, "second");
    PutText(bytes, 1, "renamed");  // a later section wins
    bytes.push_back(0xFF);

    ScriptStoreReadResult read = ReadScriptStore(bytes);
    ASSERT_EQ(read.Status, ScriptStoreReadStatus::kOk);
    ASSERT_EQ(read.Store.Count(), 2u);
    EXPECT_EQ(read.Store.At(0), (ScriptEntry{"", "only-file.js", 0}));
    EXPECT_EQ(read.Store.At(1), (ScriptEntry{"renamed", "", 0}));
}

TEST(ScriptStoreFormatTest, RefusesDataWithoutTheMagic) {
    for (Bytes bytes : {Bytes{}, Bytes{'!', 'T', 'M'}, Bytes{'!', 'T', 'M', 'K', 0, 0, 0, 0},
                        Bytes{'!', 't', 'm', 's', 0, 0, 0, 0}}) {
        ScriptStoreReadResult read = ReadScriptStore(bytes);
        EXPECT_EQ(read.Status, ScriptStoreReadStatus::kNotAScriptStore);
        EXPECT_TRUE(read.Store.Empty());
    }
}

TEST(ScriptStoreFormatTest, DataEndingInsideAnEntryGivesAnEmptyStore) {
    ScriptStore store;
    store.Append(ScriptEntry{"one", "one.js", 1});
    store.Append(ScriptEntry{"two", "two.js", 2});
    Bytes whole = WriteScriptStore(store);
    // Every cut after the magic is damage, including a length past the end.
    for (std::size_t size = 4; size < whole.size(); ++size) {
        ScriptStoreReadResult read = ReadScriptStore(std::span(whole).first(size));
        EXPECT_EQ(read.Status, ScriptStoreReadStatus::kDamaged) << size;
        EXPECT_TRUE(read.Store.Empty()) << size;
    }
    Bytes huge = Header(1);
    huge.push_back(1);
    Put32(huge, 0xFFFFFFF0);
    EXPECT_EQ(ReadScriptStore(huge).Status, ScriptStoreReadStatus::kDamaged);
}

TEST(ScriptStoreFormatTest, ALaterEntryNamingTheSamePlaceKeepsIt) {
    ScriptStore first, second;
    first.Append(ScriptEntry{"a", "a.js", 3});
    second.Append(ScriptEntry{"b", "b.js", 3});
    Bytes bytes = Header(2);
    Bytes a = WriteScriptStore(first), b = WriteScriptStore(second);
    bytes.insert(bytes.end(), a.begin() + 8, a.end());
    bytes.insert(bytes.end(), b.begin() + 8, b.end());

    ScriptStoreReadResult read = ReadScriptStore(bytes);
    ASSERT_EQ(read.Status, ScriptStoreReadStatus::kOk);
    EXPECT_EQ(read.Store.EntryAtPlace(3), 1u);
    EXPECT_EQ(read.Store.At(0).Place(), 0);
}

TEST(ScriptStoreFormatTest, EntriesBeyondTheLimitAreDropped) {
    ScriptStore full;
    for (int i = 0; i < 256; ++i)
        full.Append(ScriptEntry{ByteString(std::to_string(i)), "f", 0});
    Bytes bytes = WriteScriptStore(full);
    bytes[4] = 0x02;  // count 258
    bytes[5] = 0x01;
    for (int i = 0; i < 2; ++i) {
        PutText(bytes, 1, "extra");
        bytes.push_back(0xFF);
    }
    ScriptStoreReadResult read = ReadScriptStore(bytes);
    ASSERT_EQ(read.Status, ScriptStoreReadStatus::kOk);
    EXPECT_EQ(read.Store.Count(), 256u);
    EXPECT_EQ(read.Store.At(255).Name, ByteString("255"));
}

}  // namespace
}  // namespace tidemark
