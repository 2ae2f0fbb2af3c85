#include "core/settings/script_store.h"

#include "core/common/sjis.h"

namespace tidemark {

int ScriptEntry::Place() const {
    int place = static_cast<int>(Attributes & kPlaceMask);
    return place <= ScriptStore::kPlaceCount ? place : 0;
}

std::optional<std::size_t> ScriptStore::EntryAtPlace(int place) const {
    if (place < 1 || place > kPlaceCount || m_places[place - 1] < 0)
        return std::nullopt;
    return static_cast<std::size_t>(m_places[place - 1]);
}

bool ScriptStore::PlaceAvailableFor(int place, std::optional<std::size_t> index) const {
    std::optional<std::size_t> holder = EntryAtPlace(place);
    return !holder || holder == index;
}

std::optional<std::size_t> ScriptStore::FindByName(std::string_view name) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (CompareTextNoCase(m_entries[i].Name.View(), name) == 0)
            return i;
    }
    return std::nullopt;
}

// Makes the entry's place (if any) point at it, taking it from another holder.
void ScriptStore::BindPlace(std::size_t index) {
    int place = m_entries[index].Place();
    if (place == 0)
        return;
    std::optional<std::size_t> holder = EntryAtPlace(place);
    if (holder && *holder != index)
        m_entries[*holder].ClearPlace();
    m_places[place - 1] = static_cast<int>(index);
}

bool ScriptStore::Append(ScriptEntry entry) {
    if (Full())
        return false;
    m_entries.push_back(std::move(entry));
    BindPlace(m_entries.size() - 1);
    return true;
}

void ScriptStore::Replace(std::size_t index, ScriptEntry entry) {
    for (int& holder : m_places) {
        if (holder == static_cast<int>(index))
            holder = -1;
    }
    m_entries[index] = std::move(entry);
    BindPlace(index);
}

void ScriptStore::Remove(std::size_t index) {
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    const int removed = static_cast<int>(index);
    for (int& holder : m_places) {
        if (holder == removed) {
            holder = -1;
        } else if (holder > removed) {
            --holder;
        }
    }
}

ScriptImportResult ScriptStore::Import(const ScriptStore& imported) {
    ScriptImportResult result;
    for (const ScriptEntry& source : imported.m_entries) {
        bool known = false;
        for (const ScriptEntry& entry : m_entries) {
            if (CompareTextNoCase(entry.Name.View(), source.Name.View()) == 0 &&
                CompareTextNoCase(entry.File.View(), source.File.View()) == 0) {
                known = true;
                break;
            }
        }
        if (known) {
            ++result.Skipped;
            continue;
        }
        ScriptEntry entry = source;
        if (EntryAtPlace(entry.Place()))
            entry.ClearPlace();
        if (!Append(std::move(entry))) {
            result.StoreFull = true;
            break;
        }
        ++result.Added;
    }
    return result;
}

}  // namespace tidemark
