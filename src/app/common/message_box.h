#pragma once

#include <QMessageBox>
#include <QString>
#include <cstdint>

// The kinds of message the program shows; a box is titled with the product
// name unless it is given a caption of its own.
enum class MessageKind {
    kError,             // stop icon, OK
    kInformation,       // no icon, OK
    kQuestion,          // question icon, Yes and No
    kQuestionOrCancel,  // question icon, Yes, No and Cancel
    kWarningQuestion,   // warning icon, Yes and No
};

// Shows a message box over `owner` (may be null) and returns the button
// that closed it. The one way the program puts a message in front of the
// user.
QMessageBox::StandardButton showMessage(QWidget* owner, MessageKind kind, const QString& text,
                                        const QString& caption = QString());

// The message for a failed file operation on `path` (IoError code), as an
// error box.
void reportIoError(QWidget* owner, std::uint32_t code, const QString& path);
