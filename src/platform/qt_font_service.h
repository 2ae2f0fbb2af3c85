#pragma once

#include <QFont>
#include <QString>

#include "core/settings/font_service.h"

// The installed fonts through Qt's font database. Needs a QGuiApplication.
//
// Faces are matched without case. The Japanese faces that settings from
// Windows name ("ＭＳ Ｐゴシック", "ＭＳ 明朝" and their relatives) stand for an
// installed Japanese family of the same style (gothic or mincho) when they
// are not installed themselves. A family whose name CP932 cannot hold, or
// that is longer than a stored face, is never offered.
class QtFontService : public tidemark::FontService {
public:
    std::optional<tidemark::ByteString> ResolveFace(
        const tidemark::ByteString& face) const override;
    tidemark::FontSetting GetStockFont(tidemark::StockFont which) const override;
    std::int32_t ScreenDpi() const override;

    // The font a setting describes: its family and, for a non-zero height,
    // that many pixels of character height.
    static QFont toQFont(const tidemark::FontSetting& setting);
    // The setting that describes `font` on this screen; an empty face when
    // the family cannot be stored.
    tidemark::FontSetting fromQFont(const QFont& font) const;

    // A family name as stored (CP932); empty when it cannot be stored.
    static tidemark::ByteString storedFace(const QString& family);
    static QString familyOf(const tidemark::ByteString& face);
};
