// IItemNode and IItemText on the bus.
#include <QDBusObjectPath>

#include "app/automation_server/client_objects.h"
#include "app/automation_server/dbus_names.h"
#include "app/automation_server/object_interfaces.h"
#include "core/automation/item_node_object.h"
#include "core/automation/item_text_object.h"

using tidemark::ItemHandle;
using tidemark::Result;

namespace {

using Args = const QVariantList&;

tidemark::ItemNodeObject& node(const DbusTarget& t) {
    return static_cast<tidemark::ItemNodeObject&>(*t.item);
}

tidemark::ItemTextObject& memo(const DbusTarget& t) {
    return static_cast<tidemark::ItemTextObject&>(*t.item);
}

DbusReply itemReply(DbusTarget& target, const Result<ItemHandle>& item) {
    if (!item)
        return DbusReply::raised(item.Error());
    return DbusReply::of(
        QVariant::fromValue(QDBusObjectPath(target.objects.addItem(target.note, item.Value()))));
}

// An item argument: one of the caller's items (of any of its notes), or
// null, which the object layer refuses as it refuses an item of another
// note.
ItemHandle itemArgument(const DbusTarget& target, const QVariant& path) {
    return target.objects.itemAt(target.client, path.value<QDBusObjectPath>().path());
}

// The members memo groups and memos share, in their published order, with
// `own` put in after ModifiedTime (the properties) and `ownMethods` after
// Exist.
std::vector<DbusMember> itemMembers(std::vector<DbusMember> own,
                                    std::vector<DbusMember> ownMethods) {
    std::vector<DbusMember> members{
        {"Id", true, "i", {}, [](DbusTarget& t, Args) { return replyOf(t.item->Id()); }, {}},
        {"Type", true, "i", {}, [](DbusTarget& t, Args) { return replyOf(t.item->Type()); }, {}},
        {"Title", true, "s", {}, [](DbusTarget& t, Args) { return replyOf(t.item->Title()); },
         [](DbusTarget& t, const QVariant& v) { return replyOf(t.item->SetTitle(utf8Of(v))); }},
        {"Remarks", true, "s", {}, [](DbusTarget& t, Args) { return replyOf(t.item->Remarks()); },
         [](DbusTarget& t, const QVariant& v) { return replyOf(t.item->SetRemarks(utf8Of(v))); }},
        {"Foreground", true, "s", {},
         [](DbusTarget& t, Args) { return replyOf(t.item->Foreground()); },
         [](DbusTarget& t, const QVariant& v) {
             return replyOf(t.item->SetForeground(utf8Of(v)));
         }},
        {"Background", true, "s", {},
         [](DbusTarget& t, Args) { return replyOf(t.item->Background()); },
         [](DbusTarget& t, const QVariant& v) {
             return replyOf(t.item->SetBackground(utf8Of(v)));
         }},
        {"StrikeOut", true, "b", {},
         [](DbusTarget& t, Args) { return replyOf(t.item->StrikeOut()); },
         [](DbusTarget& t, const QVariant& v) { return replyOf(t.item->SetStrikeOut(v.toBool())); }},
        {"ModifiedTime", true, "s", {},
         [](DbusTarget& t, Args) { return replyOf(t.item->ModifiedTime()); }, {}},
    };
    for (DbusMember& member : own)
        members.push_back(std::move(member));
    std::vector<DbusMember> methods{
        {"IsDeleted", false, "b", {},
         [](DbusTarget& t, Args) { return replyOf(t.item->IsDeleted()); }, {}},
        {"Exist", false, "b", {{"position", "i"}},
         [](DbusTarget& t, Args a) { return replyOf(t.item->Exist(a[0].toInt())); }, {}},
        {"GetItem", false, "o", {{"position", "i"}},
         [](DbusTarget& t, Args a) { return itemReply(t, t.item->GetItem(a[0].toInt())); }, {}},
    };
    for (DbusMember& member : methods)
        members.push_back(std::move(member));
    for (DbusMember& member : ownMethods)
        members.push_back(std::move(member));
    std::vector<DbusMember> changes{
        {"NewItem", false, "o", {{"Type", "i"}, {"position", "i"}},
         [](DbusTarget& t, Args a) {
             return itemReply(t, t.item->NewItem(a[0].toInt(), a[1].toInt()));
         },
         {}},
        {"DeleteItem", false, "", {},
         [](DbusTarget& t, Args) { return replyOf(t.item->DeleteItem()); }, {}},
        {"MoveTo", false, "", {{"item", "o"}, {"position", "i"}},
         [](DbusTarget& t, Args a) {
             const ItemHandle target = itemArgument(t, a[0]);
             return replyOf(t.item->MoveTo(target.get(), a[1].toInt()));
         },
         {}},
        {"IsParent", false, "b", {{"item", "o"}},
         [](DbusTarget& t, Args a) {
             const ItemHandle other = itemArgument(t, a[0]);
             return replyOf(t.item->IsParent(other.get()));
         },
         {}},
        {"Release", false, "", {},
         [](DbusTarget& t, Args) {
             t.objects.release(t.client, t.path);
             return DbusReply::nothing();
         },
         {}},
    };
    for (DbusMember& member : changes)
        members.push_back(std::move(member));
    return members;
}

}  // namespace

const DbusInterface& itemNodeInterface() {
    static const DbusInterface interface(
        DbusName::kItemNode,
        itemMembers(
            {
                {"Open", true, "b", {}, [](DbusTarget& t, Args) { return replyOf(node(t).Open()); },
                 [](DbusTarget& t, const QVariant& v) { return replyOf(node(t).SetOpen(v.toBool())); }},
                {"Encrypted", true, "b", {},
                 [](DbusTarget& t, Args) { return replyOf(node(t).Encrypted()); }, {}},
            },
            {
                {"GetChildItemCount", false, "i", {},
                 [](DbusTarget& t, Args) { return replyOf(node(t).GetChildItemCount()); }, {}},
                {"GetChildItem", false, "o", {{"index", "i"}},
                 [](DbusTarget& t, Args a) {
                     return itemReply(t, node(t).GetChildItem(a[0].toInt()));
                 },
                 {}},
            }));
    return interface;
}

const DbusInterface& itemTextInterface() {
    static const DbusInterface interface(
        DbusName::kItemText,
        itemMembers(
            {
                {"Body", true, "s", {}, [](DbusTarget& t, Args) { return replyOf(memo(t).Body()); },
                 [](DbusTarget& t, const QVariant& v) { return replyOf(memo(t).SetBody(utf8Of(v))); }},
                {"WordWrap", true, "b", {},
                 [](DbusTarget& t, Args) { return replyOf(memo(t).WordWrap()); },
                 [](DbusTarget& t, const QVariant& v) {
                     return replyOf(memo(t).SetWordWrap(v.toBool()));
                 }},
                {"UrlBody", true, "b", {},
                 [](DbusTarget& t, Args) { return replyOf(memo(t).UrlBody()); },
                 [](DbusTarget& t, const QVariant& v) {
                     return replyOf(memo(t).SetUrlBody(v.toBool()));
                 }},
                {"UrlRemarks", true, "b", {},
                 [](DbusTarget& t, Args) { return replyOf(memo(t).UrlRemarks()); },
                 [](DbusTarget& t, const QVariant& v) {
                     return replyOf(memo(t).SetUrlRemarks(v.toBool()));
                 }},
            },
            {}));
    return interface;
}
