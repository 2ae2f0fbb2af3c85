#include "app/textio/text_import.h"
#include "app/common/wait_cursor.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <memory>
#include <new>
#include <utility>

#include "app/common/qt_text.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/textio/internet_shortcut.h"
#include "core/common/error_code.h"
#include "core/common/sjis.h"
#include "core/file/file_system.h"
#include "core/model/item.h"
#include "core/model/note_host.h"
#include "core/settings/settings.h"

using namespace tidemark;

namespace {

constexpr std::uint32_t kUnstorableLeftOut = 12019;
constexpr std::uint32_t kNoGroupSelected = 20001;
constexpr std::uint32_t kGroupLockedAgainstAdding = 20082;
constexpr std::uint32_t kFileTooLarge = 20086;

// ImportOtherFiles
constexpr int kAskForEach = 1;
constexpr int kLinkToFile = 3;
// LinkPlace
constexpr int kLinkInRemarks = 1;

// An internet shortcut is a few lines; a larger file is read only this far.
constexpr std::uint64_t kShortcutReadCap = std::uint64_t{1} << 20;

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

struct TextImporter::Batch {
    bool mayAsk = false;
    bool ended = false;    // stopped by the user or by a lack of memory
    bool changed = false;  // some item was placed
    QString lost;          // characters left out of titles and links
    // The folders being imported, outermost first, as canonical paths.
    std::vector<QString> folders;
    std::vector<ItemId> tops;
};

TextImporter::TextImporter(Note& note, const Settings& settings, SelectionSource& selection,
                           ItemViewUpdater& views, ImportPrompts& prompts, FileSystem& files)
    : m_note(note),
      m_settings(settings),
      m_selection(selection),
      m_views(views),
      m_prompts(prompts),
      m_files(files) {}

bool TextImporter::readOnly() const {
    return m_note.Host() != nullptr && m_note.Host()->IsReadOnly();
}

ImportPlace TextImporter::focusPlace() const {
    const ItemId focused = m_selection.groupListIsFocusWindow() ? m_selection.groupListFocused()
                                                                : m_selection.memoListFocused();
    if (focused != kNoItem && focused != m_note.RootId() && m_note.FindItem(focused))
        return ImportPlace{focused, Placement::kBeside, Placement::kAfter};
    return ImportPlace{m_note.RootId(), Placement::kInside, Placement::kAfter};
}

std::vector<ItemId> TextImporter::importPaths(const QStringList& paths, const ImportPlace& where,
                                              bool mayAsk) {
    const Item* target = m_note.FindItem(where.target);
    if (readOnly() || !target)
        return {};
    if (m_note.IsLockedOut(where.target, where.relation)) {
        ItemId named = target->LockOwner();
        if ((where.relation == Placement::kInside && target->IsLockedGroup()) || named == kNoItem)
            named = where.target;
        const Item* group = m_note.FindItem(named);
        m_prompts.showError(kGroupLockedAgainstAdding,
                            toQString((group ? group : target)->Title()));
        return {};
    }
    if (where.relation == Placement::kInside && !target->IsGroup()) {
        m_prompts.showError(kNoGroupSelected, QString());
        return {};
    }
    m_views.commitEdits();

    Batch batch;
    batch.mayAsk = mayAsk;
    Cursor cursor{where.target, where.relation, where.order};
    {
        WaitCursor wait;
        for (const QString& path : paths) {
            if (batch.ended)
                break;
            importEntry(path, cursor, batch);
        }
    }
    if (!batch.lost.isEmpty())
        m_prompts.showInformation(kUnstorableLeftOut, batch.lost);
    if (batch.changed && m_note.Host())
        m_note.Host()->SetModified(true, true);
    return batch.tops;
}

ItemId TextImporter::memoFromInternetShortcut(const QString& path) {
    QString lost;
    bool ended = false;
    const ItemId memo = shortcutMemo(path, lost, ended);
    if (!lost.isEmpty())
        m_prompts.showInformation(kUnstorableLeftOut, lost);
    return memo;
}

bool TextImporter::isTextExtension(const QString& suffix) const {
    if (suffix.isEmpty())
        return false;
    const QStringList extensions = toQString(m_settings.ImportExtensions).split(u';');
    return std::any_of(extensions.begin(), extensions.end(), [&suffix](const QString& e) {
        return e.trimmed().compare(suffix, Qt::CaseInsensitive) == 0;
    });
}

ByteString TextImporter::titleFor(const QString& name, QString& lost) {
    QString left;
    ByteString title = fromQString(name, &left);
    lost += left;
    title.Resize(SafeCutLength(title.View(), kMaxTitleBytes));
    return title;
}

void TextImporter::importEntry(const QString& path, Cursor& cursor, Batch& batch) {
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (info.isDir()) {
        importFolder(info.absoluteFilePath(), cursor, batch);
        return;
    }
    // Devices, pipes and sockets are no files to read.
    if (!info.isFile())
        return;

    const QString file = info.absoluteFilePath();
    ItemId memo = kNoItem;
    if (info.suffix().compare(QStringLiteral("url"), Qt::CaseInsensitive) == 0) {
        memo = shortcutMemo(file, batch.lost, batch.ended);
    } else if (isTextExtension(info.suffix())) {
        memo = textMemo(file, batch.lost, batch.ended);
    } else {
        switch (otherFileChoice(file, batch)) {
            case ImportPrompts::OtherFileChoice::kImportAsText:
                memo = textMemo(file, batch.lost, batch.ended);
                break;
            case ImportPrompts::OtherFileChoice::kLinkMemo:
                memo = linkMemo(file, batch.lost, batch.ended);
                break;
            case ImportPrompts::OtherFileChoice::kSkip:
                break;
            case ImportPrompts::OtherFileChoice::kAbort:
                batch.ended = true;
                break;
        }
    }
    if (memo != kNoItem)
        place(memo, cursor, batch);
}

void TextImporter::importFolder(const QString& path, Cursor& cursor, Batch& batch) {
    const QFileInfo info(path);
    // A folder reached again through a link inside itself would never end.
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() ||
        std::find(batch.folders.begin(), batch.folders.end(), canonical) != batch.folders.end()) {
        return;
    }
    QDir folder(path);
    if (!folder.isReadable()) {
        m_prompts.showIoError(ErrorCode::kAccessDenied, shownPath(path));
        return;
    }
    const QString name = info.fileName().isEmpty() ? shownPath(path) : info.fileName();
    const ItemId group = newItem(ItemType::kGroup, titleFor(name, batch.lost), batch.ended);
    if (group == kNoItem)
        return;
    m_note.FindItem(group)->SetOpen(true);
    place(group, cursor, batch);

