#include "app/script/script_objects.h"

#include <QJSEngine>

#include "core/automation/file_object.h"
#include "core/automation/item_node_object.h"
#include "core/automation/item_text_object.h"
#include "core/automation/note_object.h"
#include "core/automation/note_service.h"

using tidemark::AutomationError;
using tidemark::ItemHandle;
using tidemark::Result;
using tidemark::Status;

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

std::string toUtf8(const QString& text) {
    return text.toStdString();
}

}  // namespace

void ScriptBridge::raise(const AutomationError& error) const {
    const QString text = QString::fromStdString(error.Message());
    QJSValue thrown = m_engine.newErrorObject(QJSValue::GenericError, text);
    thrown.setProperty(QStringLiteral("description"), text);
    thrown.setProperty(QStringLiteral("number"), double(error.stringId));
    thrown.setProperty(QStringLiteral("source"), QString::fromStdString(AutomationError::Source()));
    m_engine.throwError(thrown);
}

QJSValue ScriptBridge::wrap(QObject* object) const {
    // Without a parent the engine owns the object and collects it.
    return m_engine.newQObject(object);
}

QObject* ScriptBridge::wrapItem(const ItemHandle& item) const {
    if (!item)
        return nullptr;
    QObject* wrapper = item->IsText() ? static_cast<QObject*>(new ScriptItemText(*this, item))
                                      : new ScriptItemNode(*this, item);
    // Handed to the script as a member's result: the engine collects it.
    QJSEngine::setObjectOwnership(wrapper, QJSEngine::JavaScriptOwnership);
    return wrapper;
}

void ScriptBridge::releaseItem(ItemHandle item) const {
    m_released.push_back(std::move(item));
    if (m_released.size() >= kReleasedAtMost)
        releaseHeldItems();
}

void ScriptBridge::releaseHeldItems() const {
    if (!m_released.empty())
        onGui([] {});
}

// --- ScriptItem ---

ScriptItem::ScriptItem(const ScriptBridge& bridge, ItemHandle item)
    : m_bridge(bridge), m_item(std::move(item)) {}

ScriptItem::~ScriptItem() {
    // The item's reference belongs to the note's thread; it goes with the
    // next call there.
    if (m_item)
        m_bridge.releaseItem(std::move(m_item));
}

int ScriptItem::Id() const {
    return m_bridge.take(m_bridge.onGui([this] { return m_item->Id(); }));
}

int ScriptItem::Type() const {
    return m_bridge.take(m_bridge.onGui([this] { return m_item->Type(); }));
}

QString ScriptItem::Title() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_item->Title(); })));
}

void ScriptItem::SetTitle(const QString& text) {
    m_bridge.take(m_bridge.onGui([&] { return m_item->SetTitle(toUtf8(text)); }));
}

QString ScriptItem::Remarks() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_item->Remarks(); })));
}

void ScriptItem::SetRemarks(const QString& text) {
    m_bridge.take(m_bridge.onGui([&] { return m_item->SetRemarks(toUtf8(text)); }));
}

QString ScriptItem::Foreground() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_item->Foreground(); })));
}

void ScriptItem::SetForeground(const QString& colour) {
    m_bridge.take(m_bridge.onGui([&] { return m_item->SetForeground(toUtf8(colour)); }));
}

QString ScriptItem::Background() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_item->Background(); })));
}

void ScriptItem::SetBackground(const QString& colour) {
    m_bridge.take(m_bridge.onGui([&] { return m_item->SetBackground(toUtf8(colour)); }));
}

bool ScriptItem::StrikeOut() const {
    return m_bridge.take(m_bridge.onGui([this] { return m_item->StrikeOut(); }));
}

void ScriptItem::SetStrikeOut(bool on) {
    m_bridge.take(m_bridge.onGui([&] { return m_item->SetStrikeOut(on); }));
}

QString ScriptItem::ModifiedTime() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_item->ModifiedTime(); })));
}

bool ScriptItem::IsDeleted() const {
    return m_bridge.take(m_bridge.onGui([this] { return m_item->IsDeleted(); }));
}

bool ScriptItem::Exist(int position) const {
    return m_bridge.take(m_bridge.onGui([&] { return m_item->Exist(position); }));
}

QObject* ScriptItem::GetItem(int position) const {
    return m_bridge.wrapItem(
        m_bridge.take(m_bridge.onGui([&] { return m_item->GetItem(position); })));
}

