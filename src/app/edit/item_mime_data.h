#pragma once

#include <QByteArray>
#include <QMimeData>
#include <QString>
#include <functional>
#include <optional>

#include "app/common/item_mime_type.h"

// Beside the items of a pending cut: a mark naming that cut, unique across
// processes. Reading it renders nothing.
inline constexpr char kCutMarkMimeType[] = "application/x-tidemark-cut";
// Put on the clipboard by a window that pasted another window's cut, with
// that cut's mark: the window that cut may now delete its items.
inline constexpr char kPastedCutMimeType[] = "application/x-tidemark-pasted-cut";

// Clipboard data of a cut or copy of items, announced at once and made on
// the first request for either format: the item records and their text
// export (text/plain) are then made together by the renderer, which is
// called at most once; every later request is answered from what it gave.
// Making the data never changes the note: whoever asks for it, a cut stays
// pending. A cut's data also offers its mark (kCutMarkMimeType).
// Lives on the GUI thread; the clipboard owns it.
class ItemMimeData : public QMimeData {
    Q_OBJECT
public:
    struct Content {
        QByteArray items;     // the SerializeItems block
        QString text;         // the text export, lines ending in LF
        QByteArray exported;  // the text export's own bytes (CP932, CR LF)
    };
    // Nothing when the data cannot be made: both formats are then withdrawn.
    using Renderer = std::function<std::optional<Content>()>;

    // `cutMark` empty: no mark is offered (a copy).
    explicit ItemMimeData(Renderer renderer, QByteArray cutMark = {});

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

    bool isRendered() const { return m_rendered; }
    // Fixes the data without calling the renderer, which is let go: with
    // `content`, or withdrawn without it. Nothing once the data is rendered.
    void settle(std::optional<Content> content);
    // From now on every request is answered with `content`, without a mark:
    // the cut has moved and its data is a copy of what moved.
    void replace(Content content);

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    void render() const;

    mutable Renderer m_renderer;
    QByteArray m_cutMark;
    mutable std::optional<Content> m_content;
    mutable bool m_rendered = false;
};
