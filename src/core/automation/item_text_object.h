#pragma once

#include "core/automation/item_object.h"

namespace tidemark {

class Memo;

// A memo, as clients see it (IItemText).
class ItemTextObject : public ItemObject {
public:
    ItemTextObject(std::shared_ptr<NoteLink> link, RefPtr<Item> item);

    bool IsText() const override { return true; }

    // Lines end in LF out here and in CR LF in the note.
    Result<std::string> Body() const;
    Status SetBody(std::string_view text);
    Result<bool> WordWrap() const;
    Status SetWordWrap(bool on);
    // The two link flags exclude each other: setting one clears the other.
    Result<bool> UrlBody() const;
    Status SetUrlBody(bool on);
    Result<bool> UrlRemarks() const;
    Status SetUrlRemarks(bool on);

private:
    Memo* LiveMemo() const;
};

}  // namespace tidemark
