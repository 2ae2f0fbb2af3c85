#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/options/options_page.h"

class QDialogButtonBox;
class QTabWidget;

// The options sheet ("オプション"): one tab per page, OK, Cancel and Help.
// Leaving a page (another tab, or OK) first asks the page; a page that
// refuses keeps the sheet on it. OK applies every page in order; Cancel
// applies nothing.
class OptionsSheet : public QDialog {
    Q_OBJECT
public:
    explicit OptionsSheet(QWidget* parent = nullptr);

    // Adds a page (the sheet owns it) as the next tab.
    void addPage(OptionsPage* page);
    // Help opens the current page's topic through `openHelp`.
    void setHelpOpener(std::function<void(int topic)> openHelp) {
        m_openHelp = std::move(openHelp);
    }

    QTabWidget* tabs() const { return m_tabs; }
    OptionsPage* page(int index) const;
    int pageCount() const { return static_cast<int>(m_pages.size()); }

    // After exec() returned Accepted: runs every page's apply().
    void applyPages(OptionsTarget& target);

private:
    void tabChosen(int index);
    void okClicked();

    QTabWidget* m_tabs;
    QDialogButtonBox* m_buttons;
    std::vector<OptionsPage*> m_pages;
    std::function<void(int)> m_openHelp;
    int m_shown = 0;
    bool m_turningBack = false;
};