    const QFileInfoList entries = folder.entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    batch.folders.push_back(canonical);
    Cursor inside{group, Placement::kInside, Placement::kAfter};
    for (const QFileInfo& entry : entries) {
        if (batch.ended)
            break;
        importEntry(entry.absoluteFilePath(), inside, batch);
    }
    batch.folders.pop_back();
}

ImportPrompts::OtherFileChoice TextImporter::otherFileChoice(const QString& path,
                                                             const Batch& batch) {
    switch (m_settings.ImportOtherFiles) {
        case kAskForEach:
            return batch.mayAsk ? m_prompts.askOtherFile(shownPath(path))
                                : ImportPrompts::OtherFileChoice::kSkip;
        case kLinkToFile:
            return ImportPrompts::OtherFileChoice::kLinkMemo;
        default:
            return ImportPrompts::OtherFileChoice::kSkip;
    }
}

ItemId TextImporter::textMemo(const QString& path, QString& lost, bool& ended) {
    std::string body;
    switch (readFile(path, 0, body)) {
        case ReadResult::kRead:
            break;
        case ReadResult::kNoMemory:
            ended = true;
            return kNoItem;
        default:
            return kNoItem;
    }
    const ItemId memo = newItem(ItemType::kMemo, titleFor(QFileInfo(path).fileName(), lost), ended);
    if (memo != kNoItem)
        static_cast<Memo*>(m_note.FindItem(memo))->SetRawBody(ByteString(std::move(body)));
    return memo;
}

ItemId TextImporter::linkMemo(const QString& path, QString& lost, bool& ended) {
    const ItemId memo = newItem(ItemType::kMemo, titleFor(QFileInfo(path).fileName(), lost), ended);
    if (memo == kNoItem)
        return kNoItem;
    QString left;
    setLink(memo, fromQString(shownPath(path), &left));
    lost += left;
    return memo;
}

