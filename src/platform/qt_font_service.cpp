#include "platform/qt_font_service.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include "core/common/cp932_codec.h"

using tidemark::ByteString;
using tidemark::FontSetting;

namespace {

enum class JapaneseStyle { None, Gothic, Mincho };

// Faces of another system's Japanese fonts, and the style each stands for.
JapaneseStyle styleOfKnownFace(const QString& face) {
    static const QStringList gothic = {
        QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ ゴシック"),
        QStringLiteral("MS PGothic"),      QStringLiteral("MS Gothic"),
        QStringLiteral("MS UI Gothic"),    QStringLiteral("メイリオ"),
        QStringLiteral("Meiryo"),
    };
    static const QStringList mincho = {
        QStringLiteral("ＭＳ 明朝"),
        QStringLiteral("ＭＳ Ｐ明朝"),
        QStringLiteral("MS Mincho"),
        QStringLiteral("MS PMincho"),
    };
    if (gothic.contains(face, Qt::CaseInsensitive))
        return JapaneseStyle::Gothic;
    if (mincho.contains(face, Qt::CaseInsensitive))
        return JapaneseStyle::Mincho;
    return JapaneseStyle::None;
}

// Installed Japanese families in the order they should stand in for a face of
// `style`: well-known families first, then any family that covers Japanese,
// those of the same style before the others.
QStringList japaneseCandidates(JapaneseStyle style) {
    static const QStringList preferredGothic = {
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Source Han Sans JP"),
        QStringLiteral("IPAPGothic"),       QStringLiteral("IPAGothic"),
        QStringLiteral("VL PGothic"),       QStringLiteral("TakaoPGothic"),
    };
    static const QStringList preferredMincho = {
        QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Source Han Serif JP"),
        QStringLiteral("IPAPMincho"),        QStringLiteral("IPAMincho"),
        QStringLiteral("TakaoPMincho"),
    };
    const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
    auto isSerif = [](const QString& family) {
        return family.contains(QStringLiteral("Serif"), Qt::CaseInsensitive) ||
               family.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive) ||
               family.contains(QStringLiteral("明朝"));
    };
    const bool wantSerif = style == JapaneseStyle::Mincho;

    QStringList candidates;
    for (const QString& family : wantSerif ? preferredMincho : preferredGothic) {
        if (installed.contains(family, Qt::CaseInsensitive))
            candidates << family;
    }
    for (const QString& family : installed) {
        if (isSerif(family) == wantSerif && !candidates.contains(family))
            candidates << family;
    }
    for (const QString& family : installed) {
        if (!candidates.contains(family))
            candidates << family;
    }
    return candidates;
}

// The installed family whose name equals `face` without case.
QString installedFamily(const QString& face) {
    for (const QString& family : QFontDatabase::families()) {
        if (family.compare(face, Qt::CaseInsensitive) == 0)
            return family;
    }
    return {};
}

}  // namespace

ByteString QtFontService::storedFace(const QString& family) {
    tidemark::Cp932Text text = tidemark::Utf8ToCp932(family.toStdString());
    if (!text.Complete() || text.bytes.size() > FontSetting::kMaxFaceBytes)
        return {};
    return ByteString(std::move(text.bytes));
}

QString QtFontService::familyOf(const ByteString& face) {
    return QString::fromStdString(tidemark::Cp932ToUtf8(face.View()));
}

std::optional<ByteString> QtFontService::ResolveFace(const ByteString& face) const {
    if (face.Empty())
        return std::nullopt;
    const QString wanted = familyOf(face);
    QStringList candidates;
    if (QString family = installedFamily(wanted); !family.isEmpty())
        candidates << family;
    if (JapaneseStyle style = styleOfKnownFace(wanted); style != JapaneseStyle::None) {
        candidates << japaneseCandidates(style);
    }
    for (const QString& family : candidates) {
        ByteString stored = storedFace(family);
        if (!stored.Empty())
            return stored;
    }
    return std::nullopt;
}

FontSetting QtFontService::GetStockFont(tidemark::StockFont) const {
    // Qt has one general user-interface font; it serves both as the list
    // font and as the fallback of the print font.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    FontSetting setting = fromQFont(font);
    if (setting.Face.Empty())
        setting.Face = ByteString("Sans Serif");
    return setting;
}

std::int32_t QtFontService::ScreenDpi() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

QFont QtFontService::toQFont(const FontSetting& setting) {
    QFont font(familyOf(setting.Face));
    if (setting.Height != 0)
        font.setPixelSize(setting.Height < 0 ? -setting.Height : setting.Height);
    return font;
}

FontSetting QtFontService::fromQFont(const QFont& font) const {
    FontSetting setting;
    // The family actually used, not an alias such as "Sans Serif".
    setting.Face = storedFace(QFontInfo(font).family());
    if (font.pixelSize() > 0) {
        setting.Height = -font.pixelSize();
    } else {
        setting.Height = tidemark::PointsToHeight(qRound(font.pointSizeF()), ScreenDpi());
    }
    return setting;
}
