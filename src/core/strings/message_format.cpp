#include "core/strings/message_format.h"

#include <charconv>
#include <cstddef>

#include "core/strings/string_table.h"

namespace tidemark {

namespace {

// Larger widths or precisions are taken for a typing error, not a request for megabytes.
constexpr std::size_t kMaxFieldSize = 4096;

struct Directive {
    bool leftJustify = false;
    bool zeroPad = false;
    bool alternate = false;
    std::size_t width = 0;
    bool hasPrecision = false;
    std::size_t precision = 0;
    char conversion = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t CountCharacters(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        if (!IsContinuationByte(c)) {
            ++count;
        }
    }
    return count;
}

// The first `count` characters of `text`, never ending inside a character.
std::string_view TakeCharacters(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuationByte(text[i])) {
            if (seen == count) {
                return text.substr(0, i);
            }
            ++seen;
        }
    }
    return text;
}

// Reads a run of decimal digits at `pos`; false when it exceeds kMaxFieldSize.
bool ReadNumber(std::string_view pattern, std::size_t& pos, std::size_t& value) {
    value = 0;
    while (pos < pattern.size() && IsDigit(pattern[pos])) {
        value = value * 10 + static_cast<std::size_t>(pattern[pos] - '0');
        if (value > kMaxFieldSize) {
            return false;
        }
        ++pos;
    }
    return true;
}

// Parses the directive whose '%' is at pattern[start]; on success `end` is one past it.
bool ParseDirective(std::string_view pattern, std::size_t start, Directive& directive,
                    std::size_t& end) {
    std::size_t pos = start + 1;
    for (; pos < pattern.size(); ++pos) {
        char c = pattern[pos];
        if (c == '-') {
            directive.leftJustify = true;
        } else if (c == '0') {
            directive.zeroPad = true;
        } else if (c == '#') {
            directive.alternate = true;
        } else {
            break;
        }
    }
    if (!ReadNumber(pattern, pos, directive.width)) {
        return false;
    }
    if (pos < pattern.size() && pattern[pos] == '.') {
        ++pos;
        directive.hasPrecision = true;
        if (!ReadNumber(pattern, pos, directive.precision)) {
            return false;
        }
    }
    bool hasLong = false;
    if (pos < pattern.size() && pattern[pos] == 'l') {
        hasLong = true;
        ++pos;
    }
    if (pos >= pattern.size()) {
        return false;
    }
    char conversion = pattern[pos];
    switch (conversion) {
        case 's':
            if (hasLong) {
                return false;
            }
            break;
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
            break;
        default:
            return false;
    }
    directive.conversion = conversion;
    end = pos + 1;
    return true;
}

void AppendPadded(std::string& out, std::string_view text, std::size_t length,
                  const Directive& directive) {
    std::size_t padding = directive.width > length ? directive.width - length : 0;
    if (!directive.leftJustify) {
        out.append(padding, ' ');
    }
    out.append(text);
    if (directive.leftJustify) {
        out.append(padding, ' ');
    }
}

std::string Digits(std::uint64_t magnitude, int base, bool upper) {
    char buffer[24];
    auto result = std::to_chars(std::begin(buffer), std::end(buffer), magnitude, base);
    std::string digits(buffer, result.ptr);
    if (upper) {
        for (char& c : digits) {
            if (c >= 'a' && c <= 'f') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
    }
    return digits;
}

void AppendNumber(std::string& out, const MessageArg& arg, const Directive& directive) {
    char conversion = directive.conversion;
    bool asSigned = conversion == 'd' || conversion == 'i';
    std::string_view sign;
    std::uint64_t magnitude = arg.Bits();
    if (asSigned) {
        if (arg.IsNegative()) {
            sign = "-";
            magnitude = 0 - magnitude;
        }
    } else if (arg.BitWidth() < 64) {
        magnitude &= (std::uint64_t{1} << arg.BitWidth()) - 1;
    }
    int base = (conversion == 'x' || conversion == 'X') ? 16 : 10;
    std::string digits;
    if (!(directive.hasPrecision && directive.precision == 0 && magnitude == 0)) {
        digits = Digits(magnitude, base, conversion == 'X');
    }
    if (directive.hasPrecision && digits.size() < directive.precision) {
        digits.insert(0, directive.precision - digits.size(), '0');
    }
    std::string_view prefix = sign;
    if (base == 16 && directive.alternate && magnitude != 0) {
        prefix = conversion == 'X' ? "0X" : "0x";
    }
    std::size_t length = prefix.size() + digits.size();
    if (directive.zeroPad && !directive.leftJustify && !directive.hasPrecision &&
        directive.width > length) {
        out.append(prefix);
        out.append(directive.width - length, '0');
        out.append(digits);
        return;
    }
    std::string field(prefix);
    field += digits;
    AppendPadded(out, field, field.size(), directive);
}

void AppendText(std::string& out, std::string_view text, const Directive& directive) {
    if (directive.hasPrecision) {
        text = TakeCharacters(text, directive.precision);
    }
    AppendPadded(out, text, CountCharacters(text), directive);
}

}  // namespace

std::string FormatText(std::string_view pattern, std::span<const MessageArg> args) {
    std::string out;
    out.reserve(pattern.size());
    auto nextArg = args.begin();
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        std::size_t percent = pattern.find('%', pos);
        if (percent == std::string_view::npos) {
            out.append(pattern.substr(pos));
            break;
        }
        out.append(pattern.substr(pos, percent - pos));
        if (percent + 1 < pattern.size() && pattern[percent + 1] == '%') {
            out.push_back('%');
            pos = percent + 2;
            continue;
        }
        Directive directive;
        std::size_t end = 0;
        if (!ParseDirective(pattern, percent, directive, end)) {
            // Copy the '%' alone: whatever follows is scanned again as ordinary text, so
            // a later directive is not swallowed.
            out.push_back('%');
            pos = percent + 1;
            continue;
        }
        std::string_view literal = pattern.substr(percent, end - percent);
        pos = end;
        if (nextArg == args.end()) {
            out.append(literal);
            continue;
        }
        const MessageArg& arg = *nextArg++;
        if (arg.IsText()) {
            if (directive.conversion == 's') {
                AppendText(out, arg.Text(), directive);
            } else {
                out.append(literal);
            }
        } else if (directive.conversion == 's') {
            Directive number;
            number.conversion = 'd';
            std::string digits;
            AppendNumber(digits, arg, number);
            AppendText(out, digits, directive);
        } else {
            AppendNumber(out, arg, directive);
        }
    }
    return out;
}

std::string FormatString(std::uint32_t id, std::initializer_list<MessageArg> args) {
    return FormatText(StringById(id), args);
}

}  // namespace tidemark
