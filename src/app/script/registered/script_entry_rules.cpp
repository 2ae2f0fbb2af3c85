#include "app/script/registered/script_entry_rules.h"

#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "core/common/sjis.h"

namespace {

using tidemark::ScriptEntry;
using tidemark::ScriptStore;

constexpr std::uint32_t kNone = 10034;
constexpr std::uint32_t kTemplate = 10035;
constexpr std::uint32_t kMenu = 10036;
constexpr std::uint32_t kNoName = 20064;
constexpr std::uint32_t kNoFile = 20065;
constexpr std::uint32_t kNameTaken = 20066;

QString placeText(int place) {
    return uiText(kMenu) + QString::number(place);
}

}  // namespace

QString scriptAttributeText(const ScriptEntry& entry) {
    if (const int place = entry.Place(); place != 0)
        return placeText(place);
    if (entry.IsTemplate())
        return uiText(kTemplate);
    return QString();
}

std::vector<ScriptAttributeChoice> scriptAttributeChoices(const ScriptStore& store,
                                                          std::optional<std::size_t> index) {
    std::vector<ScriptAttributeChoice> choices{{uiText(kNone), 0},
                                               {uiText(kTemplate), ScriptEntry::kTemplate}};
    for (int place = 1; place <= ScriptStore::kPlaceCount; ++place) {
        if (store.PlaceAvailableFor(place, index))
            choices.push_back({placeText(place), std::uint32_t(place)});
    }
    return choices;
}

ScriptEntryCheck checkScriptEntry(const ScriptStore& store, std::optional<std::size_t> index,
                                  const QString& name, const QString& file,
                                  std::uint32_t attributes) {
    const QString trimmedFile = file.trimmed();
    if (trimmedFile.isEmpty())
        return {std::nullopt, kNoFile};
    const QString trimmedName = name.trimmed();
    if (trimmedName.isEmpty())
        return {std::nullopt, kNoName};
    ScriptEntry entry;
    entry.Name = fromQString(trimmedName);
    entry.File = fromQString(trimmedFile);
    entry.Attributes = attributes;
    // Names may repeat after an import; an entry may always keep its own.
    const bool ownName =
        index && tidemark::CompareTextNoCase(store.At(*index).Name.View(), entry.Name.View()) == 0;
    if (!ownName && store.FindByName(entry.Name.View()))
        return {std::nullopt, kNameTaken};
    return {std::move(entry), 0};
}
