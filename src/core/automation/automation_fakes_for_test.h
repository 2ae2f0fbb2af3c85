#pragma once
// A window for tests of the automation objects: its own note on a fixed
// clock, a host that counts the changes it is told of and locks groups for
// real, and settings the new-item rule reads.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/automation/automation_window.h"
#include "core/automation/item_node_object.h"
#include "core/automation/item_text_object.h"
#include "core/automation/note_object.h"
#include "core/automation/window_automation.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/settings/settings.h"

namespace tidemark {

class CountingHost : public NoteHost {
public:
    void SetModified(bool modified, bool byUser) override {
        if (modified && byUser)
            ++modifiedMarks;
    }
    void ReportOutOfMemory(std::uint32_t) override {}
    bool EncryptGroupContents(ItemId group, const ByteString& password) override {
        return note && tidemark::EncryptGroupContents(*note, group, password);
    }
    bool DecryptGroupContents(ItemId group, const ByteString& password) override {
        return note && tidemark::DecryptGroupContents(*note, group, password);
    }
    bool IsReadOnly() const override { return readOnly; }
    const Settings* GetOptions() const override { return &options; }

    Note* note = nullptr;
    bool readOnly = false;
    int modifiedMarks = 0;
    Settings options;
};

class FakeWindow : public AutomationWindow {
public:
    FakeWindow() { Replace(); }
    Note& WindowNote() override { return *note; }
    NoteHost& WindowHost() override { return host; }
    bool IsReadOnly() const override { return host.readOnly; }
    std::string FilePath() const override { return path; }

    // A fresh note, as File > New gives the window.
    void Replace() {
        note = std::make_unique<Note>(&host, &clock);
        note->MakeNew(ByteString("root"));
        host.note = note.get();
    }

    FixedClock clock{MakeTime(2004, 5, 6, 13, 45, 7)};
    CountingHost host;
    std::unique_ptr<Note> note;
    std::string path;
};

// The window's note through its objects, with helpers that build trees in
// the model directly.
class WindowNoteTest : public ::testing::Test {
protected:
    FakeWindow window;
    std::unique_ptr<WindowAutomation> automation = std::make_unique<WindowAutomation>(window);
    std::shared_ptr<NoteObject> note = automation->GetNote();

    Note& model() { return *window.note; }
    ItemId rootId() { return model().RootId(); }
    Item& at(ItemId id) { return *model().FindItem(id); }
    ItemId add(ItemId parent, ItemType type, const std::string& title) {
        const ItemId id = model().CreateItem(type);
        at(id).SetRawTitle(ByteString(title));
        if (type == ItemType::kGroup)
            at(id).SetOpen(true);
        model().InsertItems(id, parent, Placement::kInside, Placement::kAfter, true);
        return id;
    }
    ItemId group(ItemId parent, const std::string& title) {
        return add(parent, ItemType::kGroup, title);
    }
    ItemId memo(ItemId parent, const std::string& title) {
        return add(parent, ItemType::kMemo, title);
    }
    // A locked group holding one memo, shut: its contents encrypted, no password held.
    ItemId shutLockedGroup(ItemId parent, const std::string& title) {
        const ItemId id = group(parent, title);
        memo(id, "secret");
        EXPECT_TRUE(EncryptGroupContents(model(), id, ByteString("pass")));
        at(id).SetRawFlags(at(id).Flags() | ItemFlags::kLocked);
        model().SetLockOwner(id, id, true);
        at(id).SetOpen(false);
        return id;
    }
    // A locked group that is open: its password held.
    ItemId openLockedGroup(ItemId parent, const std::string& title) {
        const ItemId id = group(parent, title);
        memo(id, "inside");
        at(id).SetRawFlags(at(id).Flags() | ItemFlags::kLocked);
        model().SetLockOwner(id, id, true);
        at(id).SetPassword(ByteString("pass"));
        return id;
    }

    // The object for an item, reached the way a script reaches it: down
    // from the root through GetItem.
    ItemHandle object(ItemId id) { return find(rootObject(), id); }
    std::shared_ptr<ItemNodeObject> node(ItemId id) {
        return std::dynamic_pointer_cast<ItemNodeObject>(object(id));
    }
    std::shared_ptr<ItemTextObject> text(ItemId id) {
        return std::dynamic_pointer_cast<ItemTextObject>(object(id));
    }
    std::shared_ptr<ItemNodeObject> rootObject() {
        return std::dynamic_pointer_cast<ItemNodeObject>(note->GetRootItem().Value());
    }

private:
    ItemHandle find(const ItemHandle& from, ItemId id) {
        if (!from)
            return nullptr;
        if (from->Id().Value() == static_cast<std::int32_t>(id))
            return from;
        for (ItemHandle child = from->GetItem(AutomationConstant::kChild).Value(); child;
             child = child->GetItem(AutomationConstant::kNext).Value()) {
            if (ItemHandle found = find(child, id))
                return found;
        }
        return nullptr;
    }
};

// The id a failed member raised; 0 when it did not fail.
template <class R>
std::uint32_t ErrorOf(const R& result) {
    return result.Ok() ? 0 : result.Error().stringId;
}

}  // namespace tidemark
