#pragma once

#include <QString>

// Opens a link of a memo (a URL, a mail address, a file) with the program
// the desktop associates with it. The text pane and the open-link command
// reach the desktop only through this, so that tests record instead.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    // False when the desktop could not open it.
    virtual bool openLink(const QString& target) = 0;
};

// The real one, through QDesktopServices. A target without a scheme is
// taken for a local file.
class DesktopLinkOpener : public LinkOpener {
public:
    bool openLink(const QString& target) override;
};
