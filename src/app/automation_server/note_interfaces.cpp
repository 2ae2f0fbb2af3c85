// INoteService and INote on the bus.
#include <QDBusObjectPath>

#include "app/automation_server/client_objects.h"
#include "app/automation_server/dbus_names.h"
#include "app/automation_server/object_interfaces.h"
#include "core/automation/note_object.h"
#include "core/automation/note_service.h"

using tidemark::ItemHandle;
using tidemark::NoteObject;
using tidemark::Result;

namespace {

using Args = const QVariantList&;

DbusReply noteReply(DbusTarget& target, Result<std::shared_ptr<NoteObject>> note) {
    if (!note)
        return DbusReply::raised(note.Error());
    return DbusReply::of(QVariant::fromValue(
        QDBusObjectPath(target.objects.addNote(target.client, std::move(note).Value()))));
}

DbusReply itemReply(DbusTarget& target, const Result<ItemHandle>& item) {
    if (!item)
        return DbusReply::raised(item.Error());
    return DbusReply::of(QVariant::fromValue(QDBusObjectPath(target.objects.addItem(target.note, item.Value()))));
}

DbusMember constant(const char* name, std::int32_t (NoteObject::*read)() const) {
    return {QString::fromLatin1(name), true, QStringLiteral("i"), {},
            [read](DbusTarget& t, Args) { return DbusReply::of(int(((*t.noteObject).*read)())); },
            {}};
}

}  // namespace

const DbusInterface& noteServiceInterface() {
    static const DbusInterface interface(
        DbusName::kNoteService,
        {
            {"Version", true, "i", {},
             [](DbusTarget& t, Args) { return DbusReply::of(int(t.service->Version())); }, {}},
            {"New", false, "o", {},
             [](DbusTarget& t, Args) { return noteReply(t, t.service->New()); }, {}},
            {"Open", false, "o", {{"file_name", "s"}},
             [](DbusTarget& t, Args a) { return noteReply(t, t.service->Open(utf8Of(a[0]))); },
             {}},
        });
    return interface;
}

const DbusInterface& noteInterface() {
    static const DbusInterface interface(
        DbusName::kNote,
        {
            constant("MEMO", &NoteObject::MEMO),
            constant("MEMOGROUP", &NoteObject::MEMOGROUP),
            constant("ROOT", &NoteObject::ROOT),
            constant("PARENT", &NoteObject::PARENT),
            constant("CHILD", &NoteObject::CHILD),
            constant("PREVIOUS", &NoteObject::PREVIOUS),
            constant("NEXT", &NoteObject::NEXT),
            {"FileName", true, "s", {},
             [](DbusTarget& t, Args) { return replyOf(t.noteObject->FileName()); }, {}},
            {"Remarks", true, "s", {},
             [](DbusTarget& t, Args) { return replyOf(t.noteObject->Remarks()); },
             [](DbusTarget& t, const QVariant& v) {
                 return replyOf(t.noteObject->SetRemarks(utf8Of(v)));
             }},
            {"Foreground", true, "s", {},
             [](DbusTarget& t, Args) { return replyOf(t.noteObject->Foreground()); },
             [](DbusTarget& t, const QVariant& v) {
                 return replyOf(t.noteObject->SetForeground(utf8Of(v)));
             }},
            {"Background", true, "s", {},
             [](DbusTarget& t, Args) { return replyOf(t.noteObject->Background()); },
             [](DbusTarget& t, const QVariant& v) {
                 return replyOf(t.noteObject->SetBackground(utf8Of(v)));
             }},
            {"GetRootItem", false, "o", {},
             [](DbusTarget& t, Args) { return itemReply(t, t.noteObject->GetRootItem()); }, {}},
            {"GetItemCount", false, "i", {},
             [](DbusTarget& t, Args) { return replyOf(t.noteObject->GetItemCount()); }, {}},
            {"GetFocusItem", false, "o", {},
             [](DbusTarget& t, Args) { return itemReply(t, t.noteObject->GetFocusItem()); }, {}},
            {"GetSelectedItemCount", false, "i", {},
             [](DbusTarget& t, Args) { return replyOf(t.noteObject->GetSelectedItemCount()); },
             {}},
            {"GetSelectedItem", false, "o", {{"lVal", "i"}},
             [](DbusTarget& t, Args a) {
                 return itemReply(t, t.noteObject->GetSelectedItem(a[0].toInt()));
             },
             {}},
            {"GetSelectedText", false, "s", {},
             [](DbusTarget& t, Args) { return replyOf(t.noteObject->GetSelectedText()); }, {}},
            {"Save", false, "", {},
             [](DbusTarget& t, Args) { return replyOf(t.noteObject->Save()); }, {}},
            {"SaveAs", false, "", {{"bstrVal", "s"}},
             [](DbusTarget& t, Args a) { return replyOf(t.noteObject->SaveAs(utf8Of(a[0]))); },
             {}},
            {"Release", false, "", {},
             [](DbusTarget& t, Args) {
                 t.objects.release(t.client, t.path);
                 return DbusReply::nothing();
             },
             {}},
        });
    return interface;
}
