#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/settings/script_store.h"

// What the script list and the entry dialog show and check of an entry,
// without widgets.

// The attribute column of the list: "メニュー " and the place, "テンプレート",
// or nothing.
QString scriptAttributeText(const tidemark::ScriptEntry& entry);

// One choice of the entry dialog's attribute drop-down.
struct ScriptAttributeChoice {
    QString text;
    std::uint32_t value;  // the attribute bits the choice stands for
};

// The attribute choices for the entry `index` of `store` (nothing: a new
// entry): none, template, and every place that is free or the entry's own.
std::vector<ScriptAttributeChoice> scriptAttributeChoices(const tidemark::ScriptStore& store,
                                                          std::optional<std::size_t> index);

// The entry as the entry dialog would store it, or the message that refuses
// it: 20065 no file, 20064 no name, 20066 the name of another entry (without
// case). Name and file are trimmed of blanks first.
struct ScriptEntryCheck {
    std::optional<tidemark::ScriptEntry> entry;
    std::uint32_t refusal = 0;
};
ScriptEntryCheck checkScriptEntry(const tidemark::ScriptStore& store,
                                  std::optional<std::size_t> index, const QString& name,
                                  const QString& file, std::uint32_t attributes);
