#include "core/common/colour_code.h"

#include <gtest/gtest.h>

#include <string>

namespace tidemark {
namespace {

TEST(ColourCode, ReadsRedGreenBlueInThatOrderAndWritesLowerCase) {
    const std::optional<Colour> colour = CodeToColour("#FF8000");
    ASSERT_TRUE(colour.has_value());
    EXPECT_EQ(RedOf(*colour), 255);
    EXPECT_EQ(GreenOf(*colour), 128);
    EXPECT_EQ(BlueOf(*colour), 0);
    EXPECT_EQ(ColourToCode(*colour), "#ff8000");
}

TEST(ColourCode, WritesEachPartAsTwoDigits) {
    EXPECT_EQ(ColourToCode(MakeColour(0x01, 0x0a, 0xb0)), "#010ab0");
    EXPECT_EQ(ColourToCode(MakeColour(0, 0, 0)), "#000000");
    EXPECT_EQ(ColourToCode(0xFF123456u), "#563412");  // the unused top byte is not written
}

TEST(ColourCode, RoundTripsAnyCode) {
    for (const char* code : {"#000000", "#ffffff", "#a1b2c3", "#0f1e2d"}) {
        const std::optional<Colour> colour = CodeToColour(code);
        ASSERT_TRUE(colour.has_value()) << code;
        EXPECT_EQ(ColourToCode(*colour), code);
    }
    EXPECT_EQ(CodeToColour("#AbCdEf"), MakeColour(0xab, 0xcd, 0xef));
}

TEST(ColourCode, RejectsAnythingButHashAndSixHexDigits) {
    const std::string cases[] = {
        "#ff800",
        "ff8000",
        "#ff80000",
        "",
        "#",
        " #ff8000",
        "#ff800 ",
        "#gg0000",
        "#0x1234",
        "#+12345",
        "#-12345",
        "#ff 800",
        "ff8000#",
        std::string("#ff80\0"
                    "0",
                    7),
    };
    for (const std::string& code : cases) {
        EXPECT_EQ(CodeToColour(code), std::nullopt) << '"' << code << '"';
    }
}

}  // namespace
}  // namespace tidemark
