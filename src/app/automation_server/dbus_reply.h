#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <cstdint>
#include <string>

#include "core/automation/automation_error.h"

// What a member of an exported object answers: its out values, or an error
// as a D-Bus error name and text. Made and read on the server's thread.
struct DbusReply {
    QVariantList values;
    QString errorName;  // empty: the call succeeded
    QString errorText;

    bool ok() const { return errorName.isEmpty(); }

    static DbusReply nothing() { return {}; }
    static DbusReply of(QVariant value) { return {{std::move(value)}, {}, {}}; }
    static DbusReply failure(QString name, QString text) {
        return {{}, std::move(name), std::move(text)};
    }
    // The error the object layer raised: "org.corvane.Tidemark.Error.E<id>"
    // with its message text.
    static DbusReply raised(const tidemark::AutomationError& error);
};

// The bus forms of the object layer's outcomes: I4 as "i", booleans as "b",
// texts as UTF-8 "s".
DbusReply replyOf(const tidemark::Result<std::int32_t>& result);
DbusReply replyOf(const tidemark::Result<bool>& result);
DbusReply replyOf(const tidemark::Result<std::string>& result);
DbusReply replyOf(const tidemark::Status& status);

// A text argument as the object layer takes it (UTF-8).
std::string utf8Of(const QVariant& text);
