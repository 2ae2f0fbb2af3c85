#pragma once

#include "app/automation_server/dbus_interface.h"

// The members of the exported objects under their published names. Each
// member only converts its arguments and result and calls the object layer
// (core/automation), which makes every check and raises every error.

// INoteService at /NoteService.
const DbusInterface& noteServiceInterface();
// INote at /notes/N.
const DbusInterface& noteInterface();
// IItemNode (memo groups and the root) and IItemText (memos) at
// /notes/N/items/ID.
const DbusInterface& itemNodeInterface();
const DbusInterface& itemTextInterface();
