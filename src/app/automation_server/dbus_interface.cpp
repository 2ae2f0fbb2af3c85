#include "app/automation_server/dbus_interface.h"

#include <QDBusObjectPath>
#include <QMetaType>
#include <QVariantMap>

#include "app/automation_server/dbus_names.h"

namespace {

// Whether a value as QtDBus delivers it has the bus type `type`.
bool hasType(const QVariant& value, const QString& type) {
    const int id = value.metaType().id();
    if (type == QLatin1String("i"))
        return id == QMetaType::Int;
    if (type == QLatin1String("b"))
        return id == QMetaType::Bool;
    if (type == QLatin1String("s"))
        return id == QMetaType::QString;
    if (type == QLatin1String("o"))
        return id == qMetaTypeId<QDBusObjectPath>();
    return false;
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

}  // namespace

DbusInterface::DbusInterface(QString name, std::vector<DbusMember> members)
    : m_name(std::move(name)), m_members(std::move(members)) {}

const DbusMember* DbusInterface::find(const QString& name, bool property) const {
    for (const DbusMember& member : m_members) {
        if (member.property == property && member.name == name)
            return &member;
    }
    return nullptr;
}

QString DbusInterface::introspection() const {
    QString xml = QStringLiteral("  <interface name=\"%1\">\n").arg(escaped(m_name));
    for (const DbusMember& member : m_members) {
        if (member.property) {
            xml += QStringLiteral("    <property name=\"%1\" type=\"%2\" access=\"%3\"/>\n")
                       .arg(member.name, member.type,
                            member.set ? QStringLiteral("readwrite") : QStringLiteral("read"));
            continue;
        }
        xml += QStringLiteral("    <method name=\"%1\">\n").arg(member.name);
        for (const DbusMember::Argument& argument : member.arguments) {
            xml += QStringLiteral("      <arg name=\"%1\" type=\"%2\" direction=\"in\"/>\n")
                       .arg(argument.name, argument.type);
        }
        if (!member.type.isEmpty()) {
            xml += QStringLiteral("      <arg name=\"result\" type=\"%1\" direction=\"out\"/>\n")
                       .arg(member.type);
        }
        xml += QStringLiteral("    </method>\n");
    }
    return xml + QStringLiteral("  </interface>\n");
}

DbusReply DbusInterface::call(DbusTarget& target, const QString& member,
                              const QString& signature, const QVariantList& arguments) const {
    const DbusMember* found = find(member, false);
    if (!found) {
        return DbusReply::failure(DbusName::kUnknownMethod,
                                  QStringLiteral("%1 has no method %2").arg(m_name, member));
    }
    QString expected;
    for (const DbusMember::Argument& argument : found->arguments)
        expected += argument.type;
    bool typed = signature == expected && arguments.size() == qsizetype(found->arguments.size());
    for (qsizetype i = 0; typed && i < arguments.size(); ++i)
        typed = hasType(arguments[i], found->arguments[std::size_t(i)].type);
    if (!typed) {
        return DbusReply::failure(
            DbusName::kInvalidArgs,
            QStringLiteral("%1 takes \"%2\", not \"%3\"").arg(member, expected, signature));
    }
    return found->call(target, arguments);
}

DbusReply DbusInterface::get(DbusTarget& target, const QString& property) const {
    const DbusMember* found = find(property, true);
    if (!found) {
        return DbusReply::failure(DbusName::kUnknownProperty,
                                  QStringLiteral("%1 has no property %2").arg(m_name, property));
    }
    return found->call(target, {});
}

DbusReply DbusInterface::set(DbusTarget& target, const QString& property,
                             const QVariant& value) const {
    const DbusMember* found = find(property, true);
    if (!found) {
        return DbusReply::failure(DbusName::kUnknownProperty,
                                  QStringLiteral("%1 has no property %2").arg(m_name, property));
    }
    if (!found->set) {
        return DbusReply::failure(DbusName::kPropertyReadOnly,
                                  QStringLiteral("%1 is read-only").arg(property));
    }
    if (!hasType(value, found->type)) {
        return DbusReply::failure(
            DbusName::kInvalidArgs,
            QStringLiteral("%1 is of type \"%2\"").arg(property, found->type));
    }
    return found->set(target, value);
}

DbusReply DbusInterface::getAll(DbusTarget& target) const {
    QVariantMap values;
    for (const DbusMember& member : m_members) {
        if (!member.property)
            continue;
        DbusReply one = member.call(target, {});
        if (!one.ok())
            return one;
        values.insert(member.name, one.values.value(0));
    }
    return DbusReply::of(values);
}
