#include "app/common/message_box.h"

#include "app/common/ui_strings.h"
#include "core/file/io_error_message.h"

QMessageBox::StandardButton showMessage(QWidget* owner, MessageKind kind, const QString& text,
                                        const QString& caption) {
    QMessageBox box(owner);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowTitle(caption.isEmpty() ? uiText(UiStringId::kProductName) : caption);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setTextFormat(Qt::PlainText);
    switch (kind) {
        case MessageKind::kError:
            box.setIcon(QMessageBox::Critical);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageKind::kInformation:
            box.setIcon(QMessageBox::NoIcon);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageKind::kQuestion:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageKind::kQuestionOrCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case MessageKind::kWarningQuestion:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void reportIoError(QWidget* owner, std::uint32_t code, const QString& path) {
    const std::string text = tidemark::IoErrorMessage(code, utf8(path));
    showMessage(owner, MessageKind::kError, QString::fromStdString(text));
}
