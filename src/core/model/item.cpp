#include "core/model/item.h"

#include "core/model/note.h"

namespace tidemark {

Item::Item(ItemType type, const SystemTime& created)
    : m_type(static_cast<std::uint32_t>(type)), m_modified(created) {}

void Item::Release() {
    if (--m_references == 0) {
        ForgetPassword();
        delete this;
    }
}

void Item::Touch() {
    if (IsEncrypted()) return;
    m_modified = m_note ? m_note->GetClock().Now() : SystemClock::Instance().Now();
}

void Item::SetFlag(std::uint32_t flag, bool on) {
    if (on) {
        m_flags |= flag;
    } else {
        m_flags &= ~flag;
    }
}

void Item::SetTitle(ByteString title) {
    m_title = std::move(title);
    Changed();
}

void Item::SetRemarks(ByteString remarks) {
    if (remarks.Empty()) {
        SetFlag(ItemFlags::kHasRemarks, false);
    } else {
        m_remarks = std::move(remarks);
        SetFlag(ItemFlags::kHasRemarks, true);
    }
    Changed();
}

void Item::SetTextColour(Colour colour) {
    m_foreground = colour;
    SetFlag(ItemFlags::kOwnTextColour, true);
    Changed();
}

void Item::ClearTextColour() {
    SetFlag(ItemFlags::kOwnTextColour, false);
    Changed();
}

void Item::SetBackgroundColour(Colour colour) {
    m_background = colour;
    SetFlag(ItemFlags::kOwnBackgroundColour, true);
    Changed();
}

void Item::ClearBackgroundColour() {
    SetFlag(ItemFlags::kOwnBackgroundColour, false);
    Changed();
}

void Item::SetStrikeOut(bool on) {
    SetFlag(ItemFlags::kStrikeOut, on);
    Changed();
}

void Item::SetBodyLink(bool on) {
    SetFlag(ItemFlags::kBodyLink, on);
    if (on) SetFlag(ItemFlags::kRemarksLink, false);
    Changed();
}

void Item::SetRemarksLink(bool on) {
    SetFlag(ItemFlags::kRemarksLink, on);
    if (on) SetFlag(ItemFlags::kBodyLink, false);
    Changed();
}

const ByteString& Item::Password() const {
    static const ByteString kNone;
    return m_password ? *m_password : kNone;
}

void Item::SetPassword(ByteString password) {
    ForgetPassword();
    if (!password.Empty()) m_password = std::make_unique<ByteString>(std::move(password));
}

void Item::ForgetPassword() {
    if (m_password) m_password->SecureClear();
    m_password.reset();
}

void Item::CopyFieldsTo(Item& clone) const {
    clone.links = links;
    clone.caches = caches;
    clone.m_title = m_title;
    clone.m_open = m_open;
    clone.m_foreground = m_foreground;
    clone.m_type = m_type;
    clone.m_modified = m_modified;
    clone.m_background = m_background;
    clone.m_flags = m_flags;
    clone.m_remarks = m_remarks;
    clone.m_lockOwner = m_lockOwner;
    clone.m_note = m_note;
}

RefPtr<Item> Item::Clone() const {
    auto clone = RefPtr<Item>::Adopt(new Item(Type(), m_modified));
    CopyFieldsTo(*clone);
    return clone;
}

void Memo::SetBody(ByteString body) {
    m_body = std::move(body);
    Changed();
}

void Memo::SetWordWrap(bool on) {
    m_wordWrap = on ? 1 : 0;
    Changed();
}

RefPtr<Item> Memo::Clone() const {
    auto clone = new Memo(ModifiedTime());
    CopyFieldsTo(*clone);
    clone->m_body = m_body;
    clone->m_wordWrap = m_wordWrap;
    return RefPtr<Item>::Adopt(clone);
}

const ByteString& BodyOf(const Item& item) {
    static const ByteString kEmpty;
    if (const auto* memo = dynamic_cast<const Memo*>(&item)) return memo->Body();
    return kEmpty;
}

}  // namespace tidemark