QObject* ScriptItem::NewItem(int type, int position) {
    return m_bridge.wrapItem(
        m_bridge.take(m_bridge.onGui([&] { return m_item->NewItem(type, position); })));
}

void ScriptItem::DeleteItem() {
    m_bridge.take(m_bridge.onGui([this] { return m_item->DeleteItem(); }));
}

const tidemark::ItemObject* ScriptItem::itemOf(const QJSValue& value) {
    const auto* wrapper = qobject_cast<const ScriptItem*>(value.toQObject());
    return wrapper ? wrapper->handle().get() : nullptr;
}

void ScriptItem::MoveTo(const QJSValue& item, int position) {
    const tidemark::ItemObject* target = itemOf(item);
    m_bridge.take(m_bridge.onGui([&] { return m_item->MoveTo(target, position); }));
}

bool ScriptItem::IsParent(const QJSValue& item) const {
    const tidemark::ItemObject* other = itemOf(item);
    return m_bridge.take(m_bridge.onGui([&] { return m_item->IsParent(other); }));
}

// --- ScriptItemNode ---

ScriptItemNode::ScriptItemNode(const ScriptBridge& bridge, ItemHandle item)
    : ScriptItem(bridge, std::move(item)) {}

tidemark::ItemNodeObject& ScriptItemNode::node() const {
    return static_cast<tidemark::ItemNodeObject&>(*handle());
}

bool ScriptItemNode::Open() const {
    return m_bridge.take(m_bridge.onGui([this] { return node().Open(); }));
}

void ScriptItemNode::SetOpen(bool open) {
    m_bridge.take(m_bridge.onGui([&] { return node().SetOpen(open); }));
}

bool ScriptItemNode::Encrypted() const {
    return m_bridge.take(m_bridge.onGui([this] { return node().Encrypted(); }));
}

int ScriptItemNode::GetChildItemCount() const {
    return m_bridge.take(m_bridge.onGui([this] { return node().GetChildItemCount(); }));
}

QObject* ScriptItemNode::GetChildItem(int index) const {
    return m_bridge.wrapItem(
        m_bridge.take(m_bridge.onGui([&] { return node().GetChildItem(index); })));
}

// --- ScriptItemText ---

ScriptItemText::ScriptItemText(const ScriptBridge& bridge, ItemHandle item)
    : ScriptItem(bridge, std::move(item)) {}

tidemark::ItemTextObject& ScriptItemText::memo() const {
    return static_cast<tidemark::ItemTextObject&>(*handle());
}

QString ScriptItemText::Body() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return memo().Body(); })));
}

void ScriptItemText::SetBody(const QString& text) {
    m_bridge.take(m_bridge.onGui([&] { return memo().SetBody(toUtf8(text)); }));
}

bool ScriptItemText::WordWrap() const {
    return m_bridge.take(m_bridge.onGui([this] { return memo().WordWrap(); }));
}

void ScriptItemText::SetWordWrap(bool on) {
    m_bridge.take(m_bridge.onGui([&] { return memo().SetWordWrap(on); }));
}

bool ScriptItemText::UrlBody() const {
    return m_bridge.take(m_bridge.onGui([this] { return memo().UrlBody(); }));
}

void ScriptItemText::SetUrlBody(bool on) {
    m_bridge.take(m_bridge.onGui([&] { return memo().SetUrlBody(on); }));
}

bool ScriptItemText::UrlRemarks() const {
    return m_bridge.take(m_bridge.onGui([this] { return memo().UrlRemarks(); }));
}

void ScriptItemText::SetUrlRemarks(bool on) {
    m_bridge.take(m_bridge.onGui([&] { return memo().SetUrlRemarks(on); }));
}

// --- ScriptNote ---

ScriptNote::ScriptNote(const ScriptBridge& bridge, std::shared_ptr<tidemark::NoteObject> note)
    : m_bridge(bridge), m_note(std::move(note)) {}

ScriptNote::~ScriptNote() {
    if (m_note)
        m_bridge.onGui([this] { m_note.reset(); });
}

int ScriptNote::MEMO() const {
    return m_note->MEMO();
}
int ScriptNote::MEMOGROUP() const {
    return m_note->MEMOGROUP();
}
int ScriptNote::ROOT() const {
    return m_note->ROOT();
}
int ScriptNote::PARENT() const {
    return m_note->PARENT();
}
int ScriptNote::CHILD() const {
    return m_note->CHILD();
}
int ScriptNote::PREVIOUS() const {
    return m_note->PREVIOUS();
}
int ScriptNote::NEXT() const {
    return m_note->NEXT();
}

