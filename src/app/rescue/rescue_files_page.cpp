#include "app/rescue/rescue_files_page.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/common/file_dialog_filters.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/rescue/rescue_output_name.h"
#include "app/rescue/rescue_texts.h"

namespace {

constexpr std::uint32_t kChooseNoteTitle = 10049;
constexpr std::uint32_t kChooseOutputTitle = 10050;
constexpr std::uint32_t kAllFilesFilter = 10009;
constexpr std::uint32_t kNoNoteFile = 20093;
constexpr std::uint32_t kNoOutputFile = 20094;
constexpr std::uint32_t kSameFile = 20099;

// The longest head of `text` whose path bytes fit in `maxBytes`, never
// splitting a character.
QString cutPathToBytes(const QString& text, std::size_t maxBytes) {
    qsizetype end = 0;
    std::size_t bytes = 0;
    while (end < text.size()) {
        const qsizetype length = text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        bytes += pathToBytes(text.mid(end, length)).size();
        if (bytes > maxBytes)
            break;
        end += length;
    }
    return text.left(end);
}

std::size_t pathBytes(const QString& text) {
    return pathToBytes(text).size();
}

}  // namespace

// A name field that keeps what the user types or pastes within
// kMaxPathBytes path bytes. A name chosen in a file dialog is taken whole,
// and may be edited without being cut.
class RescueFilesPage::PathField : public QLineEdit {
public:
    PathField(QWidget* parent, const char* name) : QLineEdit(parent) {
        setObjectName(QString::fromLatin1(name));
        connect(this, &QLineEdit::textEdited, this, &PathField::fit);
    }

    void setChosenPath(const QString& path) {
        m_limit = std::max(pathBytes(path), static_cast<std::size_t>(kMaxPathBytes));
        setText(path);
    }

private:
    void fit(const QString& text) {
        if (pathBytes(text) <= m_limit)
            return;
        const int caret = cursorPosition();
        const QString kept = cutPathToBytes(text, m_limit);
        setText(kept);
        setCursorPosition(std::min(caret, static_cast<int>(kept.size())));
    }

    std::size_t m_limit = kMaxPathBytes;
};

namespace {

void prepare(QFileDialog& dialog, const char* name, std::uint32_t titleId, const QString& current) {
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(uiText(titleId));
    if (!current.isEmpty())
        dialog.selectFile(current);
}

}  // namespace

RescueFilesPage::RescueFilesPage(QWidget* parent)
    : QWizardPage(parent),
      m_noteFile(new PathField(this, "noteFile")),
      m_outputFile(new PathField(this, "outputFile")) {
    setObjectName(QStringLiteral("rescueFilesPage"));
    auto* column = new QVBoxLayout(this);
    auto* intro = new QLabel(rescueText("files.intro"), this);
    intro->setWordWrap(true);
    intro->setTextFormat(Qt::PlainText);
    column->addWidget(intro);

    auto* grid = new QGridLayout;
    const struct {
        QLineEdit* field;
        const char* label;
        const char* button;
        const char* buttonName;
        void (RescueFilesPage::*choose)();
    } rows[] = {
        {m_noteFile, "files.note", "files.chooseNote", "chooseNoteFile",
         &RescueFilesPage::chooseNoteFile},
        {m_outputFile, "files.output", "files.chooseOutput", "chooseOutputFile",
         &RescueFilesPage::chooseOutputFile},
    };
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(rescueText(r.label), this);
        label->setBuddy(r.field);
        auto* button = new QPushButton(rescueText(r.button), this);
        button->setObjectName(QString::fromLatin1(r.buttonName));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, r.choose);
        grid->addWidget(label, row, 0, 1, 2);
        grid->addWidget(r.field, row + 1, 0);
        grid->addWidget(button, row + 1, 1);
        row += 2;
    }
    column->addLayout(grid);
    column->addStretch();
}

QLineEdit* RescueFilesPage::noteFileField() const {
    return m_noteFile;
}

QLineEdit* RescueFilesPage::outputFileField() const {
    return m_outputFile;
}

QString RescueFilesPage::noteFile() const {
    return m_noteFile->text().trimmed();
}

QString RescueFilesPage::outputFile() const {
    return m_outputFile->text().trimmed();
}

void RescueFilesPage::chooseNoteFile() {
    QFileDialog dialog(this);
    prepare(dialog, "chooseNoteFileDialog", kChooseNoteTitle, noteFile());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(fileDialogFilters(UiStringId::kNoteFileFilter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().first();
    m_noteFile->setChosenPath(chosen);
    m_outputFile->setChosenPath(rescueOutputName(chosen));
}

void RescueFilesPage::chooseOutputFile() {
    QFileDialog dialog(this);
    prepare(dialog, "chooseOutputFileDialog", kChooseOutputTitle, outputFile());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(fileDialogFilters(kAllFilesFilter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_outputFile->setChosenPath(dialog.selectedFiles().first());
}

void RescueFilesPage::refuse(std::uint32_t messageId, QLineEdit* field) {
    showMessage(window(), MessageKind::kError, uiText(messageId));
    field->setFocus();
    field->selectAll();
}

bool RescueFilesPage::validatePage() {
    const QString note = noteFile();
    const QString output = outputFile();
    if (note.isEmpty()) {
        refuse(kNoNoteFile, m_noteFile);
        return false;
    }
    if (output.isEmpty()) {
        refuse(kNoOutputFile, m_outputFile);
        return false;
    }
    // The file lock would keep the note from being emptied, but its message
    // speaks of another program; name the actual mistake instead.
    const QFileInfo noteInfo(note);
    const QFileInfo outputInfo(output);
    if (noteInfo.exists() && outputInfo.exists() &&
        noteInfo.canonicalFilePath() == outputInfo.canonicalFilePath()) {
        refuse(kSameFile, m_outputFile);
        return false;
    }
    return true;
}
