#include "core/automation/window_automation.h"

#include "core/automation/note_link.h"

namespace tidemark {

WindowAutomation::WindowAutomation(AutomationWindow& window)
    : m_link(std::make_shared<WindowNoteLink>(window)) {}

WindowAutomation::~WindowAutomation() {
    m_link->Disconnect();
}

std::shared_ptr<NoteObject> WindowAutomation::GetNote() const {
    return std::make_shared<NoteObject>(m_link);
}

void WindowAutomation::BeginRun(const RunSnapshot& snapshot) {
    m_link->SetSnapshot(snapshot);
}

void WindowAutomation::EndRun() {
    m_link->ClearSnapshot();
}

}  // namespace tidemark