QString ScriptNote::FileName() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_note->FileName(); })));
}

QString ScriptNote::Remarks() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_note->Remarks(); })));
}

void ScriptNote::SetRemarks(const QString& caption) {
    m_bridge.take(m_bridge.onGui([&] { return m_note->SetRemarks(toUtf8(caption)); }));
}

QString ScriptNote::Foreground() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_note->Foreground(); })));
}

void ScriptNote::SetForeground(const QString& colour) {
    m_bridge.take(m_bridge.onGui([&] { return m_note->SetForeground(toUtf8(colour)); }));
}

QString ScriptNote::Background() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_note->Background(); })));
}

void ScriptNote::SetBackground(const QString& colour) {
    m_bridge.take(m_bridge.onGui([&] { return m_note->SetBackground(toUtf8(colour)); }));
}

QObject* ScriptNote::GetRootItem() const {
    return m_bridge.wrapItem(
        m_bridge.take(m_bridge.onGui([this] { return m_note->GetRootItem(); })));
}

int ScriptNote::GetItemCount() const {
    return m_bridge.take(m_bridge.onGui([this] { return m_note->GetItemCount(); }));
}

QObject* ScriptNote::GetFocusItem() const {
    return m_bridge.wrapItem(
        m_bridge.take(m_bridge.onGui([this] { return m_note->GetFocusItem(); })));
}

int ScriptNote::GetSelectedItemCount() const {
    return m_bridge.take(m_bridge.onGui([this] { return m_note->GetSelectedItemCount(); }));
}

QObject* ScriptNote::GetSelectedItem(int index) const {
    return m_bridge.wrapItem(
        m_bridge.take(m_bridge.onGui([&] { return m_note->GetSelectedItem(index); })));
}

QString ScriptNote::GetSelectedText() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_note->GetSelectedText(); })));
}

void ScriptNote::Save() {
    m_bridge.take(m_bridge.onGui([this] { return m_note->Save(); }));
}

void ScriptNote::SaveAs(const QString& path) {
    m_bridge.take(m_bridge.onGui([&] { return m_note->SaveAs(toUtf8(path)); }));
}

// --- ScriptFileObject ---

ScriptFileObject::ScriptFileObject(const ScriptBridge& bridge,
                                   std::shared_ptr<tidemark::FileObject> file)
    : m_bridge(bridge), m_file(std::move(file)) {}

ScriptFileObject::~ScriptFileObject() = default;

QString ScriptFileObject::FileName() const {
    return fromUtf8(m_bridge.take(m_file->FileName()));
}

int ScriptFileObject::Exist() const {
    return m_bridge.take(m_bridge.onGui([this] { return m_file->Exist(); }));
}

QString ScriptFileObject::Read() const {
    return fromUtf8(m_bridge.take(m_bridge.onGui([this] { return m_file->Read(); })));
}

void ScriptFileObject::Write(const QString& text) {
    m_bridge.take(m_bridge.onGui([&] { return m_file->Write(toUtf8(text)); }));
}

void ScriptFileObject::Delete() {
    m_bridge.take(m_bridge.onGui([this] { return m_file->Delete(); }));
}

// --- ScriptNoteService ---

ScriptNoteService::ScriptNoteService(const ScriptBridge& bridge)
    : m_bridge(bridge),
      m_service(std::make_unique<tidemark::NoteService>(bridge.files(), &bridge.settings())) {}

ScriptNoteService::~ScriptNoteService() = default;

int ScriptNoteService::Version() const {
    return m_service->Version();
}

QJSValue ScriptNoteService::New() {
    auto note = m_bridge.take(m_bridge.onGui([this] { return m_service->New(); }));
    if (!note)
        return QJSValue(QJSValue::NullValue);
    return m_bridge.wrap(new ScriptNote(m_bridge, std::move(note)));
}

QJSValue ScriptNoteService::Open(const QString& fileName) {
    auto note = m_bridge.take(m_bridge.onGui([&] { return m_service->Open(toUtf8(fileName)); }));
    if (!note)
        return QJSValue(QJSValue::NullValue);
    return m_bridge.wrap(new ScriptNote(m_bridge, std::move(note)));
}
