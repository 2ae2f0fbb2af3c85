// tidemark-tool dump: the whole note as one JSON object.
#include <cstdio>
#include <vector>

#include "core/common/colour_code.h"
#include "core/common/cp932_codec.h"
#include "core/common/error_code.h"
#include "core/file/io_error_message.h"
#include "json_writer.h"
#include "tool_command.h"
#include "tool_note_io.h"

namespace tidemark::tool {

namespace {

std::string TimeText(const SystemTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.milliseconds);
    return text;
}

std::string HexText(const ByteString& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text = "hex:";
    for (std::size_t i = 0; i < bytes.Size(); ++i) {
        text += kDigits[bytes.At(i) >> 4];
        text += kDigits[bytes.At(i) & 0xF];
    }
    return text;
}

class NoteDumper {
public:
    NoteDumper(const Note& note, JsonWriter& json) : m_note(note), m_json(json) {}

    void DumpNote() {
        const NoteViewSettings& view = m_note.View();
        m_json.BeginObject();
        m_json.Key("file_version");
        m_json.Number(m_note.FileVersionRead());
        m_json.Key("last_id");
        m_json.Number(m_note.LastId());
        m_json.Key("item_count");
        m_json.Number(m_note.ItemCount());
        m_json.Key("root_id");
        m_json.Number(m_note.RootId());
        m_json.Key("current_id");
        m_json.Number(m_note.CurrentItemId());
        m_json.Key("window");
        m_json.BeginObject();
        Int("left", view.windowLeft);
        Int("top", view.windowTop);
        Int("width", view.windowWidth);
        Int("height", view.windowHeight);
        m_json.Key("maximized");
        m_json.Bool(view.maximized != 0);
        m_json.EndObject();
        Int("layout", view.layout);
        Int("splitter", view.splitter);
        m_json.Key("columns");
        m_json.BeginObject();
        Int("title", view.titleColumnWidth);
        Int("remarks", view.remarksColumnWidth);
        Int("modified", view.modifiedColumnWidth);
        Int("body", view.bodyColumnWidth);
        m_json.EndObject();
        m_json.Key("custom_colors");
        m_json.BeginArray();
        for (Colour c : view.customColours) m_json.String(ColourToCode(c));
        m_json.EndArray();
        m_json.Key("text_color");
        m_json.String(ColourToCode(view.textColour));
        m_json.Key("background_color");
        m_json.String(ColourToCode(view.backgroundColour));
        m_json.Key("remarks_caption");
        m_json.String(Cp932ToUtf8(view.remarksCaption.View()));
        Int("window_flags", view.windowFlags);
        m_json.Key("recent_memos");
        m_json.BeginArray();
        for (ItemId id : view.recentMemos) m_json.Number(id);
        m_json.EndArray();
        m_json.Key("root");
        if (const Item* root = m_note.FindItem(m_note.RootId())) {
            DumpItem(*root);
        } else {
            m_json.BeginObject();
            m_json.EndObject();
        }
        m_json.EndObject();
    }

private:
    void Int(const char* key, std::int64_t value) {
        m_json.Key(key);
        m_json.Number(value);
    }

    // Plain text is shown as UTF-8; a value still encrypted as its bytes.
    void Text(const char* key, const Item& item, const ByteString& value) {
        m_json.Key(key);
        m_json.String(item.IsEncrypted() ? HexText(value) : Cp932ToUtf8(value.View()));
    }

    // Iterative on purpose: a deep tree must not exhaust the stack. Each
    // frame is a group whose "children" array is open.
    void DumpItem(const Item& top) {
        std::vector<const Item*> pendingChildren;  // next child to write, per open group
        OpenItem(top, pendingChildren);
        while (!pendingChildren.empty()) {
            const Item* next = pendingChildren.back();
            if (!next) {
                pendingChildren.pop_back();
                m_json.EndArray();
                m_json.EndObject();
                continue;
            }
            pendingChildren.back() = m_note.FindItem(next->links.next);
            OpenItem(*next, pendingChildren);
        }
    }

    void OpenItem(const Item& item, std::vector<const Item*>& pendingChildren) {
        m_json.BeginObject();
        Int("id", item.links.id);
        m_json.Key("type");
        m_json.String(item.IsMemo() ? "memo" : "group");
        Text("title", item, item.Title());
        Text("remarks", item, item.StoredRemarks());
        Int("flags", item.Flags());
        m_json.Key("open");
        m_json.Bool(item.IsOpen());
        m_json.Key("foreground");
        m_json.String(ColourToCode(item.ForegroundColour()));
        m_json.Key("background");
        m_json.String(ColourToCode(item.BackgroundColour()));
        m_json.Key("modified");
        m_json.String(TimeText(item.ModifiedTime()));
        m_json.Key("encrypted");
        m_json.Bool(item.IsEncrypted());
        Int("lock_owner", item.LockOwner());
        if (const auto* memo = dynamic_cast<const Memo*>(&item)) {
            Text("body", item, memo->Body());
            m_json.Key("word_wrap");
            m_json.Bool(memo->WordWrap());
            m_json.EndObject();
            return;
        }
        m_json.Key("children");
        m_json.BeginArray();
        pendingChildren.push_back(m_note.FindItem(item.links.firstChild));
    }

    const Note& m_note;
    JsonWriter& m_json;
};

}  // namespace

int RunDump(const ToolArguments& args) {
    if (args.positional.size() != 1) throw UsageError{"dump takes one FILE"};
    const std::string& path = args.positional[0];
    Note note;
    try {
        LoadNoteFile(note, path);
    } catch (const IoError& e) {
        std::fprintf(stderr, "%s\n", IoErrorMessage(e.Code(), path).c_str());
        return kExitFailed;
    }
    UnlockWithPasswords(note, args.passwords);
    std::string out;
    JsonWriter json(out);
    NoteDumper(note, json).DumpNote();
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kExitOk;
}

}  // namespace tidemark::tool
