#include "core/textio/text_exporter.h"

#include <new>
#include <string_view>
#include <vector>

#include "core/common/cp932_codec.h"
#include "core/common/error_code.h"
#include "core/common/time_text.h"
#include "core/file/byte_stream.h"
#include "core/model/note.h"
#include "core/strings/string_table.h"

namespace tidemark {
namespace {

constexpr std::uint32_t kStandardRemarksCaptionId = 11004;

// Gathers small pieces into chunks so that the stream sees a few large writes. A piece at
// least as large as a chunk goes to the stream directly, without a copy. After the first
// failed write everything else is dropped.
class ChunkedWriter {
public:
    explicit ChunkedWriter(ByteStream& out) : m_out(out) { m_buffer.reserve(kChunkSize); }

    bool Failed() const { return m_error != ErrorCode::kSuccess; }
    std::uint32_t Error() const { return m_error; }

    void Put(std::string_view bytes) {
        if (Failed() || bytes.empty())
            return;
        if (m_buffer.size() + bytes.size() > kChunkSize) {
            Flush();
            if (bytes.size() >= kChunkSize) {
                Send(bytes);
                return;
            }
        }
        m_buffer.append(bytes);
    }

    void Flush() {
        if (m_buffer.empty())
            return;
        Send(m_buffer);
        m_buffer.clear();
    }

private:
    static constexpr std::size_t kChunkSize = std::size_t{1} << 20;

    void Send(std::string_view bytes) {
        if (!Failed())
            m_error = m_out.Write(bytes.data(), bytes.size());
    }

    ByteStream& m_out;
    std::string m_buffer;
    std::uint32_t m_error = ErrorCode::kSuccess;
};

// A write-only stream that appends to a string, or only counts the bytes when given none.
class StringStream : public ByteStream {
public:
    explicit StringStream(std::string* text) : m_text(text) {}
    std::uint32_t OpenRead() override { return ErrorCode::kInvalidFunction; }
    std::uint32_t OpenWrite() override { return ErrorCode::kSuccess; }
    std::uint32_t Close() override { return ErrorCode::kSuccess; }
    std::uint32_t Write(const void* bytes, std::size_t count) override {
        if (m_text)
            m_text->append(static_cast<const char*>(bytes), count);
        m_count += count;
        return ErrorCode::kSuccess;
    }
    std::uint32_t Read(void*, std::size_t) override { return ErrorCode::kInvalidFunction; }
    std::uint32_t Flush() override { return ErrorCode::kSuccess; }

    std::size_t Count() const { return m_count; }

private:
    std::string* m_text;
    std::size_t m_count = 0;
};

class Exporter {
public:
    Exporter(const Note& note, const ExportFormats& formats, ByteStream& out)
        : m_note(note), m_formats(formats), m_writer(out), m_limit(note.Items().Size() + 1) {
        const bool wantsCaption = formats.memo.Uses(ExportTemplate::Field::kRemarksCaption) ||
                                  formats.group.Uses(ExportTemplate::Field::kRemarksCaption);
        if (wantsCaption)
            m_caption = RemarksCaption();
    }

    std::uint32_t Run(ItemId first) {
        Enter(first, 0);
        while (!m_stack.empty() && !m_writer.Failed()) {
            Frame& frame = m_stack.back();
            const auto pieces = frame.format->Pieces();
            if (frame.piece == pieces.size()) {
                // The item is written; its next sibling takes its place in the same chain.
                const Frame done = frame;
                m_stack.pop_back();
                Enter(done.item->links.next, done.chainPosition);
                continue;
            }
            const ExportTemplate::Piece& piece = pieces[frame.piece++];
            WritePiece(frame, piece);  // may push a frame: `frame` is not used after this
        }
        m_writer.Flush();
        return m_writer.Error();
    }

private:
    // One item being written: `item` is the chain's own item, `subject` the item whose data
    // goes out (the target when `item` is a reference).
    struct Frame {
        const Item* item;
        const Item* subject;
        const ExportTemplate* format;
        std::size_t piece;
        std::size_t chainPosition;  // items of this chain taken so far, this one included
    };

