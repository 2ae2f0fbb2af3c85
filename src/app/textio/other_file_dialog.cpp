#include "app/textio/other_file_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/common/link_opener.h"
#include "app/textio/textio_texts.h"

namespace {

QLineEdit* readOnlyField(const QString& text, const char* name, QWidget* parent) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setCursorPosition(0);
    return field;
}

}  // namespace

OtherFileDialog::OtherFileDialog(const QString& path, LinkOpener& opener, QWidget* parent)
    : QDialog(parent), m_path(path) {
    setObjectName(QStringLiteral("otherFileDialog"));
    setWindowTitle(textioText("otherFile.title"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(textioText("otherFile.intro"), this));

    const QFileInfo info(path);
    auto* fields = new QFormLayout;
    fields->addRow(textioText("otherFile.name"), readOnlyField(info.fileName(), "fileName", this));
    fields->addRow(textioText("otherFile.folder"),
                   readOnlyField(QDir::toNativeSeparators(info.absolutePath()), "folder", this));
    layout->addLayout(fields);

    auto* open = new QPushButton(textioText("otherFile.open"), this);
    open->setObjectName(QStringLiteral("openFile"));
    open->setAutoDefault(false);
    connect(open, &QPushButton::clicked, this, [this, &opener] { opener.openLink(m_path); });
    layout->addWidget(open, 0, Qt::AlignLeft);

    m_asText = new QRadioButton(textioText("otherFile.asText"), this);
    m_asText->setObjectName(QStringLiteral("asText"));
    m_asLink = new QRadioButton(textioText("otherFile.asLink"), this);
    m_asLink->setObjectName(QStringLiteral("asLink"));
    m_skip = new QRadioButton(textioText("otherFile.skip"), this);
    m_skip->setObjectName(QStringLiteral("skip"));
    m_asText->setChecked(true);
    for (QRadioButton* choice : {m_asText, m_asLink, m_skip})
        layout->addWidget(choice);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(textioText("otherFile.ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QPushButton* abort =
        buttons->addButton(textioText("otherFile.abort"), QDialogButtonBox::RejectRole);
    abort->setObjectName(QStringLiteral("abort"));
    connect(buttons, &QDialogButtonBox::accepted, this, &OtherFileDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OtherFileDialog::reject);
    layout->addWidget(buttons);
}

ImportPrompts::OtherFileChoice OtherFileDialog::choice() const {
    using Choice = ImportPrompts::OtherFileChoice;
    if (result() != QDialog::Accepted)
        return Choice::kAbort;
    if (m_asText->isChecked())
        return Choice::kImportAsText;
    if (m_asLink->isChecked())
        return Choice::kLinkMemo;
    return Choice::kSkip;
}
