#include "app/automation_server/client_objects.h"

#include <QStringList>

#include "app/automation_server/dbus_names.h"
#include "core/automation/note_object.h"

namespace {

// A decimal number without sign or leading zero; -1 when it is not one.
long long decimal(QStringView text) {
    if (text.isEmpty() || text.size() > 9 || (text.size() > 1 && text.front() == u'0'))
        return -1;
    long long value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

}  // namespace

NotePath NotePath::parse(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'));
    // "", "notes", N [, "items", ID]
    if ((parts.size() != 3 && parts.size() != 5) || !parts[0].isEmpty() ||
        parts[1] != QLatin1String("notes")) {
        return {};
    }
    const long long note = decimal(parts[2]);
    if (note <= 0)
        return {};
    if (parts.size() == 3)
        return {int(note), false, 0};
    const long long item = decimal(parts[4]);
    if (parts[3] != QLatin1String("items") || item < 0)
        return {};
    return {int(note), true, std::int32_t(item)};
}

ClientObjects::ClientObjects() = default;
ClientObjects::~ClientObjects() = default;

QString ClientObjects::addNote(const QString& client, std::shared_ptr<tidemark::NoteObject> note) {
    const int number = ++m_lastNote;
    m_notes[number] = NoteEntry{client, std::move(note), {}};
    return DbusName::kNotesPath + QLatin1Char('/') + QString::number(number);
}

QString ClientObjects::addItem(int note, const tidemark::ItemHandle& item) {
    const auto entry = m_notes.find(note);
    if (!item || entry == m_notes.end())
        return QStringLiteral("/");
    const tidemark::Result<std::int32_t> id = item->Id();
    if (!id)
        return QStringLiteral("/");
    tidemark::ItemHandle& slot = entry->second.items[id.Value()];
    if (!slot || !slot->SameItem(*item))
        slot = item;
    return DbusName::kNotesPath + QLatin1Char('/') + QString::number(note) +
           QStringLiteral("/items/") + QString::number(id.Value());
}

ClientObjects::NoteEntry* ClientObjects::entryOf(const QString& client, int note) {
    const auto entry = m_notes.find(note);
    return entry != m_notes.end() && entry->second.client == client ? &entry->second : nullptr;
}

const ClientObjects::NoteEntry* ClientObjects::entryOf(const QString& client, int note) const {
    const auto entry = m_notes.find(note);
    return entry != m_notes.end() && entry->second.client == client ? &entry->second : nullptr;
}

ClientObjects::Found ClientObjects::find(const QString& client, const QString& path) const {
    const NotePath parsed = NotePath::parse(path);
    if (!entryOf(client, parsed.note))
        return {};
    return findForAny(path);
}

ClientObjects::Found ClientObjects::findForAny(const QString& path) const {
    const NotePath parsed = NotePath::parse(path);
    const auto found = m_notes.find(parsed.note);
    if (found == m_notes.end())
        return {};
    const NoteEntry* entry = &found->second;
    if (!parsed.isItem) {
        if (!entry->note)
            return {};
        return {Found::kNote, parsed.note, entry->note, nullptr};
    }
    const auto item = entry->items.find(parsed.item);
    if (item == entry->items.end())
        return {};
    return {Found::kItem, parsed.note, nullptr, item->second};
}

tidemark::ItemHandle ClientObjects::itemAt(const QString& client, const QString& path) const {
    Found found = find(client, path);
    return found.kind == Found::kItem ? found.item : nullptr;
}

void ClientObjects::forgetIfEmpty(int note) {
    const auto entry = m_notes.find(note);
    if (entry != m_notes.end() && !entry->second.note && entry->second.items.empty())
        m_notes.erase(entry);
}

bool ClientObjects::release(const QString& client, const QString& path) {
    const NotePath parsed = NotePath::parse(path);
    NoteEntry* entry = entryOf(client, parsed.note);
    if (!entry)
        return false;
    if (parsed.isItem) {
        if (entry->items.erase(parsed.item) == 0)
            return false;
    } else {
        if (!entry->note)
            return false;
        entry->note.reset();
    }
    forgetIfEmpty(parsed.note);
    return true;
}

void ClientObjects::dropClient(const QString& client) {
    std::erase_if(m_notes, [&](const auto& entry) { return entry.second.client == client; });
}

bool ClientObjects::holdsAnythingOf(const QString& client) const {
    for (const auto& [number, entry] : m_notes) {
        if (entry.client == client)
            return true;
    }
    return false;
}

std::size_t ClientObjects::objectCount() const {
    std::size_t count = 0;
    for (const auto& [number, entry] : m_notes)
        count += (entry.note ? 1 : 0) + entry.items.size();
    return count;
}
