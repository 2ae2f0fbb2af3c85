#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tidemark {

// A text-export template, read once into the pieces that the exporter writes for every item.
//
// The template is CP932 text. A "%" followed by one character is a placeholder, matched
// case-sensitively:
//   %h  the item's title            %m  its modified time as the lists show it
//   %R  the note's remarks caption  %r  its remarks (only when they are set)
//   %s  a memo's body, or a group's contents written item by item
//   %%  one "%"
// A "%" followed by any other character is kept together with that character (a double-byte
// character counts as one), and a "%" at the very end is kept as it is. Everything else is
// copied byte for byte; double-byte characters are stepped over as units.
class ExportTemplate {
public:
    enum class Field : std::uint8_t {
        kLiteral,         // template text, copied as it is
        kTitle,           // %h
        kModifiedTime,    // %m
        kRemarksCaption,  // %R
        kRemarks,         // %r
        kContents,        // %s
    };

    // A literal piece names a run of Text(); the other fields carry no text.
    struct Piece {
        Field field = Field::kLiteral;
        std::size_t offset = 0;
        std::size_t length = 0;
    };

    ExportTemplate() = default;
    explicit ExportTemplate(std::string_view cp932);

    // The template as it was given.
    const std::string& Text() const { return m_text; }
    std::span<const Piece> Pieces() const { return m_pieces; }
    std::string_view LiteralOf(const Piece& piece) const {
        return std::string_view(m_text).substr(piece.offset, piece.length);
    }
    bool Uses(Field field) const;

private:
    void AddLiteral(std::size_t begin, std::size_t end);

    std::string m_text;
    std::vector<Piece> m_pieces;
};

// The pair of templates an export uses: one for memos, one for memo groups.
struct ExportFormats {
    ExportTemplate memo;
    ExportTemplate group;
    // The pictures of %m (time_text.h syntax, CP932): the user's short date
    // and time without seconds; the lists' "yyyy/MM/dd" and "H:mm" unless
    // set.
    std::string datePicture = "yyyy/MM/dd";
    std::string timePicture = "H:mm";

    // Strings 10021 and 10022 of the string table, in CP932.
    static ExportFormats Defaults();
};

}  // namespace tidemark
