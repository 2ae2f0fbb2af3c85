#pragma once

#include <optional>

#include "app/edit/item_mime_data.h"

class PendingItems;

namespace tidemark {
class Note;
class Settings;
}  // namespace tidemark

// What held items become on the clipboard or in a drag: their records as
// SerializeItems writes them and their text export through the settings'
// templates (the standard ones when unset). Nothing when they cannot be
// written (items gone, no memory).
std::optional<ItemMimeData::Content> itemsContent(tidemark::Note& note,
                                                  const tidemark::Settings& settings,
                                                  const PendingItems& pending);
