#include "app/frame/shortcuts/shortcut_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstring>

#include "app/common/byte_limit.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/common/unstorable_notice.h"
#include "app/frame/shortcuts/desktop_entry.h"
#include "app/frame/shortcuts/shortcut_texts.h"
#include "app/frame/window_title.h"
#include "core/common/shortcut_name.h"
#include "core/common/sjis.h"

namespace {

namespace Msg {
constexpr std::uint32_t kReplaceShortcut = 13003;
constexpr std::uint32_t kNoName = 20016;
constexpr std::uint32_t kNameTooLong = 20017;
constexpr std::uint32_t kCreateFailed = 20018;
constexpr std::uint32_t kForbiddenChar = 20019;
}  // namespace Msg

}  // namespace

ShortcutDialog::ShortcutDialog(const QString& notePath, const QString& program, ShortcutPlace place,
                               QWidget* parent)
    : QDialog(parent),
      m_notePath(notePath),
      m_program(program),
      m_name(new QLineEdit(this)),
      m_places(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("shortcutDialog"));
    setWindowTitle(shortcutText("dialog.title"));
    auto* column = new QVBoxLayout(this);

    auto* label = new QLabel(shortcutText("dialog.name"), this);
    label->setBuddy(m_name);
    column->addWidget(label);
    m_name->setObjectName(QStringLiteral("shortcutName"));
    column->addWidget(m_name);
    auto* unstorable = new UnstorableNotice(this);
    column->addWidget(unstorable);
    limitToBytes(m_name, static_cast<int>(tidemark::kShortcutNameMaxBytes),
                 [unstorable](const QString& lost) { unstorable->report(lost); });
    m_name->setText(noteDisplayName(notePath));

    const struct {
        ShortcutPlace place;
        const char* key;
        const char* objectName;
    } places[] = {
        {ShortcutPlace::kDesktop, "dialog.desktop", "placeDesktop"},
        {ShortcutPlace::kMenu, "dialog.menu", "placeMenu"},
        {ShortcutPlace::kStartup, "dialog.startup", "placeStartup"},
    };
    for (const auto& p : places) {
        auto* button = new QRadioButton(shortcutText(p.key), this);
        button->setObjectName(QLatin1String(p.objectName));
        m_places->addButton(button, static_cast<int>(p.place));
        column->addWidget(button);
    }
    QAbstractButton* chosen = m_places->button(static_cast<int>(place));
    (chosen ? chosen : m_places->button(static_cast<int>(ShortcutPlace::kDesktop)))
        ->setChecked(true);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    m_help = buttons->button(QDialogButtonBox::Help);
    m_help->setObjectName(QStringLiteral("help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ShortcutDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &ShortcutDialog::helpRequested);
    column->addWidget(buttons);
    m_name->setFocus();
    m_name->selectAll();
}

ShortcutPlace ShortcutDialog::place() const {
    return static_cast<ShortcutPlace>(m_places->checkedId());
}

void ShortcutDialog::setHelpAvailable(bool available) {
    m_help->setEnabled(available);
}

void ShortcutDialog::accept() {
    if (createShortcut())
        QDialog::accept();
}

bool ShortcutDialog::createShortcut() {
    // The field keeps to CP932 and to kShortcutNameMaxBytes already; the cut
    // only guards that limit.
    const tidemark::ByteString typed = fromQString(m_name->text());
    const std::string_view bytes = typed.View().substr(
        0, tidemark::SafeCutLength(typed.View(), tidemark::kShortcutNameMaxBytes));
    const tidemark::ShortcutNameCheck check = tidemark::CheckShortcutName(bytes);
    switch (check.problem) {
        case tidemark::ShortcutNameProblem::kEmpty:
            showMessage(this, MessageKind::kError, uiText(Msg::kNoName));
            return false;
        case tidemark::ShortcutNameProblem::kForbidden:
            showMessage(this, MessageKind::kError,
                        uiText(Msg::kForbiddenChar) + QStringLiteral("\r\n\r\n") +
                            QString::fromStdString(tidemark::ShortcutForbiddenCharList()));
            return false;
        case tidemark::ShortcutNameProblem::kNone:
            break;
    }
    const QString name = toQString(check.name);
    const QString folder = shortcutFolder(place());
    // The path is counted in the bytes the file system is given (UTF-8, so
    // a kana takes three, not its two CP932 bytes): the folder's bytes, 1
    // for "/", the name's bytes, 8 for ".desktop" and 1 for a terminator
    // together may not pass 260 - the count of a ".lnk" path, whose 6 are
    // "\", ".lnk" and the terminator, with the longer extension.
    if (!tidemark::ShortcutPathFits(pathToBytes(folder).size(), pathToBytes(name).size(),
                                    std::strlen(kDesktopEntryExtension))) {
        showMessage(this, MessageKind::kError, uiText(Msg::kNameTooLong));
        return false;
    }
    const QString path = folder + u'/' + name + QLatin1String(kDesktopEntryExtension);
    if (QFileInfo::exists(path) && showMessage(this, MessageKind::kWarningQuestion,
                                               uiText(Msg::kReplaceShortcut)) != QMessageBox::Yes) {
        return false;
    }
    if (!writeDesktopEntry(path, desktopEntryFor(name, m_program, m_notePath))) {
        showMessage(this, MessageKind::kError, uiText(Msg::kCreateFailed));
        return false;
    }
    return true;
}
