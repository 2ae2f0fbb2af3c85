#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <utility>
#include <vector>

#include "app/automation_server/dbus_reply.h"
#include "app/automation_server/dbus_target.h"

// One member of an exported interface: a method or a property, with its bus
// types ("i", "b", "s", "o").
struct DbusMember {
    struct Argument {
        QString name;
        QString type;
    };
    QString name;
    bool property = false;
    // A property's type, or a method's result type ("" for none).
    QString type;
    // A method's arguments, in order.
    std::vector<Argument> arguments;
    // Calls the method or reads the property. Arguments arrive checked
    // against their types.
    std::function<DbusReply(DbusTarget&, const QVariantList&)> call;
    // Writes the property, its value checked against the type; empty for a
    // read-only property.
    std::function<DbusReply(DbusTarget&, const QVariant&)> set;
};

// The table of an interface's members. Calls, property access and the
// introspection data all come from it, so a member's name and types are
// written once. An argument of another type than the table's is refused
// with InvalidArgs before any member runs.
class DbusInterface {
public:
    DbusInterface(QString name, std::vector<DbusMember> members);

    const QString& name() const { return m_name; }
    // The <interface> element of the introspection data.
    QString introspection() const;

    DbusReply call(DbusTarget& target, const QString& member, const QString& signature,
                   const QVariantList& arguments) const;
    DbusReply get(DbusTarget& target, const QString& property) const;
    DbusReply set(DbusTarget& target, const QString& property, const QVariant& value) const;
    // Every property as a map from name to value; the first that raises
    // answers for all.
    DbusReply getAll(DbusTarget& target) const;

private:
    const DbusMember* find(const QString& name, bool property) const;

    QString m_name;
    std::vector<DbusMember> m_members;
};
