#include "core/settings/settings_format.h"

#include <gtest/gtest.h>

#include "core/common/little_endian.h"
#include "core/settings/settings.h"

namespace tidemark {
namespace {

namespace F = SettingsFormat;

// A record in which every stored word has a value of its own, so that a field
// written at the wrong offset shows up as a wrong number.
Settings DistinctSettings() {
    Settings s;
    s.ShowStatusBar = 0x101;
    s.ShowGridLines = 0x102;
    s.DragPopup = 0x103;
    s.SearchFlags = 0x104;
    s.NoShortcutOffer = 0x105;
    s.HideBodyInList = 0x106;
    s.StartupMode = 0x107;
    s.AutoSave = 0x108;
    s.NewMemoAttrSource = 0x109;
    s.NewMemoSkipAttrs = 0x10A;
    s.EditorNoColors = 0x10B;
    s.SnapToEdges = 0x10C;
    s.HoverPreview = 0x10D;
    s.HideEditorOnGroup = 0x10E;
    s.HideEditorSlowly = 0x10F;
    s.StickyAlternate = 0x110;
    s.TabWidth = 0x111;
    s.SpareValue = 0x112;
    s.ImportOtherFiles = 0x113;
    s.TypeBodyFirst = 0x114;
    s.TitleFromFirstLine = 0x115;
    s.HideMarks = 0x116;
    s.LinkPlace = 0x117;
    s.NoExclusiveOpen = 0x118;
    s.PageMargins = {0x119, 0x11A, 0x11B, 0x11C};
    s.StandardBand = {0x201, 0x202, 0x203, 0x204};
    s.NavigationBand = {0x211, 0x212, 0x213, 0x214};
    s.MemoBand = {0x221, 0x222, 0x223, 0x224};
    s.SimpleBand = {-1, 0x232, 0x233, 0x234};
    s.ListFont = {"List Face", -0x301};
    s.EditFont = {"Edit Face", -0x302};
    s.PrintFont = {"Print Face", -0x303};
    s.DateTimeFormat = "date";
    s.FileNameTemplate = "file";
    s.ImportExtensions = "ext";
    s.MemoFormat = "memo";
    s.GroupFormat = "group";
    s.EditorPath = "editor";
    s.ScriptFolder = "scripts";
    return s;
}

TEST(SettingsFormatTest, StoresEveryWordAtItsOffset) {
    std::vector<std::uint8_t> image = WriteSettingsImage(DistinctSettings());
    ASSERT_EQ(image.size(), F::kSize);
    struct Word {
        std::size_t offset;
        std::uint32_t value;
    } words[] = {
        {0, 0x101},
        {16, 0x102},
        {32, 0x103},
        {308, 0x104},
        {324, 0x105},
        {340, 0x106},
        {356, 0x107},
        {372, 0x108},
        {388, 0x109},
        {404, 0x10A},
        {420, 0x10B},
        {436, 0x10C},
        {468, 0x10D},
        {484, 0x10E},
        {488, 0x10F},
        {620, 0x110},
        {1576, 0x111},
        {1912, 0x112},
        {1928, 0x113},
        {3680, 0x114},
        {3684, 0x115},
        {3688, 0x116},
        {3692, 0x117},
        {3696, 0x118},
        {3048, 0x119},
        {3052, 0x11A},
        {3056, 0x11B},
        {3060, 0x11C},
        {1024, 0x201},
        {1028, 0x202},
        {1032, 0x203},
        {1036, 0x204},
        {1088, 0x211},
        {1092, 0x212},
        {1096, 0x213},
        {1100, 0x214},
        {1592, 0x221},
        {1596, 0x222},
        {1600, 0x223},
        {1604, 0x224},
        {3616, 0xFFFFFFFF},
        {3620, 0x232},
        {3624, 0x233},
        {3628, 0x234},
        {1480, static_cast<std::uint32_t>(-0x301)},
        {1560, static_cast<std::uint32_t>(-0x302)},
        {3032, static_cast<std::uint32_t>(-0x303)},
    };
    for (const Word& w : words) {
        EXPECT_EQ(LoadU32(&image[w.offset]), w.value) << "offset " << w.offset;
    }
    struct Text {
        std::size_t offset;
        std::string text;
    } texts[] = {
        {1416, "List Face"}, {1496, "Edit Face"}, {2968, "Print Face"}, {492, "date"},
        {556, "file"},       {1656, "ext"},       {1944, "memo"},       {2456, "group"},
        {3096, "editor"},    {3356, "scripts"},
    };
    for (const Text& t : texts) {
        std::string stored(reinterpret_cast<const char*>(&image[t.offset]), t.text.size() + 1);
        EXPECT_EQ(stored, t.text + '\0') << "offset " << t.offset;
    }
}

TEST(SettingsFormatTest, BytesOutsideTheFieldsAreZeroEvenWhenReadFromGarbage) {
    // Fill a stored image with 0xAB everywhere, read it and write it back:
    // only the fields survive, reserved bytes and unused band words are zero.
    std::vector<std::uint8_t> garbage(F::kSize, 0xAB);
    Settings s;
    ReadSettingsImage(garbage, s);
    std::vector<std::uint8_t> image = WriteSettingsImage(s);

    std::vector<bool> used(F::kSize, false);
    auto mark = [&](std::size_t offset, std::size_t size) {
        for (std::size_t i = offset; i < offset + size; ++i)
            used[i] = true;
    };
    for (std::size_t offset :
         {0,   16,  32,   308,  324,  340,  356,  372,  388,  404,  420,  436,  468, 484,
          488, 620, 1480, 1560, 1576, 1912, 1928, 3032, 3680, 3684, 3688, 3692, 3696}) {
        mark(offset, 4);
    }
    for (std::size_t band : {1024, 1088, 1592, 3616})
        mark(band, 16);
    mark(3048, 16);
    // A text field keeps at most size - 1 bytes, then a zero.
    for (auto [offset, size] : {std::pair<std::size_t, std::size_t>{1416, 31},
                                {1496, 31},
                                {2968, 31},
                                {492, 63},
                                {556, 63},
                                {1656, 255},
                                {1944, 511},
                                {2456, 511},
                                {3096, 259},
                                {3356, 259}}) {
        mark(offset, size);
    }
    for (std::size_t i = 0; i < F::kSize; ++i) {
        if (!used[i]) {
            ASSERT_EQ(image[i], 0) << "byte " << i;
        } else {
            ASSERT_EQ(image[i], 0xAB) << "byte " << i;
        }
    }
}

TEST(SettingsFormatTest, RoundTripsExactly) {
    Settings original = DistinctSettings();
    std::vector<std::uint8_t> image = WriteSettingsImage(original);
    Settings read;
    ReadSettingsImage(image, read);
    EXPECT_EQ(read, original);
    EXPECT_EQ(WriteSettingsImage(read), image);
}

TEST(SettingsFormatTest, AShorterImageReadsAsZeroPadded) {
    std::vector<std::uint8_t> image(20, 0);
    StoreU32(&image[0], 1);
    image[16] = 7;  // ShowGridLines cut after its first byte
    Settings s;     // starts with initial values that are not zero
    ReadSettingsImage(image, s);
    EXPECT_EQ(s.ShowStatusBar, 1u);
    EXPECT_EQ(s.ShowGridLines, 7u);
    EXPECT_EQ(s.DragPopup, 0u);
    EXPECT_EQ(s.NewMemoSkipAttrs, 0u);
    EXPECT_EQ(s.NavigationBand, ToolbarBand{});
    EXPECT_TRUE(s.ListFont.Face.Empty());
}

TEST(SettingsFormatTest, TextsAreCutToTheirFieldWithoutSplittingACharacter) {
    Settings s;
    s.DateTimeFormat = ByteString(std::string(62, 'x') + "\x83\x41");  // 64 bytes
    s.ScriptFolder = ByteString(std::string(300, 'p'));
    Settings read;
    ReadSettingsImage(WriteSettingsImage(s), read);
    EXPECT_EQ(read.DateTimeFormat, ByteString(std::string(62, 'x')));
    EXPECT_EQ(read.ScriptFolder, ByteString(std::string(259, 'p')));
}

TEST(SettingsFormatTest, AStoredTextFillingItsWholeFieldStopsBeforeTheLastByte) {
    std::vector<std::uint8_t> image(F::kSize, 0);
    for (std::size_t i = 0; i < F::kFaceSize; ++i)
        image[F::kListFontFace + i] = 'F';
    Settings s;
    ReadSettingsImage(image, s);
    EXPECT_EQ(s.ListFont.Face, ByteString(std::string(31, 'F')));
}

}  // namespace
}  // namespace tidemark
