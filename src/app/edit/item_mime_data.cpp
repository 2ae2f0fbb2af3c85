#include "app/edit/item_mime_data.h"

#include <utility>

namespace {

const QString& itemsType() {
    static const QString type = QString::fromLatin1(kItemsMimeType);
    return type;
}
const QString& cutMarkType() {
    static const QString type = QString::fromLatin1(kCutMarkMimeType);
    return type;
}
const QString& textType() {
    static const QString type = QStringLiteral("text/plain");
    return type;
}

}  // namespace

ItemMimeData::ItemMimeData(Renderer renderer, QByteArray cutMark)
    : m_renderer(std::move(renderer)), m_cutMark(std::move(cutMark)) {}

QStringList ItemMimeData::formats() const {
    if (m_rendered && !m_content)
        return {};
    if (m_cutMark.isEmpty())
        return {itemsType(), textType()};
    return {itemsType(), textType(), cutMarkType()};
}

bool ItemMimeData::hasFormat(const QString& mimeType) const {
    return formats().contains(mimeType);
}

void ItemMimeData::settle(std::optional<Content> content) {
    if (m_rendered)
        return;
    m_rendered = true;
    m_renderer = nullptr;
    m_content = std::move(content);
}

void ItemMimeData::replace(Content content) {
    m_rendered = true;
    m_renderer = nullptr;
    m_content = std::move(content);
    m_cutMark.clear();
}

void ItemMimeData::render() const {
    if (m_rendered)
        return;
    // Marked first: a request made while the renderer runs gets nothing
    // rather than a second rendering.
    m_rendered = true;
    const Renderer renderer = std::exchange(m_renderer, nullptr);
    if (renderer)
        m_content = renderer();
}

QVariant ItemMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    if (!hasFormat(mimeType))
        return {};
    if (mimeType == cutMarkType())
        return m_cutMark;
    render();
    if (!m_content)
        return {};
    if (mimeType == itemsType())
        return m_content->items;
    if (type.id() == QMetaType::QString)
        return m_content->text;
    return m_content->text.toUtf8();
}
