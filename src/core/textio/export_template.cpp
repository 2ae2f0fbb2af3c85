#include "core/textio/export_template.h"

#include <algorithm>

#include "core/common/cp932_codec.h"
#include "core/common/sjis.h"
#include "core/strings/string_table.h"

namespace tidemark {
namespace {

constexpr std::uint32_t kDefaultMemoFormatId = 10021;
constexpr std::uint32_t kDefaultGroupFormatId = 10022;

// The field a "%" and this single-byte character stand for; kLiteral for none.
ExportTemplate::Field FieldFor(char c) {
    switch (c) {
        case 'h':
            return ExportTemplate::Field::kTitle;
        case 'm':
            return ExportTemplate::Field::kModifiedTime;
        case 'R':
            return ExportTemplate::Field::kRemarksCaption;
        case 'r':
            return ExportTemplate::Field::kRemarks;
        case 's':
            return ExportTemplate::Field::kContents;
        default:
            return ExportTemplate::Field::kLiteral;
    }
}

}  // namespace

ExportTemplate::ExportTemplate(std::string_view cp932) : m_text(cp932) {
    const std::string_view text = m_text;
    std::size_t literalStart = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '%') {
            pos += NextCharLength(text, pos);
            continue;
        }
        const std::size_t nextLength = NextCharLength(text, pos + 1);
        if (nextLength == 0)
            break;  // a "%" at the very end stays in the literal
        if (nextLength == 1 && text[pos + 1] == '%') {
            AddLiteral(literalStart, pos + 1);  // keeps the first "%", drops the second
            pos += 2;
            literalStart = pos;
            continue;
        }
        const Field field = nextLength == 1 ? FieldFor(text[pos + 1]) : Field::kLiteral;
        if (field == Field::kLiteral) {
            pos += 1 + nextLength;  // both characters are written unchanged
            continue;
        }
        AddLiteral(literalStart, pos);
        m_pieces.push_back(Piece{field, 0, 0});
        pos += 2;
        literalStart = pos;
    }
    AddLiteral(literalStart, text.size());
}

void ExportTemplate::AddLiteral(std::size_t begin, std::size_t end) {
    if (begin >= end)
        return;
    if (!m_pieces.empty()) {
        Piece& last = m_pieces.back();
        if (last.field == Field::kLiteral && last.offset + last.length == begin) {
            last.length += end - begin;
            return;
        }
    }
    m_pieces.push_back(Piece{Field::kLiteral, begin, end - begin});
}

bool ExportTemplate::Uses(Field field) const {
    return std::any_of(m_pieces.begin(), m_pieces.end(),
                       [field](const Piece& piece) { return piece.field == field; });
}

ExportFormats ExportFormats::Defaults() {
    return ExportFormats{
        ExportTemplate(Utf8ToCp932(StringById(kDefaultMemoFormatId)).bytes),
        ExportTemplate(Utf8ToCp932(StringById(kDefaultGroupFormatId)).bytes),
    };
}

}  // namespace tidemark
