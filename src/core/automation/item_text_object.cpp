#include "core/automation/item_text_object.h"

#include <limits>
#include <new>

#include "core/automation/automation_text.h"
#include "core/automation/note_link.h"
#include "core/model/item.h"

namespace tidemark {

namespace {

// Where memory ran out, as the window reports it.
constexpr std::uint32_t kBodyGetMemory = 304;
constexpr std::uint32_t kBodyPutMemory = 347;

// A note stores a body's length as a signed 32-bit count.
constexpr std::size_t kMaxBodyBytes = std::numeric_limits<std::int32_t>::max();

}  // namespace

ItemTextObject::ItemTextObject(std::shared_ptr<NoteLink> link, RefPtr<Item> item)
    : ItemObject(std::move(link), std::move(item)) {}

Memo* ItemTextObject::LiveMemo() const {
    return static_cast<Memo*>(Live());
}

Result<std::string> ItemTextObject::Body() const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    try {
        return TextOutOfNote(WithoutCr(LiveMemo()->Body()));
    } catch (const std::bad_alloc&) {
        Link()->ReportOutOfMemory(kBodyGetMemory);
        return RaiseWithNumber(AutomationErrorId::kOutOfMemory, kBodyGetMemory);
    }
}

Status ItemTextObject::SetBody(std::string_view text) {
    if (auto refusal = Refuse(kReadOnly | kDeleted | kPlain))
        return *refusal;
    try {
        Result<ByteString> bytes = TextIntoNote(WithCrLf(text));
        if (!bytes)
            return bytes.Error();
        if (bytes.Value().Size() > kMaxBodyBytes)
            return Raise(AutomationErrorId::kBodyTooLong);
        LiveMemo()->SetBody(std::move(bytes).Value());
    } catch (const std::bad_alloc&) {
        Link()->ReportOutOfMemory(kBodyPutMemory);
        return RaiseWithNumber(AutomationErrorId::kOutOfMemory, kBodyPutMemory);
    }
    Changed();
    return {};
}

Result<bool> ItemTextObject::WordWrap() const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    return LiveMemo()->WordWrap();
}

Status ItemTextObject::SetWordWrap(bool on) {
    if (auto refusal = Refuse(kReadOnly | kDeleted))
        return *refusal;
    LiveMemo()->SetWordWrap(on);
    Changed();
    return {};
}

Result<bool> ItemTextObject::UrlBody() const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    return LiveMemo()->IsBodyLink();
}

Status ItemTextObject::SetUrlBody(bool on) {
    if (auto refusal = Refuse(kReadOnly | kDeleted))
        return *refusal;
    LiveMemo()->SetBodyLink(on);
    Changed();
    return {};
}

Result<bool> ItemTextObject::UrlRemarks() const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    return LiveMemo()->IsRemarksLink();
}

Status ItemTextObject::SetUrlRemarks(bool on) {
    if (auto refusal = Refuse(kReadOnly | kDeleted))
        return *refusal;
    LiveMemo()->SetRemarksLink(on);
    Changed();
    return {};
}

}  // namespace tidemark
