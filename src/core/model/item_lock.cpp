#include "core/model/item_lock.h"

#include <vector>

#include "core/model/item_crypto.h"
#include "core/model/note.h"
#include "core/model/subtree_walk.h"

namespace tidemark {

bool EncryptItem(Item& item, const BlowfishCipher& cipher) {
    if (item.IsEncrypted()) return true;
    const std::string check = MakeCheckText(item.ModifiedTime());
    ByteString title = EncryptValue(cipher, check, item.Title().View());
    ByteString remarks = EncryptValue(cipher, check, item.StoredRemarks().View());
    auto* memo = dynamic_cast<Memo*>(&item);
    ByteString body;
    if (memo) body = EncryptValue(cipher, check, memo->Body().View());
    item.SetRawTitle(std::move(title));
    item.SetRawRemarks(std::move(remarks));
    if (memo) memo->SetRawBody(std::move(body));
    item.SetRawFlags(item.Flags() | ItemFlags::kEncrypted);
    return true;
}

bool DecryptItem(Item& item, const BlowfishCipher& cipher) {
    if (!item.IsEncrypted()) return true;
    std::optional<ByteString> title;
    std::string check;
    for (const std::string& candidate : CandidateCheckTexts(item.ModifiedTime())) {
        title = DecryptValue(cipher, candidate, item.Title().View());
        if (title) {
            check = candidate;
            break;
        }
    }
    if (!title) return false;
    std::optional<ByteString> remarks = DecryptValue(cipher, check, item.StoredRemarks().View());
    if (!remarks) return false;
    auto* memo = dynamic_cast<Memo*>(&item);
    std::optional<ByteString> body;
    if (memo) {
        body = DecryptValue(cipher, check, memo->Body().View());
        if (!body) return false;
    }
    item.SetRawTitle(std::move(*title));
    item.SetRawRemarks(std::move(*remarks));
    if (memo) memo->SetRawBody(std::move(*body));
    item.SetRawFlags(item.Flags() & ~ItemFlags::kEncrypted);
    return true;
}

bool EncryptItem(Item& item, const ByteString& password) {
    if (item.IsEncrypted()) return true;
    if (password.Size() < kMinPasswordLength) return false;
    return EncryptItem(item, BlowfishCipher(password.View()));
}

bool DecryptItem(Item& item, const ByteString& password) {
    if (!item.IsEncrypted()) return true;
    if (password.Size() < kMinPasswordLength) return false;
    return DecryptItem(item, BlowfishCipher(password.View()));
}

namespace {

// Depth first in child order: a child group's contents come right after it.
template <typename Apply>
bool ForGroupContents(Note& note, ItemId group, Apply&& apply) {
    if (!note.FindItem(group)) return false;
    const WalkEnd end = WalkSubtree(note, group, SubtreeWalk::Span::kBelow,
                                    [&](Item& item, const SubtreeWalk&) {
                                        if (!apply(item)) return WalkStep::kStop;
                                        return item.IsGroup() ? WalkStep::kEnter
                                                              : WalkStep::kSkipChildren;
                                    });
    return end != WalkEnd::kStopped;
}

}  // namespace

bool EncryptGroupContents(Note& note, ItemId group, const ByteString& password) {
    if (password.Size() < kMinPasswordLength) return false;
    const BlowfishCipher cipher(password.View());
    return ForGroupContents(note, group, [&](Item& item) { return EncryptItem(item, cipher); });
}

bool DecryptGroupContents(Note& note, ItemId group, const ByteString& password) {
    if (password.Size() < kMinPasswordLength) return false;
    const BlowfishCipher cipher(password.View());
    std::vector<Item*> decrypted;
    const bool done = ForGroupContents(note, group, [&](Item& item) {
        const bool wasEncrypted = item.IsEncrypted();
        if (!DecryptItem(item, cipher)) return false;
        if (wasEncrypted) decrypted.push_back(&item);
        return true;
    });
    // A group is either wholly open or wholly shut: when an item does not
    // decrypt (a damaged value, or items locked under another password), the
    // ones already opened are closed again rather than left plain below a
    // closed group.
    if (!done) {
        for (Item* item : decrypted) EncryptItem(*item, cipher);
    }
    return done;
}

}  // namespace tidemark
