#pragma once

#include "core/common/byte_string.h"
#include "core/settings/value_store.h"

namespace tidemark {

// The default note: the note the resident icon opens, kept in the value
// "default". Empty when none is set (or the store cannot be read).
ByteString ReadDefaultNote(const ValueStore& store);
// Stores the path; an empty path removes the value.
bool WriteDefaultNote(ValueStore& store, const ByteString& path);

}  // namespace tidemark