    // The remarks column's name: the note's own caption, or the standard one.
    std::string RemarksCaption() const {
        const ByteString& own = m_note.View().remarksCaption;
        if (!own.Empty())
            return own.Str();
        return Utf8ToCp932(StringById(kStandardRemarksCaptionId)).bytes;
    }

    // The item whose data a chain item stands for; null when there is nothing to write.
    const Item* SubjectOf(const Item* item) const {
        for (std::size_t hops = 0; item && item->IsReference(); ++hops) {
            const auto* reference = dynamic_cast<const ItemReference*>(item);
            if (!reference || hops >= m_limit)
                return nullptr;
            item = m_note.FindItem(reference->target);
        }
        if (item && item->IsEncrypted())
            return nullptr;
        return item;
    }

    // Starts the first item from `id` onwards in its chain that has something to write.
    // `position` counts the items of the chain already taken; a chain longer than the note
    // has items loops, and is ended.
    void Enter(ItemId id, std::size_t position) {
        while (id != kNoItem && position < m_limit) {
            const Item* item = m_note.FindItem(id);
            if (!item)
                return;
            ++position;
            if (const Item* subject = SubjectOf(item)) {
                const ExportTemplate* format =
                    subject->IsGroup() ? &m_formats.group : &m_formats.memo;
                m_stack.push_back(Frame{item, subject, format, 0, position});
                return;
            }
            id = item->links.next;
        }
    }

    void WritePiece(const Frame& frame, const ExportTemplate::Piece& piece) {
        const Item& subject = *frame.subject;
        switch (piece.field) {
            case ExportTemplate::Field::kLiteral:
                m_writer.Put(frame.format->LiteralOf(piece));
                break;
            case ExportTemplate::Field::kTitle:
                m_writer.Put(subject.Title());
                break;
            case ExportTemplate::Field::kModifiedTime:
                m_writer.Put(FormatPictured(subject.ModifiedTime(), m_formats.datePicture,
                                            m_formats.timePicture));
                break;
            case ExportTemplate::Field::kRemarksCaption:
                m_writer.Put(m_caption);
                break;
            case ExportTemplate::Field::kRemarks:
                if (subject.HasFlag(ItemFlags::kHasRemarks))
                    m_writer.Put(subject.StoredRemarks());
                break;
            case ExportTemplate::Field::kContents:
                if (!subject.IsGroup()) {
                    m_writer.Put(BodyOf(subject));
                } else if (!(subject.IsLockedGroup() && subject.Password().Empty()) &&
                           m_stack.size() < m_limit) {
                    // A tree is never deeper than the note has items; a deeper stack
                    // means the links loop through the parents.
                    Enter(frame.item->links.firstChild, 0);
                }
                break;
        }
    }

    const Note& m_note;
    const ExportFormats& m_formats;
    ChunkedWriter m_writer;
    const std::size_t m_limit;
    std::string m_caption;
    std::vector<Frame> m_stack;
};

}  // namespace

std::uint32_t ExportItems(const Note& note, ItemId first, const ExportFormats& formats,
                          ByteStream& out) {
    try {
        return Exporter(note, formats, out).Run(first);
    } catch (const std::bad_alloc&) {
        return ErrorCode::kNotEnoughMemory;
    }
}

std::uint32_t ExportNote(const Note& note, const ExportFormats& formats, ByteStream& out) {
    const Item* root = note.FindItem(note.RootId());
    if (!root)
        return ErrorCode::kSuccess;
    return ExportItems(note, root->links.firstChild, formats, out);
}

std::string ExportItemsToText(const Note& note, ItemId first, const ExportFormats& formats) {
    // Measured first and then written into one allocation: growing a text of many megabytes
    // step by step would copy it several times over.
    StringStream counter(nullptr);
    if (ExportItems(note, first, formats, counter) == ErrorCode::kNotEnoughMemory) {
        throw std::bad_alloc();
    }
    std::string text;
    text.reserve(counter.Count());
    StringStream stream(&text);
    if (ExportItems(note, first, formats, stream) == ErrorCode::kNotEnoughMemory) {
        throw std::bad_alloc();
    }
    return text;
}

}  // namespace tidemark
