#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <memory>

#include "core/automation/item_object.h"

namespace tidemark {
class NoteObject;
}

// The notes and items handed out to bus clients, under the paths
// "/notes/N" and "/notes/N/items/ID" (N counts the notes made, ID is the
// item's id). Each note, and every item reached through it, belongs to the
// client that made the note; other clients do not see it. An object lives
// until its client releases it or leaves the bus. A note's path stays while
// any of its items does, since their paths lie under it.
//
// When an item's id comes back for another item (the first was deleted and
// its id given again), the path stands for the new item from then on.
class ClientObjects {
public:
    ClientObjects();
    ~ClientObjects();
    ClientObjects(const ClientObjects&) = delete;
    ClientObjects& operator=(const ClientObjects&) = delete;

    // Takes a note made for `client`; its path.
    QString addNote(const QString& client, std::shared_ptr<tidemark::NoteObject> note);
    // Takes an item of note `note` (which must be the client's); its path,
    // "/" for no item.
    QString addItem(int note, const tidemark::ItemHandle& item);

    struct Found {
        enum Kind { kNone, kNote, kItem } kind = kNone;
        int note = 0;
        std::shared_ptr<tidemark::NoteObject> noteObject;  // kNote
        tidemark::ItemHandle item;                         // kItem
    };
    // What `path` stands for to `client`.
    Found find(const QString& client, const QString& path) const;
    // What `path` stands for, whoever the client.
    Found findForAny(const QString& path) const;
    // The item at `path` for `client`; null when the path is none of its items.
    tidemark::ItemHandle itemAt(const QString& client, const QString& path) const;

    // Forgets the object at `path`; false when the client had none there.
    bool release(const QString& client, const QString& path);
    // Forgets everything of `client`.
    void dropClient(const QString& client);

    bool holdsAnythingOf(const QString& client) const;
    // Notes and items held, for every client together.
    std::size_t objectCount() const;

private:
    struct NoteEntry {
        QString client;
        std::shared_ptr<tidemark::NoteObject> note;  // null once released
        std::map<std::int32_t, tidemark::ItemHandle> items;
    };
    NoteEntry* entryOf(const QString& client, int note);
    const NoteEntry* entryOf(const QString& client, int note) const;
    void forgetIfEmpty(int note);

    std::map<int, NoteEntry> m_notes;
    int m_lastNote = 0;
};

// The parts of an object path below "/notes"; note 0 when it is none.
struct NotePath {
    int note = 0;
    bool isItem = false;
    std::int32_t item = 0;

    static NotePath parse(const QString& path);
};
