#include "core/settings/default_note.h"

#include "core/settings/value_names.h"

namespace tidemark {

ByteString ReadDefaultNote(const ValueStore& store) {
    return store.QueryString(ValueName::kDefaultNote).value_or(ByteString());
}

bool WriteDefaultNote(ValueStore& store, const ByteString& path) {
    if (path.Empty())
        return store.DeleteValue(ValueName::kDefaultNote);
    return store.SetString(ValueName::kDefaultNote, path.View());
}

}  // namespace tidemark
