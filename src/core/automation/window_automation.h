#pragma once

#include <memory>

#include "core/automation/automation_window.h"
#include "core/automation/note_object.h"

namespace tidemark {

class WindowNoteLink;

// A main window's side of automation: the window makes one for itself and
// keeps it as long as it lives. Objects handed out may outlive it; once it
// is destroyed they answer as deleted (20059).
//
// While a script runs, the window changes nothing in its note: the members
// run on the script's thread against it.
class WindowAutomation {
public:
    explicit WindowAutomation(AutomationWindow& window);
    ~WindowAutomation();
    WindowAutomation(const WindowAutomation&) = delete;
    WindowAutomation& operator=(const WindowAutomation&) = delete;

    // The window's note (ITMScript.GetNote).
    std::shared_ptr<NoteObject> GetNote() const;

    // Around a script run: what its GetFocusItem, GetSelectedItem… answer.
    void BeginRun(const RunSnapshot& snapshot);
    void EndRun();

private:
    std::shared_ptr<WindowNoteLink> m_link;
};

}  // namespace tidemark
