#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "app/textio/import_prompts.h"
#include "core/common/byte_string.h"
#include "core/model/item_id.h"
#include "core/model/note.h"

class ItemViewUpdater;
class SelectionSource;

namespace tidemark {
class FileSystem;
class Settings;
}  // namespace tidemark

// Where a batch of imported items goes: the first one relative to `target`
// by `relation` and `order` (tidemark::Placement), each further one right
// after the one before, so that the batch keeps the order of its paths.
struct ImportPlace {
    tidemark::ItemId target = tidemark::kNoItem;
    int relation = tidemark::Placement::kBeside;
    int order = tidemark::Placement::kAfter;
};

// Files and folders becoming items of the note: a folder becomes a memo
// group holding its entries (in name order), an internet shortcut (".url")
// a memo linking to its URL, a file with one of the text extensions
// (Settings::ImportExtensions) a memo holding the file's bytes as its body,
// and any other file what Settings::ImportOtherFiles says (ask, a memo
// linking to the file, or nothing). Links go into the body or the remarks
// by Settings::LinkPlace.
//
// Each new item is shown in the lists as it is placed, and the note is
// marked modified once at the end through its host. Nothing is imported
// while the note is read-only, or into or beside anything inside a memo
// group locked shut. Files are read through `files`; folders are listed
// with Qt. Entries that are neither files nor folders (devices, pipes) are
// passed over, as are missing files and folders that lead back to one being
// imported (a link to an enclosing folder).
//
// Everything passed in must outlive the object.
class TextImporter {
public:
    // Places of the note's own error report (message 20070) for memory that ran out.
    static constexpr std::uint32_t kOutOfMemoryBody = 7101;
    static constexpr std::uint32_t kNoFreeItemId = 7102;
    // The largest body a file may give: a note stores lengths as signed 32-bit sizes.
    static constexpr std::uint64_t kMaxBodyBytes = 0x7FFFFFFF;
    // A file above this size whose body cannot be allocated is called too large;
    // a smaller one means memory has run out.
    static constexpr std::uint64_t kSmallFileBytes = 64000;

    TextImporter(tidemark::Note& note, const tidemark::Settings& settings,
                 SelectionSource& selection, ItemViewUpdater& views, ImportPrompts& prompts,
                 tidemark::FileSystem& files);

    // The place of the import command: after the focused item of the list
    // that is the focus window, or the end of the root when it has none.
    ImportPlace focusPlace() const;

    // Imports `paths` (absolute paths of files and folders) at `place`, in
    // their order. `mayAsk` allows the question about other files; without
    // it such files follow the setting, with "ask" read as "skip". Returns
    // the items placed at `place` itself (not those inside new groups), in
    // order; none when the place was refused.
    std::vector<tidemark::ItemId> importPaths(const QStringList& paths, const ImportPlace& place,
                                              bool mayAsk);

    // A new memo, not yet placed, linking to the URL of the internet
    // shortcut at `path` and titled with its name without extension. 0 when
    // the file could not be read (the reason was shown) or the note could
    // take no further item.
    tidemark::ItemId memoFromInternetShortcut(const QString& path);

private:
    struct Batch;
    struct Cursor {
        tidemark::ItemId target;
        int relation;
        int order;
    };
    enum class ReadResult { kRead, kGone, kFailed, kTooLarge, kNoMemory };

    bool readOnly() const;
    bool isTextExtension(const QString& suffix) const;
    // The title of an item named `name`, cut to the title limit; characters
    // the note cannot hold are added to `lost`.
    static tidemark::ByteString titleFor(const QString& name, QString& lost);

    void importEntry(const QString& path, Cursor& cursor, Batch& batch);
    void importFolder(const QString& path, Cursor& cursor, Batch& batch);
    ImportPrompts::OtherFileChoice otherFileChoice(const QString& path, const Batch& batch);
    // The memos of the batch, not yet placed; 0 when there is none to place
    // (the reason was shown, and `ended` set when the batch must stop).
    tidemark::ItemId textMemo(const QString& path, QString& lost, bool& ended);
    tidemark::ItemId linkMemo(const QString& path, QString& lost, bool& ended);
    tidemark::ItemId shortcutMemo(const QString& path, QString& lost, bool& ended);
    tidemark::ItemId newItem(tidemark::ItemType type, tidemark::ByteString title, bool& ended);
    void setLink(tidemark::ItemId memo, tidemark::ByteString link);
    // Links `item` in at `cursor` and shows it; the cursor moves on to it.
    void place(tidemark::ItemId item, Cursor& cursor, Batch& batch);

    // Reads the file at `path` into `bytes`: all of it, or with `cap` set at
    // most its first `cap` bytes. Every result but kRead and kGone (the file
    // is missing) has been reported.
    ReadResult readFile(const QString& path, std::uint64_t cap, std::string& bytes);
    void reportOutOfMemory(std::uint32_t place);

    tidemark::Note& m_note;
    const tidemark::Settings& m_settings;
    SelectionSource& m_selection;
    ItemViewUpdater& m_views;
    ImportPrompts& m_prompts;
    tidemark::FileSystem& m_files;
};
