#include "app/find/find_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/common/byte_limit.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/find/find_texts.h"
#include "core/search/text_matcher.h"

namespace {

using tidemark::SearchOptions;
using tidemark::TextMatcher;

constexpr std::uint32_t kEnterSearchText = 20014;
constexpr std::uint32_t kInvalidRegex = 20013;
constexpr std::uint32_t kUnstorableLeftOut = 12019;

// The longest search text, in CP932 bytes.
constexpr int kMaxSearchBytes = 1024;

QLineEdit* titleField(const QString& title, QWidget* parent) {
    auto* field = new QLineEdit(title, parent);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

}  // namespace

FindDialog::FindDialog(FindDirection direction, SearchOptions options, const QString& text,
                       const QString& groupTitle, QWidget* parent)
    : QDialog(parent) {
    const bool down = direction == FindDirection::kDown;
    setObjectName(down ? QStringLiteral("findDownDialog") : QStringLiteral("findUpDialog"));
    setWindowTitle(findText(down ? "title.down" : "title.up"));
    auto* layout = new QVBoxLayout(this);

    auto* textRow = new QHBoxLayout;
    auto* textLabel = new QLabel(findText("text"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findText"));
    textLabel->setBuddy(m_text);
    limitToBytes(m_text, kMaxSearchBytes, [this](const QString& lost) {
        QToolTip::showText(m_text->mapToGlobal(QPoint(0, m_text->height())),
                           uiFormat(kUnstorableLeftOut, {utf8(lost)}), m_text);
    });
    m_text->setText(text);
    m_text->selectAll();
    textRow->addWidget(textLabel);
    textRow->addWidget(m_text, 1);
    layout->addLayout(textRow);

    m_matchCase = new QCheckBox(findText("matchCase"), this);
    m_matchCase->setChecked(options.Has(SearchOptions::kMatchCase));
    layout->addWidget(m_matchCase);

    // Oniguruma has no approximate matching: the fuzzy box stays off.
    auto* regexRow = new QHBoxLayout;
    m_regex = new QCheckBox(findText("regex"), this);
    m_regex->setChecked(options.Has(SearchOptions::kRegex));
    m_fuzzy = new QCheckBox(findText("fuzzy"), this);
    m_fuzzy->setChecked(false);
    m_fuzzy->setEnabled(false);
    m_fuzzy->setToolTip(findText("fuzzy.unavailable"));
    regexRow->addWidget(m_regex);
    regexRow->addWidget(m_fuzzy);
    regexRow->addStretch();
    layout->addLayout(regexRow);
    auto* engineRow = new QHBoxLayout;
    engineRow->addWidget(new QLabel(findText("engine"), this));
    m_engine = new QLabel(
        QStringLiteral("V") + QString::fromStdString(tidemark::RegexEngineVersion()), this);
    engineRow->addWidget(m_engine);
    engineRow->addStretch();
    layout->addLayout(engineRow);

    auto* scope = new QGridLayout;
    m_inGroup = new QCheckBox(findText("inGroup"), this);
    m_noDescend = new QCheckBox(findText("noDescend"), this);
    scope->addWidget(m_inGroup, 0, 0, 1, 2);
    scope->addWidget(titleField(groupTitle, this), 0, 2);
    scope->addItem(new QSpacerItem(16, 0), 1, 0);
    scope->addWidget(m_noDescend, 1, 1, 1, 2);
    layout->addLayout(scope);

    auto* target = new QGroupBox(this);
    auto* targetLayout = new QHBoxLayout(target);
    m_targetBoth = new QRadioButton(findText("target.both"), target);
    m_targetTitles = new QRadioButton(findText("target.titles"), target);
    m_targetBodies = new QRadioButton(findText("target.bodies"), target);
    targetLayout->addWidget(m_targetBoth);
    targetLayout->addWidget(m_targetTitles);
    targetLayout->addWidget(m_targetBodies);
    targetButton(options.Target())->setChecked(true);
    layout->addWidget(target);

    auto* start = new QGroupBox(this);
    auto* startLayout = new QGridLayout(start);
    m_startHere = new QRadioButton(findText("start.here"), start);
    m_startGroup = new QRadioButton(findText(down ? "start.groupTop" : "start.groupEnd"), start);
    m_startNote = new QRadioButton(findText(down ? "start.noteTop" : "start.noteEnd"), start);
    startLayout->addWidget(m_startHere, 0, 0, 1, 2);
    startLayout->addWidget(m_startGroup, 1, 0);
    startLayout->addWidget(titleField(groupTitle, start), 1, 1);
    startLayout->addWidget(m_startNote, 2, 0, 1, 2);
    startButton(options.Start())->setChecked(true);
    layout->addWidget(start);

    // The scope box decides what the start and descend controls offer.
    m_inGroup->setChecked(options.Has(SearchOptions::kInGroupOnly));
    m_noDescend->setChecked(m_inGroup->isChecked() && options.Has(SearchOptions::kNoDescend));
    inGroupToggled(m_inGroup->isChecked());
    connect(m_inGroup, &QCheckBox::toggled, this, &FindDialog::inGroupToggled);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Ok)->setText(findText("find"));
    buttons->button(QDialogButtonBox::Cancel)->setText(findText("cancel"));
    buttons->button(QDialogButtonBox::Help)->setText(findText("help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FindDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &FindDialog::helpRequested);
    layout->addWidget(buttons);
    m_text->setFocus();
}

FindDialog::~FindDialog() = default;

void FindDialog::inGroupToggled(bool on) {
    if (on) {
        if (m_startNote->isChecked())
            m_startGroup->setChecked(true);
    } else {
        m_noDescend->setChecked(false);
    }
    m_noDescend->setEnabled(on);
    m_startNote->setEnabled(!on);
}

QRadioButton* FindDialog::targetButton(std::uint32_t target) const {
    switch (target) {
        case SearchOptions::kTitles:
            return m_targetTitles;
        case SearchOptions::kBodies:
            return m_targetBodies;
        default:
            return m_targetBoth;
    }
}

QRadioButton* FindDialog::startButton(std::uint32_t start) const {
    switch (start) {
        case SearchOptions::kStartAtGroup:
            return m_startGroup;
        case SearchOptions::kStartAtNote:
            return m_startNote;
        default:
            return m_startHere;
    }
}

QString FindDialog::searchText() const {
    return m_text->text();
}

SearchOptions FindDialog::options() const {
    SearchOptions chosen;
    if (m_targetTitles->isChecked()) {
        chosen.bits |= SearchOptions::kTitles;
    } else if (m_targetBodies->isChecked()) {
        chosen.bits |= SearchOptions::kBodies;
    } else {
        chosen.bits |= SearchOptions::kTitles | SearchOptions::kBodies;
    }
    if (m_startGroup->isChecked()) {
        chosen.SetStart(SearchOptions::kStartAtGroup);
    } else if (m_startNote->isChecked()) {
        chosen.SetStart(SearchOptions::kStartAtNote);
    } else {
        chosen.SetStart(SearchOptions::kStartHere);
    }
    chosen.Set(SearchOptions::kInGroupOnly, m_inGroup->isChecked());
    chosen.Set(SearchOptions::kNoDescend, m_noDescend->isChecked());
    chosen.Set(SearchOptions::kMatchCase, m_matchCase->isChecked());
    chosen.Set(SearchOptions::kRegex, m_regex->isChecked());
    chosen.Set(SearchOptions::kFuzzy, m_regex->isChecked() && m_fuzzy->isChecked());
    return chosen;
}

std::unique_ptr<TextMatcher> FindDialog::takeMatcher() {
    return std::move(m_matcher);
}

void FindDialog::accept() {
    const QString text = m_text->text();
    if (text.isEmpty()) {
        showMessage(this, MessageKind::kError, uiText(kEnterSearchText));
        m_text->setFocus();
        return;
    }
    const SearchOptions chosen = options();
    std::uint32_t flags = 0;
    if (!chosen.Has(SearchOptions::kMatchCase))
        flags |= TextMatcher::kFoldCase;
    if (chosen.Has(SearchOptions::kRegex))
        flags |= TextMatcher::kRegex;
    if (chosen.Has(SearchOptions::kFuzzy))
        flags |= TextMatcher::kFuzzy;
    auto matcher = std::make_unique<TextMatcher>(flags, fromQString(text).View());
    if (!matcher->IsValid()) {
        // Only a regular expression can be refused here; nothing is searched
        // with it.
        showMessage(this, MessageKind::kError,
                    uiFormat(kInvalidRegex, {utf8(toQString(matcher->ErrorText()))}));
        m_text->setFocus();
        m_text->selectAll();
        return;
    }
    m_matcher = std::move(matcher);
    QDialog::accept();
}