ItemId TextImporter::shortcutMemo(const QString& path, QString& lost, bool& ended) {
    std::string content;
    switch (readFile(path, kShortcutReadCap, content)) {
        case ReadResult::kRead:
            break;
        case ReadResult::kNoMemory:
            ended = true;
            return kNoItem;
        default:
            return kNoItem;
    }
    const ItemId memo =
        newItem(ItemType::kMemo, titleFor(QFileInfo(path).completeBaseName(), lost), ended);
    if (memo != kNoItem)
        setLink(memo, ByteString(internetShortcutUrl(content)));
    return memo;
}

ItemId TextImporter::newItem(ItemType type, ByteString title, bool& ended) {
    const ItemId id = m_note.CreateItem(type);
    if (id == kNoItem) {
        reportOutOfMemory(kNoFreeItemId);
        ended = true;
        return kNoItem;
    }
    m_note.FindItem(id)->SetRawTitle(std::move(title));
    return id;
}

void TextImporter::setLink(ItemId memo, ByteString link) {
    Item* item = m_note.FindItem(memo);
    if (m_settings.LinkPlace == kLinkInRemarks) {
        item->SetRawRemarks(std::move(link));
        item->SetRawFlags(item->Flags() | ItemFlags::kHasRemarks);
        item->SetRemarksLink(true);
    } else {
        static_cast<Memo*>(item)->SetRawBody(std::move(link));
        item->SetBodyLink(true);
    }
}

void TextImporter::place(ItemId item, Cursor& cursor, Batch& batch) {
    Item* target = m_note.FindItem(cursor.target);
    if (cursor.relation == Placement::kInside && target && !target->IsOpen()) {
        target->SetOpen(true);
        m_views.itemChanged(cursor.target);
    }
    if (!m_note.InsertItems(item, cursor.target, cursor.relation, cursor.order, true)) {
        m_note.DeleteItems(item, 1);
        batch.ended = true;
        return;
    }
    m_note.InheritLockOwner(item, cursor.target, cursor.relation);
    m_views.itemInserted(item);
    if (batch.folders.empty())
        batch.tops.push_back(item);
    batch.changed = true;
    cursor = Cursor{item, Placement::kBeside, Placement::kAfter};
}

TextImporter::ReadResult TextImporter::readFile(const QString& path, std::uint64_t cap,
                                                std::string& bytes) {
    std::unique_ptr<FileHandle> handle;
    const FileOpenMode mode{FileAccess::kRead, FileLock::kNone, FileDisposition::kOpenExisting};
    std::uint32_t code = m_files.Open(pathToBytes(path), mode, handle);
    if (code == ErrorCode::kFileNotFound || code == ErrorCode::kPathNotFound)
        return ReadResult::kGone;
    std::uint64_t size = 0;
    if (code == ErrorCode::kSuccess)
        code = handle->Size(size);
    if (code != ErrorCode::kSuccess) {
        m_prompts.showIoError(code, shownPath(path));
        return ReadResult::kFailed;
    }
    if (cap != 0) {
        size = std::min(size, cap);
    } else if (size > kMaxBodyBytes) {
        m_prompts.showError(kFileTooLarge, shownPath(path));
        return ReadResult::kTooLarge;
    }
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        if (size > kSmallFileBytes) {
            m_prompts.showError(kFileTooLarge, shownPath(path));
            return ReadResult::kTooLarge;
        }
        reportOutOfMemory(kOutOfMemoryBody);
        return ReadResult::kNoMemory;
    }
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        std::size_t done = 0;
        code = handle->Read(bytes.data() + filled, bytes.size() - filled, done);
        if (code != ErrorCode::kSuccess) {
            m_prompts.showIoError(code, shownPath(path));
            return ReadResult::kFailed;
        }
        if (done == 0)
            break;  // the file became shorter since its size was taken
        filled += done;
    }
    bytes.resize(filled);
    return ReadResult::kRead;
}

void TextImporter::reportOutOfMemory(std::uint32_t place) {
    if (m_note.Host())
        m_note.Host()->ReportOutOfMemory(place);
}
