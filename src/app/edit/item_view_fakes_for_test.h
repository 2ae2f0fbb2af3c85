#pragma once
// Stand-ins for the window in tests of code that changes the tree: the
// note's host, the lists' selection, and a record of the row updates.

#include <cstdint>
#include <vector>

#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "core/model/group_lock_commands.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"
#include "core/model/note_host.h"

// A host that counts modified marks and failure reports; with `note` set,
// memo groups are encrypted and decrypted for real.
class FakeHost : public tidemark::NoteHost {
public:
    void SetModified(bool modified, bool) override { modifiedMarks += modified ? 1 : 0; }
    void ReportOutOfMemory(std::uint32_t code) override { failures.push_back(code); }
    bool EncryptGroupContents(tidemark::ItemId group,
                              const tidemark::ByteString& password) override {
        return note && tidemark::EncryptGroupContents(*note, group, password);
    }
    bool DecryptGroupContents(tidemark::ItemId group,
                              const tidemark::ByteString& password) override {
        return note && tidemark::DecryptGroupContents(*note, group, password);
    }
    bool IsReadOnly() const override { return readOnly; }
    const tidemark::Settings* GetOptions() const override { return nullptr; }

    tidemark::Note* note = nullptr;
    bool readOnly = false;
    int modifiedMarks = 0;
    std::vector<std::uint32_t> failures;
};

class FakeSelection : public SelectionSource {
public:
    tidemark::ItemId memoListFocused() const override { return memoFocus; }
    bool groupListIsFocusWindow() const override { return groupListFocus; }
    tidemark::ItemId groupListFocused() const override { return groupFocus; }
    std::vector<tidemark::ItemId> selectedItems() const override { return selected; }
    std::vector<tidemark::ItemId> targets() const override { return selected; }

    tidemark::ItemId memoFocus = tidemark::kNoItem;
    bool groupListFocus = false;
    tidemark::ItemId groupFocus = tidemark::kNoItem;
    std::vector<tidemark::ItemId> selected;
};

class RecordingViews : public ItemViewUpdater {
public:
    void commitEdits() override { ++commits; }
    tidemark::ItemId openMemo() const override { return open; }
    void closeOpenMemo() override { open = tidemark::kNoItem; }
    void itemInserted(tidemark::ItemId item) override { inserted.push_back(item); }
    void itemChanged(tidemark::ItemId item, bool) override { changed.push_back(item); }
    void itemRemoving(tidemark::ItemId item) override { removed.push_back(item); }
    void childrenReordered(tidemark::ItemId group) override { reordered.push_back(group); }
    void afterRemoval() override { ++removals; }
    void beginEditingNew(tidemark::ItemId item, bool bodyFirst) override {
        editing = item;
        editingBodyFirst = bodyFirst;
    }
    void memoPaneChanged() override {}
    void noteViewChanged() override { ++viewChanges; }

    tidemark::ItemId open = tidemark::kNoItem;
    int commits = 0;
    int removals = 0;
    int viewChanges = 0;
    std::vector<tidemark::ItemId> inserted, changed, removed, reordered;
    tidemark::ItemId editing = tidemark::kNoItem;
    bool editingBodyFirst = false;
};
