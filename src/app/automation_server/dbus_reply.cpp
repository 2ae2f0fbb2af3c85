#include "app/automation_server/dbus_reply.h"

#include "app/automation_server/dbus_names.h"

DbusReply DbusReply::raised(const tidemark::AutomationError& error) {
    return failure(DbusName::kErrorPrefix + QLatin1Char('E') + QString::number(error.stringId),
                   QString::fromStdString(error.Message()));
}

DbusReply replyOf(const tidemark::Result<std::int32_t>& result) {
    return result ? DbusReply::of(int(result.Value())) : DbusReply::raised(result.Error());
}

DbusReply replyOf(const tidemark::Result<bool>& result) {
    return result ? DbusReply::of(result.Value()) : DbusReply::raised(result.Error());
}

DbusReply replyOf(const tidemark::Result<std::string>& result) {
    return result ? DbusReply::of(QString::fromStdString(result.Value()))
                  : DbusReply::raised(result.Error());
}

DbusReply replyOf(const tidemark::Status& status) {
    return status ? DbusReply::nothing() : DbusReply::raised(status.Error());
}

std::string utf8Of(const QVariant& text) {
    return text.toString().toStdString();
}
