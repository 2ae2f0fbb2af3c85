#include "app/edit/items_content.h"

#include <new>
#include <string>

#include "app/common/export_formats.h"
#include "app/common/pending_items.h"
#include "app/common/qt_text.h"
#include "core/model/note.h"
#include "core/settings/settings.h"
#include "core/textio/text_exporter.h"

using namespace tidemark;

std::optional<ItemMimeData::Content> itemsContent(Note& note, const Settings& settings,
                                                  const PendingItems& pending) {
    if (!pending.intact())
        return std::nullopt;
    const std::optional<MemoryBlock> block = note.SerializeItems(pending.chain());
    if (!block)
        return std::nullopt;
    try {
        ItemMimeData::Content content;
        content.items = QByteArray(reinterpret_cast<const char*>(block->data()),
                                   static_cast<qsizetype>(block->size()));
        const std::string text =
            ExportItemsToText(note, pending.chain(), exportFormatsOf(settings));
        content.exported = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
        // Other programs take line feeds; the note keeps CR LF.
        content.text = toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return content;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}
