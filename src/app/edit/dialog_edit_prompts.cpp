#include "app/edit/dialog_edit_prompts.h"

#include <QColorDialog>
#include <QWidget>

#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/edit/caption_dialog.h"
#include "app/edit/password_dialog.h"
#include "app/edit/remarks_dialog.h"
#include "app/edit/sort_dialog.h"

using namespace tidemark;

namespace {

constexpr std::uint32_t kConfirmDelete = 13002;

QColor toQColor(Colour c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
Colour fromQColor(const QColor& c) {
    return MakeColour(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                      static_cast<std::uint8_t>(c.blue()));
}

QString fillName(std::uint32_t id, const QString& name) {
    return name.isEmpty() ? uiText(id) : uiFormat(id, {utf8(name)});
}

}  // namespace

bool DialogEditPrompts::confirmDelete() {
    // Asked in the name of the window whose items go, with a warning: there
    // is no way back.
    const QString caption = m_window ? m_window->window()->windowTitle() : QString();
    return showMessage(m_window, MessageKind::kWarningQuestion, uiText(kConfirmDelete), caption) ==
           QMessageBox::Yes;
}

void DialogEditPrompts::showError(std::uint32_t stringId, const QString& name) {
    showMessage(m_window, MessageKind::kError, fillName(stringId, name));
}

void DialogEditPrompts::showInformation(std::uint32_t stringId, const QString& name) {
    showMessage(m_window, MessageKind::kInformation, fillName(stringId, name));
}

std::optional<Colour> DialogEditPrompts::chooseColour(std::optional<Colour> initial,
                                                      std::array<Colour, 16>& custom) {
    // The custom colours are process-wide in Qt; the note's set goes in and
    // comes back out around each dialog.
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, toQColor(custom[i]));
    QColorDialog dialog(initial ? toQColor(*initial) : QColor(Qt::white), m_window);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i)
        custom[i] = fromQColor(QColorDialog::customColor(i));
    if (!chosen)
        return std::nullopt;
    return fromQColor(dialog.selectedColor());
}

bool DialogEditPrompts::chooseSort(const QString& groupTitle, const QString& remarksCaption,
                                   SortChoice& choice) {
    SortDialog dialog(groupTitle, remarksCaption, choice, m_window);
    QObject::connect(&dialog, &SortDialog::helpRequested, &dialog, [this] {
        if (m_openHelp)
            m_openHelp(SortDialog::kHelpTopic);
    });
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    return true;
}

std::optional<QString> DialogEditPrompts::editRemarks(const QString& current) {
    RemarksDialog dialog(current, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.text();
}

std::optional<QString> DialogEditPrompts::editCaption(const QString& current) {
    CaptionDialog dialog(current, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.caption();
}

std::optional<ByteString> DialogEditPrompts::AskPassword(const ByteString& groupTitle,
                                                         bool confirm) {
    return DialogLockDialogs(m_window).AskPassword(groupTitle, confirm);
}

void DialogEditPrompts::ShowMessage(std::uint32_t stringId, const ByteString& name) {
    showMessage(m_window, MessageKind::kError, fillName(stringId, toQString(name)));
}
