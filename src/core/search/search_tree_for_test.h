#pragma once

// A small note for the search tests (test code only).

#include <string>
#include <vector>

#include "core/model/item.h"
#include "core/model/item_lock.h"
#include "core/model/note_test_support.h"

namespace tidemark {

// root
// ├─ alpha (memo: "one")
// ├─ beta (group)
// │   ├─ gamma (memo: "two\r\nfind")
// │   └─ find group (group)
// │       └─ epsilon (memo: "find")
// ├─ find box (locked group, shut)
// │   └─ find secret (memo: "find me", held encrypted)
// └─ zeta (memo: "find")
class SearchTreeFixture : public NoteFixture {
protected:
    void SetUp() override {
        NoteFixture::SetUp();
        alpha = Memo(root, "alpha", "one");
        beta = AddGroup(note, root, "beta");
        gamma = Memo(beta, "gamma", "two\r\nfind");
        findGroup = AddGroup(note, beta, "find group");
        epsilon = Memo(findGroup, "epsilon", "find");
        box = AddGroup(note, root, "find box");
        secret = Memo(box, "find secret", "find me");
        zeta = Memo(root, "zeta", "find");
        note.FindItem(box)->SetRawFlags(ItemFlags::kLocked);
        note.SetLockOwner(box, box, true);
        ASSERT_TRUE(EncryptGroupContents(note, box, ByteString("pass")));
        note.FindItem(box)->SetOpen(false);
    }

    ItemId Memo(ItemId parent, const std::string& title, const std::string& body) {
        const ItemId id = AddMemo(note, parent, title);
        static_cast<tidemark::Memo*>(note.FindItem(id))->SetRawBody(ByteString(body));
        return id;
    }
    void SetBody(ItemId memo, const std::string& body) {
        static_cast<tidemark::Memo*>(note.FindItem(memo))->SetRawBody(ByteString(body));
    }
    std::string TitleOf(ItemId id) const { return note.FindItem(id)->Title().Str(); }

    ItemId alpha = kNoItem, beta = kNoItem, gamma = kNoItem, findGroup = kNoItem;
    ItemId epsilon = kNoItem, box = kNoItem, secret = kNoItem, zeta = kNoItem;
};

}  // namespace tidemark
