#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/automation/automation_error.h"
#include "core/automation/item_object.h"

namespace tidemark {

class Note;
class NoteLink;

// A note as clients see it (INote): the window's own note (from
// WindowAutomation) or a detached one (from NoteService). Texts and paths
// are UTF-8. Members of a window's note that has gone raise 20059.
class NoteObject {
public:
    explicit NoteObject(std::shared_ptr<NoteLink> link);
    NoteObject(const NoteObject&) = delete;
    NoteObject& operator=(const NoteObject&) = delete;

    std::int32_t MEMO() const { return AutomationConstant::kMemo; }
    std::int32_t MEMOGROUP() const { return AutomationConstant::kMemoGroup; }
    std::int32_t ROOT() const { return AutomationConstant::kRoot; }
    std::int32_t PARENT() const { return AutomationConstant::kParent; }
    std::int32_t CHILD() const { return AutomationConstant::kChild; }
    std::int32_t PREVIOUS() const { return AutomationConstant::kPrevious; }
    std::int32_t NEXT() const { return AutomationConstant::kNext; }

    // The window's current file, or the detached note's own path ("" for none).
    Result<std::string> FileName() const;
    // The caption of the remarks column ("" while the standard one is shown).
    Result<std::string> Remarks() const;
    // Stored without leading and trailing blanks; a text of blanks only raises 20047.
    Status SetRemarks(std::string_view caption);
    Result<std::string> Foreground() const;
    Status SetForeground(std::string_view colour);
    Result<std::string> Background() const;
    Status SetBackground(std::string_view colour);
    Result<ItemHandle> GetRootItem() const;
    // Every item but the root.
    Result<std::int32_t> GetItemCount() const;
    // These four answer from the snapshot of the running script
    // (WindowAutomation::BeginRun); a detached note has none.
    Result<ItemHandle> GetFocusItem() const;
    Result<std::int32_t> GetSelectedItemCount() const;
    Result<ItemHandle> GetSelectedItem(std::int32_t index) const;
    Result<std::string> GetSelectedText() const;
    // Only for detached notes: the window saves its own note.
    Status Save();
    Status SaveAs(std::string_view path);

    bool IsDetached() const;

private:
    Note* LiveNote() const;
    Status SetColour(std::string_view colour, bool background);
    Status SaveTo(const std::string& path);

    std::shared_ptr<NoteLink> m_link;
};

}  // namespace tidemark
