#include "platform/qt_font_service.h"

#include <gtest/gtest.h>

#include <QFontDatabase>

#include "core/common/cp932_codec.h"
#include "core/settings/memory_value_store.h"
#include "core/settings/settings.h"
#include "platform/qt_settings_text_source.h"

namespace {

using tidemark::ByteString;
using tidemark::FontSetting;

ByteString cp932(const char* utf8) {
    return ByteString(tidemark::Utf8ToCp932(utf8).bytes);
}

bool coversJapanese(const ByteString& face) {
    return QFontDatabase::families(QFontDatabase::Japanese)
        .contains(QtFontService::familyOf(face), Qt::CaseInsensitive);
}

TEST(QtFontServiceTest, ResolvesInstalledFamiliesWithoutCase) {
    QtFontService fonts;
    QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    QString family = families.first();
    std::optional<ByteString> resolved =
        fonts.ResolveFace(QtFontService::storedFace(family.toUpper()));
    ASSERT_TRUE(resolved);
    EXPECT_EQ(QtFontService::familyOf(*resolved), family);

    EXPECT_FALSE(fonts.ResolveFace("No Such Family 4711"));
    EXPECT_FALSE(fonts.ResolveFace(ByteString()));
}

TEST(QtFontServiceTest, JapaneseFacesOfWindowsFallBackToAnInstalledJapaneseFont) {
    if (QFontDatabase::families(QFontDatabase::Japanese).isEmpty()) {
        GTEST_SKIP() << "no Japanese font installed";
    }
    QtFontService fonts;
    for (const char* face : {"ＭＳ Ｐゴシック", "ＭＳ 明朝", "MS Gothic"}) {
        std::optional<ByteString> resolved = fonts.ResolveFace(cp932(face));
        ASSERT_TRUE(resolved) << face;
        EXPECT_TRUE(coversJapanese(*resolved)) << face << " -> " << resolved->Str();
        EXPECT_LE(resolved->Size(), FontSetting::kMaxFaceBytes);
    }
}

TEST(QtFontServiceTest, StockFontIsAnInstalledFamilyWithACharacterHeight) {
    QtFontService fonts;
    for (tidemark::StockFont which :
         {tidemark::StockFont::kGui, tidemark::StockFont::kDeviceDefault}) {
        FontSetting stock = fonts.GetStockFont(which);
        ASSERT_FALSE(stock.IsEmpty());
        EXPECT_LT(stock.Height, 0);
        EXPECT_TRUE(fonts.ResolveFace(stock.Face)) << stock.Face.Str();
    }
}

TEST(QtFontServiceTest, ConvertsToAndFromQFontByPixelHeight) {
    QtFontService fonts;
    FontSetting stock = fonts.GetStockFont(tidemark::StockFont::kGui);
    FontSetting setting{stock.Face, -12};
    QFont font = QtFontService::toQFont(setting);
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_EQ(fonts.fromQFont(font), setting);

    QFont points(QtFontService::familyOf(stock.Face));
    points.setPointSize(9);
    EXPECT_EQ(fonts.fromQFont(points).Height, tidemark::PointsToHeight(9, fonts.ScreenDpi()));
}

TEST(QtFontServiceTest, AFirstRunGetsNinePointFontsThatAreInstalled) {
    tidemark::MemoryValueStore store;
    QtFontService fonts;
    tidemark::DefaultDragScrollSource drag;
    tidemark::Settings settings;
    ASSERT_TRUE(settings.Load(tidemark::SettingsEnvironment{store, fonts, drag, false}));
    settings.ApplyEmptyDefaults(fonts, QtSettingsTextSource());

    const std::int32_t nine = tidemark::PointsToHeight(9, fonts.ScreenDpi());
    for (const FontSetting* font : {&settings.EditFont, &settings.PrintFont}) {
        EXPECT_TRUE(fonts.ResolveFace(font->Face)) << font->Face.Str();
        EXPECT_EQ(font->Height, nine);
    }
    EXPECT_TRUE(fonts.ResolveFace(settings.ListFont.Face));
    if (!QFontDatabase::families(QFontDatabase::Japanese).isEmpty()) {
        EXPECT_TRUE(coversJapanese(settings.EditFont.Face)) << settings.EditFont.Face.Str();
        EXPECT_TRUE(coversJapanese(settings.PrintFont.Face)) << settings.PrintFont.Face.Str();
    }
}

}  // namespace
