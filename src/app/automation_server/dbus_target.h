#pragma once

#include <QString>
#include <memory>

#include "core/automation/item_object.h"

class ClientObjects;

namespace tidemark {
class NoteObject;
class NoteService;
}  // namespace tidemark

// The object a call reached and the client that made it. The handles keep
// the objects alive for the length of the call, even when the call
// releases them.
struct DbusTarget {
    ClientObjects& objects;
    QString client;  // the caller's unique bus name
    QString path;
    int note = 0;  // the number of the note the path lies under; 0 for the service
    tidemark::NoteService* service = nullptr;
    std::shared_ptr<tidemark::NoteObject> noteObject;
    tidemark::ItemHandle item;
};
