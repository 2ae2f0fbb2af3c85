#include "app/textio/dialog_import_prompts.h"

#include <QCursor>
#include <QGuiApplication>

#include "app/common/message_box.h"
#include "app/common/ui_strings.h"
#include "app/textio/other_file_dialog.h"

namespace {

// The normal arrow over whatever cursor is set, for as long as it lives.
class ArrowCursor {
public:
    ArrowCursor() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowCursor() { QGuiApplication::restoreOverrideCursor(); }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;
};

QString fillName(std::uint32_t id, const QString& name) {
    return name.isEmpty() ? uiText(id) : uiFormat(id, {utf8(name)});
}

}  // namespace

ImportPrompts::OtherFileChoice DialogImportPrompts::askOtherFile(const QString& path) {
    ArrowCursor arrow;
    OtherFileDialog dialog(path, m_opener, m_window);
    dialog.exec();
    return dialog.choice();
}

void DialogImportPrompts::showError(std::uint32_t stringId, const QString& name) {
    ArrowCursor arrow;
    showMessage(m_window, MessageKind::kError, fillName(stringId, name));
}

void DialogImportPrompts::showInformation(std::uint32_t stringId, const QString& name) {
    ArrowCursor arrow;
    showMessage(m_window, MessageKind::kInformation, fillName(stringId, name));
}

void DialogImportPrompts::showIoError(std::uint32_t code, const QString& path) {
    ArrowCursor arrow;
    reportIoError(m_window, code, path);
}
