#include "app/options/options_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/common/ui_strings.h"

namespace {

constexpr std::uint32_t kSheetTitle = 10019;  // "オプション"

}  // namespace

OptionsSheet::OptionsSheet(QWidget* parent)
    : QDialog(parent),
      m_tabs(new QTabWidget(this)),
      m_buttons(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this)) {
    setObjectName(QStringLiteral("optionsSheet"));
    setWindowTitle(uiText(kSheetTitle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_tabs->setObjectName(QStringLiteral("optionsTabs"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);

    connect(m_tabs, &QTabWidget::currentChanged, this, &OptionsSheet::tabChosen);
    connect(m_buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this,
            &OptionsSheet::okClicked);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (OptionsPage* shown = page(m_tabs->currentIndex()); shown && m_openHelp)
            m_openHelp(shown->helpTopic());
    });
}

void OptionsSheet::addPage(OptionsPage* page) {
    m_pages.push_back(page);
    m_tabs->addTab(page, page->title());
}

OptionsPage* OptionsSheet::page(int index) const {
    if (index < 0 || index >= pageCount())
        return nullptr;
    return m_pages[static_cast<std::size_t>(index)];
}

void OptionsSheet::tabChosen(int index) {
    if (m_turningBack)
        return;
    OptionsPage* left = page(m_shown);
    if (left && index != m_shown) {
        // The page checks itself while it is still the one shown, so that
        // the focus can go to the control at fault.
        m_turningBack = true;
        m_tabs->setCurrentIndex(m_shown);
        m_turningBack = false;
        if (!left->leave())
            return;
        m_turningBack = true;
        m_tabs->setCurrentIndex(index);
        m_turningBack = false;
    }
    m_shown = index;
}

void OptionsSheet::okClicked() {
    if (OptionsPage* shown = page(m_tabs->currentIndex()); shown && !shown->leave())
        return;
    accept();
}

void OptionsSheet::applyPages(OptionsTarget& target) {
    for (OptionsPage* each : m_pages)
        each->apply(target);
}
